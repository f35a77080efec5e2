#include "winMain.h"

#include "FileType.h"
#include "FileTypes1.h"
#include "FolderItem.h"
#include "FolderItemDialog.h"
#include "Listbox.h"
#include "MsgBox.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"
#include "WordListFile.h"
#include "diagnostics/DebugGlobals.h"

void winMain::Export() {
    ReportingFailures("winMain.Methods.Export", [this] {
        Ref<SaveAsDialog> dialog = New<SaveAsDialog>();
        dialog->InitialDirectory = SpecialFolder::Documents();
        dialog->PromptText = "Choose location to export to.";
        dialog->SuggestedFileName = lstDictionaries()->Text() + ".txt";
        dialog->Title = "Export Dictionary";
        dialog->Filter = FileTypes1::Text()->Operator_Convert();
        Ref<FolderItem> file = dialog->ShowModal();
        if (!file)
            return;
        // The new list takes the old file's place only once it is written whole, so a failed export
        // leaves the old file as it was instead of destroying it first.
        Ref<TextOutputStream> stream = TextOutputStream::Create(file);
        Ref<Listbox> words = lstCustomWords();
        for (int64_t row = 0; row <= words->ListCount() - 1; ++row)
            stream->WriteLine(words->List(row));
        stream->Commit();
    });
}

void winMain::Import() {
    ReportingFailures("winMain.Methods.Import", [this] {
        Ref<OpenDialog> dialog = New<OpenDialog>();
        dialog->InitialDirectory = SpecialFolder::Documents();
        dialog->Title = "Select a text file";
        dialog->ActionButtonCaption = "Import";
        dialog->Filter = FileTypes1::Text()->Operator_Convert();
        Ref<FolderItem> file = dialog->ShowModal();
        if (!file)
            return;
        Ref<TextInputStream> stream = file->OpenAsTextFile();
        if (!stream) {
            MsgBox("Unable to open " + file->Name() + ".");
            return;
        }
        Ref<Listbox> words = lstCustomWords();
        WordListFile::ReadWords(*stream, [&](const String& word) {
            words->AddRow(word);
            words->RowEdited(words->LastIndex(), true);
        });
    });
}
