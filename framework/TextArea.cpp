#include "TextArea.h"

#include "Runtime.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>

namespace {

// The document separates its lines with the paragraph separator; the framework's lines end in LF.
String ToString(QString text) {
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text.toStdString();
}

bool StartsPair(const QString& text, int at) {
    return text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
}

// Qt counts UTF-16 units, the framework characters: one outside the Basic Multilingual Plane takes
// two units but is one character.
int64_t CharactersBefore(const QString& text, int position) {
    int64_t count = 0;
    for (int at = 0; at < position && at < text.size(); ++count)
        at += StartsPair(text, at) ? 2 : 1;
    return count;
}

int PositionOf(const QString& text, int64_t characters) {
    int at = 0;
    for (int64_t n = 0; n < characters && at < text.size(); ++n)
        at += StartsPair(text, at) ? 2 : 1;
    return at;
}

// The document's own text, whose indices are the cursor's positions.
QString DocumentText(const QPlainTextEdit* editor) {
    return editor->document()->toRawText();
}

Qt::Alignment AlignmentOf(int32_t alignment) {
    switch (alignment) {
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

TextArea::TextArea() = default;

TextArea::~TextArea() = default;

void TextArea::ApplyDesign(const TextAreaDesign& design) {
    m_AreaDesign = design;
    RectControl::ApplyDesign(design);
    if (QPlainTextEdit* editor = _Editor(); editor && !design.Text.empty())
        editor->setPlainText(QString::fromStdString(design.Text));
}

QPlainTextEdit* TextArea::_Editor() const {
    return static_cast<QPlainTextEdit*>(_View());
}

QPlainTextEdit* TextArea::Editor() const {
    QPlainTextEdit* editor = _Editor();
    if (!editor)
        throw NilObjectException();
    return editor;
}

String TextArea::Text() const {
    return ToString(DocumentText(Editor()));
}

void TextArea::Text(const String& text) {
    Editor()->setPlainText(QString::fromStdString(text));
}

String TextArea::SelText() const {
    return ToString(Editor()->textCursor().selectedText());
}

void TextArea::SelText(const String& text) {
    QPlainTextEdit* editor = Editor();
    QTextCursor cursor = editor->textCursor();
    cursor.insertText(QString::fromStdString(text));
    editor->setTextCursor(cursor);
}

int64_t TextArea::SelStart() const {
    QPlainTextEdit* editor = Editor();
    return CharactersBefore(DocumentText(editor), editor->textCursor().selectionStart());
}

void TextArea::SelStart(int64_t start) {
    QPlainTextEdit* editor = Editor();
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(PositionOf(DocumentText(editor), start));
    editor->setTextCursor(cursor);
}

int64_t TextArea::SelLength() const {
    QPlainTextEdit* editor = Editor();
    QString text = DocumentText(editor);
    QTextCursor cursor = editor->textCursor();
    return CharactersBefore(text, cursor.selectionEnd()) - CharactersBefore(text, cursor.selectionStart());
}

void TextArea::SelLength(int64_t length) {
    QPlainTextEdit* editor = Editor();
    QString text = DocumentText(editor);
    QTextCursor cursor = editor->textCursor();
    int start = cursor.selectionStart();
    int64_t startCharacters = CharactersBefore(text, start);
    int end = PositionOf(text, startCharacters + std::max<int64_t>(length, 0));
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

void TextArea::ReadOnly(bool v) {
    m_AreaDesign.ReadOnly = v;
    _UpdateView();
}

QWidget* TextArea::_CreateView(QWidget* parent) {
    auto* editor = new QPlainTextEdit(parent);
    editor->setPlainText(QString::fromStdString(m_AreaDesign.Text));
    std::weak_ptr<RectControl> weak = weak_from_this();
    auto note = [weak] {
        if (auto self = std::static_pointer_cast<TextArea>(weak.lock()))
            self->NoteSelection();
    };
    QObject::connect(editor, &QPlainTextEdit::selectionChanged, editor, note);
    QObject::connect(editor, &QPlainTextEdit::cursorPositionChanged, editor, note);
    return editor;
}

void TextArea::_UpdateView() {
    RectControl::_UpdateView();
    QPlainTextEdit* editor = _Editor();
    if (!editor)
        return;
    const TextAreaDesign& design = m_AreaDesign;
    editor->setReadOnly(design.ReadOnly);
    editor->setFrameShape(design.Border ? QFrame::StyledPanel : QFrame::NoFrame);
    editor->setTabChangesFocus(!design.AcceptTabs);
    editor->setVerticalScrollBarPolicy(design.ScrollbarVertical ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
    editor->setHorizontalScrollBarPolicy(design.ScrollbarHorizontal ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
    editor->setLineWrapMode(design.ScrollbarHorizontal ? QPlainTextEdit::NoWrap
                                                       : QPlainTextEdit::WidgetWidth);
    QTextOption option = editor->document()->defaultTextOption();
    option.setAlignment(AlignmentOf(design.Alignment));
    editor->document()->setDefaultTextOption(option);
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Text, QColor::fromRgb(design.TextColor));
    palette.setColor(QPalette::Base, QColor::fromRgb(design.BackColor));
    if (design.HideSelection) {
        palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor::fromRgb(design.BackColor));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor::fromRgb(design.TextColor));
    }
    editor->setPalette(palette);
}

void TextArea::NoteSelection() {
    QTextCursor cursor = Editor()->textCursor();
    if (cursor.selectionStart() == m_ShownStart && cursor.selectionEnd() == m_ShownEnd)
        return;
    m_ShownStart = cursor.selectionStart();
    m_ShownEnd = cursor.selectionEnd();
    std::function<void()> handler = SelChange;
    if (handler)
        Dispatch(handler);
}
