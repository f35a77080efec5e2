#include "MsgBox.h"

#include "FolderItemDialog.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class DesktopAnswerer : public ModalAnswerer {
  public:
    void ShowMessage(const String& text) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QApplication::applicationDisplayName());
        box.setText(QString::fromStdString(text));
        box.setIcon(QMessageBox::NoIcon);
        box.exec();
    }
    Ref<FolderItem> ShowFileDialog(const FolderItemDialog& dialog) override {
        return dialog._ShowDesktopDialog();
    }
};

std::shared_ptr<ModalAnswerer>& Installed() {
    static std::shared_ptr<ModalAnswerer> answerer = std::make_shared<DesktopAnswerer>();
    return answerer;
}

} // namespace

std::shared_ptr<ModalAnswerer> SetModalAnswerer(std::shared_ptr<ModalAnswerer> answerer) {
    if (!answerer)
        answerer = std::make_shared<DesktopAnswerer>();
    std::swap(Installed(), answerer);
    return answerer;
}

std::shared_ptr<ModalAnswerer> CurrentModalAnswerer() {
    return Installed();
}

void MsgBox(const String& text) {
    // The answerer stays alive even if it is replaced while its box is up.
    CurrentModalAnswerer()->ShowMessage(text);
}
