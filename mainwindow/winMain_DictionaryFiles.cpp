#include "winMain.h"

#include "AtomicFile.h"
#include "BinaryStream.h"
#include "DictionaryFile.h"
#include "DictionarySnapshot.h"
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

DictionaryFile::WordAt RowsOf(const Ref<Listbox>& list) {
    return [list](int64_t row) -> const String& { return list->Cell(row, 0); };
}

// The file's bytes go straight from the rows to the stream: a copy of a million words, or of the
// whole file, would cost as much memory again as the list itself. The snapshot is taken of the words
// on their way, as a second pass over a million rows would cost as much time as the writing.
void WriteWords(BinaryStream& stream, const Ref<Listbox>& list, const String& delimiter,
                DictionarySnapshot& written) {
    auto word = [&](int64_t row) -> const String& {
        const String& text = list->Cell(row, 0);
        written.Add(text);
        return text;
    };
    DictionaryFile::Serialize(list->ListCount(), word, delimiter, [&](String&& piece) {
        stream.Write(ConvertEncoding(std::move(piece), Encodings::UTF8));
    });
}

// The file's words go into the list; what is handed back holds no words, only what the file tells
// of itself. The parsed words are freed on return, before the caller takes its snapshot of the list,
// so that the snapshot adds nothing to the peak memory of a load.
DictionaryFile ListWords(BinaryStream& stream, const Ref<Listbox>& list) {
    DictionaryFile dictionary =
        DictionaryFile::Parse(DefineEncoding(stream.Read(stream.Length()), Encodings::UTF8));
    // Moved, not copied: a copy would hold the file's words twice, at twice the time.
    for (String& word : dictionary.Words.Items())
        list->AddRow(std::move(word));
    dictionary.Words = StringArray();
    return dictionary;
}

Ref<DictionarySnapshot> SnapshotOf(const std::optional<FileStamp>& stamp, const Ref<Listbox>& list) {
    return New<DictionarySnapshot>(stamp, list->ListCount(), RowsOf(list));
}

// Another program (the spelling service itself, most often) may have added or removed words in the
// file since it was loaded; writing the list as it is would lose them. False when the file changed
// but cannot be opened, or is no dictionary any more: its words are unknown, so it must not be
// written over.
bool TakeOutsideChanges(const Ref<FolderItem>& file, DictionarySnapshot& snapshot, const Ref<Listbox>& list) {
    // FIXME: a rewrite in place to the same size, within the file system's time resolution of the
    // load, leaves the stamp as it was and goes unseen.
    std::optional<FileStamp> now = FileStamp::Of(file->Path());
    // A file that is gone holds no words to keep.
    if (snapshot.Unchanged(now) || !now)
        return true;
    Ref<BinaryStream> stream = file->OpenAsBinaryFile(false);
    if (!stream)
        return false;
    String bytes = stream->Read(stream->Length());
    // Rewritten as a text of another kind, the file has no words to take, and none to lose either.
    if (DictionaryFile::IsForeign(bytes))
        return false;
    DictionarySnapshot::Changes changes = snapshot.ChangesTo(now, bytes, list->ListCount(), RowsOf(list));
    for (int64_t row : changes.RowsToRemove)
        list->RemoveRow(row);
    for (std::string_view word : changes.WordsToAdd)
        list->AddRow(String(word));
    return true;
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
        m_Snapshot = nullptr;
        Ref<FolderItem> file = DictionaryItem(lstDictionaries()->Text());
        m_Delim = Chr(0);
        Ref<Listbox> list = lstCustomWords();
        list->DeleteAllRows();
        // Taken before the file is read, so that any write after it shows at the save.
        std::optional<FileStamp> stamp = FileStamp::Of(file->Path());
        if (file->Length() == 0) {
            m_Snapshot = SnapshotOf(stamp, list);
            m_LoadComplete = true;
            return;
        }
        Ref<BinaryStream> stream = file->OpenAsBinaryFile(false);
        if (!stream) {
            MsgBox("Unable to open dictionary.");
            return;
        }
        DictionaryFile loaded = ListWords(*stream, list);
        m_Delim = loaded.Delimiter;
        m_Snapshot = SnapshotOf(stamp, list);
        m_LoadComplete = !loaded.Foreign;
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
        Ref<Listbox> list = lstCustomWords();
        if (!TakeOutsideChanges(file, *m_Snapshot, list)) {
            MsgBox("Unable to open dictionary.");
            return;
        }
        Ref<BinaryStream> stream = CreateOrNil(file);
        if (!stream) {
            MsgBox("Unable to create dictionary.");
            return;
        }
        auto written = New<DictionarySnapshot>(list->ListCount());
        WriteWords(*stream, list, m_Delim, *written);
        stream->Commit();
        // Closed before the message, which waits for the user.
        stream = nullptr;
        // What was written is what the next save compares with.
        written->Stamp(FileStamp::Of(file->Path()));
        m_Snapshot = written;
        MsgBox("Dictionary saved.");
    });
}
