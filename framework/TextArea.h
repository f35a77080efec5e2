#pragma once

#include "RectControl.h"

#include <functional>

class QPlainTextEdit;

struct TextAreaDesign : ControlDesign {
    String Text;
    /// FIXME: a text area always takes several lines; no window asks for one line only.
    bool Multiline = true;
    bool ScrollbarVertical = true;
    /// Without a horizontal scroll bar, long lines wrap at the right edge.
    bool ScrollbarHorizontal = false;
    /// The text area shows plain text only; styled text keeps no styles.
    bool Styled = false;
    bool ReadOnly = false;
    bool Border = true;
    /// Hides the selection while another control has the focus.
    bool HideSelection = true;
    bool UseFocusRing = true;
    /// Tab types a tab instead of moving the focus on.
    bool AcceptTabs = false;
    /// FIXME: not enforced; 0, no limit, is the only value a window uses.
    int32_t LimitText = 0;
    /// 0 default, 1 left, 2 centre, 3 right.
    int32_t Alignment = 0;
    uint32_t TextColor = 0x000000;
    uint32_t BackColor = 0xFFFFFF;
};

/// A text area of several lines that the user can select in and type into. Positions and lengths
/// count characters (code points), whatever their size in bytes; lines end in EndOfLine. A text area
/// that is on no window raises NilObjectException.
class TextArea : public RectControl {
public:
    TextArea();
    ~TextArea() override;

    /// Sets the text too, when the design has one.
    void ApplyDesign(const TextAreaDesign& design);

    String Text() const;
    void Text(const String& text);
    String SelText() const;
    /// Replaces the selection, or inserts at the caret when nothing is selected; the caret follows the
    /// new text.
    void SelText(const String& text);
    int64_t SelStart() const;
    /// Puts the caret there, selecting nothing; a start past the end is the end.
    void SelStart(int64_t start);
    int64_t SelLength() const;
    /// Selects that many characters from SelStart, cut at the end of the text.
    void SelLength(int64_t length);
    bool ReadOnly() const { return m_AreaDesign.ReadOnly; }
    void ReadOnly(bool v);

    /// Raised when the selection or the caret changes.
    std::function<void()> SelChange;

    /// Null before the text area is on a window.
    QPlainTextEdit* _Editor() const;

protected:
    QWidget* _CreateView(QWidget* parent) override;
    void _UpdateView() override;

private:
    QPlainTextEdit* Editor() const;
    void NoteSelection();

    TextAreaDesign m_AreaDesign;
    int m_ShownStart = 0, m_ShownEnd = 0;
};
