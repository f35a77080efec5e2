#pragma once

#include "RectControl.h"

struct StaticTextDesign : ControlDesign {
    String Text;
    /// 0 left, 1 centred, 2 right, within the label's box.
    int32_t TextAlign = 0;
    /// A multi-line label wraps its text and starts a new line at each line break (CR, LF or CR LF);
    /// a one-line label shows a line break as a blank.
    bool Multiline = false;
};

/// A label: text that the user reads but cannot edit or select.
class StaticText : public RectControl {
public:
    void ApplyDesign(const StaticTextDesign& design);

    const String& Text() const { return m_TextDesign.Text; }
    void Text(const String& text);

    /// The text as the label's widget shows it.
    String _ShownText() const;

protected:
    QWidget* _CreateView(QWidget* parent) override;
    void _UpdateView() override;
    void _FitText() override;

private:
    int LayoutFlags() const;

    StaticTextDesign m_TextDesign;
};
