#include "StandardEditing.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

enum class Command { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

Command CommandOf(const String& itemName) {
    if (itemName == "EditUndo")
        return Command::Undo;
    if (itemName == "EditCut")
        return Command::Cut;
    if (itemName == "EditCopy")
        return Command::Copy;
    if (itemName == "EditPaste")
        return Command::Paste;
    if (itemName == "EditClear")
        return Command::Clear;
    if (itemName == "EditSelectAll")
        return Command::SelectAll;
    return Command::None;
}

bool ClipboardHasText() {
    return !QApplication::clipboard()->text().isEmpty();
}

bool Available(QLineEdit* edit, Command command) {
    switch (command) {
    case Command::Undo:
        return edit->isUndoAvailable();
    case Command::Cut:
    case Command::Clear:
        return edit->hasSelectedText() && !edit->isReadOnly();
    case Command::Copy:
        return edit->hasSelectedText();
    case Command::Paste:
        return !edit->isReadOnly() && ClipboardHasText();
    case Command::SelectAll:
        return !edit->text().isEmpty();
    case Command::None:
        return false;
    }
    return false;
}

template <class Edit> bool AvailableInDocument(Edit* edit, Command command) {
    bool selected = edit->textCursor().hasSelection();
    switch (command) {
    case Command::Undo:
        return edit->document()->isUndoAvailable() && !edit->isReadOnly();
    case Command::Cut:
    case Command::Clear:
        return selected && !edit->isReadOnly();
    case Command::Copy:
        return selected;
    case Command::Paste:
        return !edit->isReadOnly() && ClipboardHasText();
    case Command::SelectAll:
        return !edit->document()->isEmpty();
    case Command::None:
        return false;
    }
    return false;
}

template <class Edit> void Run(Edit* edit, Command command) {
    switch (command) {
    case Command::Undo:
        edit->undo();
        break;
    case Command::Cut:
        edit->cut();
        break;
    case Command::Copy:
        edit->copy();
        break;
    case Command::Paste:
        edit->paste();
        break;
    case Command::SelectAll:
        edit->selectAll();
        break;
    case Command::Clear:
    case Command::None:
        break;
    }
}

void Clear(QLineEdit* edit) {
    edit->del();
}

template <class Edit> void ClearDocument(Edit* edit) {
    edit->textCursor().removeSelectedText();
}

} // namespace

namespace StandardEditing {

bool IsAvailable(const String& itemName) {
    Command command = CommandOf(itemName);
    QWidget* focus = QApplication::focusWidget();
    if (command == Command::None || !focus)
        return false;
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        return Available(line, command);
    if (auto* text = qobject_cast<QTextEdit*>(focus))
        return AvailableInDocument(text, command);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
        return AvailableInDocument(plain, command);
    return false;
}

bool Perform(const String& itemName) {
    Command command = CommandOf(itemName);
    if (command == Command::None || !IsAvailable(itemName))
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        command == Command::Clear ? Clear(line) : Run(line, command);
        return true;
    }
    if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        command == Command::Clear ? ClearDocument(text) : Run(text, command);
        return true;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        command == Command::Clear ? ClearDocument(plain) : Run(plain, command);
        return true;
    }
    return false;
}

} // namespace StandardEditing
