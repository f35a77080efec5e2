#include "TextField.h"

#include <QLineEdit>
#include <QPointer>

#include <algorithm>

struct TextField::Private {
    QPointer<QLineEdit> editor;
};

TextField::TextField(QLineEdit* editor) : d(std::make_unique<Private>()) {
    d->editor = editor;
}

TextField::~TextField() = default;

QLineEdit* TextField::_Editor() const {
    if (!d->editor)
        throw NilObjectException();
    return d->editor.data();
}

String TextField::Text() const {
    return _Editor()->text().toStdString();
}

void TextField::Text(const String& text) {
    _Editor()->setText(QString::fromStdString(text));
}

int64_t TextField::SelStart() const {
    QLineEdit* editor = _Editor();
    return editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
}

void TextField::SelStart(int64_t start) {
    QLineEdit* editor = _Editor();
    auto at = static_cast<int>(std::clamp<int64_t>(start, 0, editor->text().size()));
    editor->setCursorPosition(at);
}

int64_t TextField::SelLength() const {
    return _Editor()->selectionLength();
}

void TextField::SelLength(int64_t length) {
    QLineEdit* editor = _Editor();
    int start = static_cast<int>(SelStart());
    auto count = static_cast<int>(std::clamp<int64_t>(length, 0, editor->text().size() - start));
    editor->setSelection(start, count);
}

String TextField::SelText() const {
    return _Editor()->selectedText().toStdString();
}
