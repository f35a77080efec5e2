#include "winMain.h"

#include "AtomicFile.h"
#include "BinaryStream.h"
#include "DictionaryFile.h"
#include "FolderItem.h"
#include "Listbox.h"
#include "MsgBox.h"
#include "diagnostics/DebugGlobals.h"

namespace {

// Nil only for a name that is no single entry; a missing Library or Spelling folder raises
// NilObjectException.
Ref<FolderItem> DictionaryItem(const String& name) {
    return SpecialFolder::UserLibrary()->Child("Spelling")->Child(name);
}

Ref<BinaryStream> CreateOrNil(const Ref<FolderItem>& file) {
    try {
        return BinaryStream::Create(file, true);
    } catch (...) {
        return nullptr;
    }
}

// The file's bytes go straight from the rows to the stream: a copy of a million words, or of the
// whole file, would cost as much memory again as the list itself.
void WriteWords(BinaryStream& stream, const Ref<Listbox>& list, const String& delimiter) {
    DictionaryFile::Serialize(
        list->ListCount(), [&](int64_t row) -> const String& { return list->Cell(row, 0); }, delimiter,
        [&](String&& piece) { stream.Write(ConvertEncoding(std::move(piece), Encodings::UTF8)); });
}

} // namespace

void winMain::PopulateDictionariesListbox() {
    ReportingFailures("winMain.Methods.PopulateDictionariesListbox", [&] {
        Ref<FolderItem> library = SpecialFolder::UserLibrary();
        Ref<Listbox> list = lstDictionaries();
        list->DeleteAllRows();
        if (!library || !library->Exists()) {
            MsgBox("Unable to find your Library folder.");
            return;
        }
        Ref<FolderItem> spelling = library->Child("Spelling");
        if (!spelling || !spelling->Exists()) {
            MsgBox("You have no custom Dictionaries.");
            return;
        }
        int64_t count = spelling->Count();
        for (int64_t i = 1; i <= count; ++i) {
            Ref<FolderItem> entry = spelling->Item(i);
            if (!entry || !entry->Exists() || entry->Name() == ".DS_Store" ||
                AtomicFile::IsTemporaryName(entry->Name()))
                continue;
            list->AddRow(entry->Name());
        }
    });
}

void winMain::PopulateCustomDictionary() {
    ReportingFailures("winMain.Methods.PopulateCustomDictionary", [&] {
        m_LoadComplete = false;
        Ref<FolderItem> file = DictionaryItem(lstDictionaries()->Text());
        m_Delim = Chr(0);
        Ref<Listbox> list = lstCustomWords();
        list->DeleteAllRows();
        if (file->Length() == 0) {
            m_LoadComplete = true;
            return;
        }
        Ref<BinaryStream> stream = file->OpenAsBinaryFile(false);
        if (!stream) {
            MsgBox("Unable to open dictionary.");
            return;
        }
        DictionaryFile dictionary =
            DictionaryFile::Parse(DefineEncoding(stream->Read(stream->Length()), Encodings::UTF8));
        m_Delim = dictionary.Delimiter;
        for (const String& word : dictionary.Words.Items())
            list->AddRow(word);
        m_LoadComplete = !dictionary.Foreign;
    });
}

void winMain::SaveDictionary() {
    ReportingFailures("winMain.Methods.SaveDictionary", [&] {
        Ref<FolderItem> file = DictionaryItem(lstDictionaries()->Text());
        // The word list holds only part of the file, or none of it: writing it would lose the rest.
        if (!m_LoadComplete) {
            MsgBox("The dictionary was not loaded completely, so it was not saved.");
            return;
        }
        KillAppleSpell();
        Ref<BinaryStream> stream = CreateOrNil(file);
        if (!stream) {
            MsgBox("Unable to create dictionary.");
            return;
        }
        WriteWords(*stream, lstCustomWords(), m_Delim);
        stream->Commit();
        // Closed before the message, which waits for the user.
        stream = nullptr;
        MsgBox("Dictionary saved.");
    });
}
