#include "Clipboard.h"

#include <QApplication>
#include <QClipboard>

String Clipboard::Text() const {
    return QApplication::clipboard()->text().toStdString();
}

void Clipboard::Text(const String& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
}
