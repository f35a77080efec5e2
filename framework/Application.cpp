#include "Application.h"

#include "FolderItem.h"

#include <QCoreApplication>

namespace {

Ref<Application>& AppObject() {
    static Ref<Application> app;
    return app;
}

} // namespace

Ref<FolderItem> Application::ExecutableFile() const {
    QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty())
        return nullptr;
    return New<FolderItem>(path.toStdString());
}

Ref<Application> _GetAppObject() {
    return AppObject();
}

void _RuntimeRegisterAppObject(const Ref<Application>& app) {
    AppObject() = app;
}
