#include "FolderItemDialog.h"

#include "FileType.h"
#include "FolderItem.h"
#include "MsgBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace {

QString NameFilter(const String& filter) {
    std::vector<String> patterns = FileTypeRegistry::Patterns(filter);
    if (patterns.empty())
        return QString();
    QStringList list;
    for (const String& pattern : patterns)
        list << QString::fromStdString(pattern);
    return QString::fromStdString(filter) + " (" + list.join(' ') + ")";
}

} // namespace

Ref<FolderItem> FolderItemDialog::ShowModal() const {
    return CurrentModalAnswerer()->ShowFileDialog(*this);
}

Ref<FolderItem> FolderItemDialog::_ShowDesktopDialog() const {
    QFileDialog dialog(QApplication::activeWindow());
    bool saving = m_Kind == Kind::SaveAs;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!Title.empty())
        dialog.setWindowTitle(QString::fromStdString(Title));
    if (!PromptText.empty())
        dialog.setLabelText(QFileDialog::LookIn, QString::fromStdString(PromptText));
    if (!ActionButtonCaption.empty())
        dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(ActionButtonCaption));
    // The filters come before the suggested name: choosing a filter gives the name in the field the
    // filter's first extension.
    QString nameFilter = NameFilter(Filter);
    if (!nameFilter.isEmpty())
        dialog.setNameFilters({nameFilter, QFileDialog::tr("All files (*)")});
    if (InitialDirectory)
        dialog.setDirectory(QString::fromStdString(InitialDirectory->Path().string()));
    if (!SuggestedFileName.empty())
        dialog.selectFile(QString::fromStdString(SuggestedFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return nullptr;
    return New<FolderItem>(dialog.selectedFiles().first().toStdString());
}
