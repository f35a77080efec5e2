#pragma once

#include "Ref.h"

class QWidget;
class QFont;
class QSize;
class QString;
class Window;

/// The design record that every control shares; each control class may extend it.
struct ControlDesign {
    int32_t Left = 0, Top = 0, Width = 80, Height = 22;
    bool LockLeft = true, LockTop = true, LockRight = false, LockBottom = false;
    int32_t TabIndex = 0;
    bool Enabled = true, Visible = true, TabStop = true;
    String HelpTag;
    /// "System" and "SmallSystem" are the desktop's own fonts; any other name is a font family.
    String TextFont = "System";
    /// Points; 0 keeps the font's own size.
    double TextSize = 0;
    bool Bold = false, Italic = false, Underline = false;
};

/// A control placed on a window. The control keeps its state; its widget only shows it.
class RectControl : public std::enable_shared_from_this<RectControl> {
public:
    RectControl();
    virtual ~RectControl();
    RectControl(const RectControl&) = delete;
    RectControl& operator=(const RectControl&) = delete;

    const String& Name() const { return m_Name; }
    /// The window the control was added to; Nil before that.
    Window* TrueWindow() const { return m_Window; }

    void ApplyDesign(const ControlDesign& design);
    const ControlDesign& Design() const { return m_Design; }

    int32_t Left() const { return m_Design.Left; }
    int32_t Top() const { return m_Design.Top; }
    int32_t Width() const { return m_Design.Width; }
    int32_t Height() const { return m_Design.Height; }
    void Left(int32_t v);
    void Top(int32_t v);
    void Width(int32_t v);
    void Height(int32_t v);
    bool Enabled() const { return m_Design.Enabled; }
    void Enabled(bool v);
    bool Visible() const { return m_Design.Visible; }
    void Visible(bool v);
    void HelpTag(const String& v);
    /// The unit of TextSize; 0, the only one, is points.
    void TextUnit(int32_t v) { m_TextUnit = v; }
    int32_t TextUnit() const { return m_TextUnit; }

    /// Called by the window that adds the control: makes the control's widget.
    virtual void _Attach(Window& window, const String& name);
    /// Moves the control as its locks say after the window's content area changed size.
    void _FollowWindowResize(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight);
    QWidget* _View() const { return m_View; }

protected:
    /// Makes the widget that shows the control, parented to the window's content area.
    virtual QWidget* _CreateView(QWidget* parent) = 0;
    /// Pushes the shared design state to the widget; subclasses extend it for their own state.
    virtual void _UpdateView();
    QFont _DesignFont() const;
    /// Called whenever the control was placed or its text changed; a control whose text must show
    /// whole fits it with _FitFont. The default keeps the design font, for controls whose text scrolls.
    virtual void _FitText() {}
    /// Gives the widget the design font, made smaller where the text laid out with `flags` would not
    /// fit `room` otherwise.
    void _FitFont(const QString& text, const QSize& room, int flags);
    Window* m_Window = nullptr;

private:
    void PlaceView();

    String m_Name;
    ControlDesign m_Design;
    int32_t m_TextUnit = 0;
    QWidget* m_View = nullptr;
};
