#include "winMain.h"

#include "AtomicFile.h"
#include "BinaryStream.h"
#include "DictionaryFile.h"
#include "DictionarySnapshot.h"
#include "DictionaryWriter.h"
#include "DiskDictionary.h"
#include "FolderItem.h"
#include "FolderLock.h"
#include "Listbox.h"
#include "MsgBox.h"
#include "ReplacedFile.h"
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

Ref<DictionarySnapshot> SnapshotOf(const std::optional<FileStamp>& stamp, int64_t takenAtNs,
                                   const Ref<Listbox>& list) {
    return New<DictionarySnapshot>(stamp, takenAtNs, list->ListCount(), RowsOf(list));
}

DictionarySnapshot::ListRows ListRowsOf(const Ref<Listbox>& list) {
    return {list->ListCount(), RowsOf(list), [list](int64_t row) { return list->RowEdited(row); }};
}

// True when the list changed.
bool Apply(const DictionarySnapshot::Changes& changes, const Ref<Listbox>& list) {
    for (int64_t row : changes.RowsToRemove)
        list->RemoveRow(row);
    for (std::string_view word : changes.WordsToAdd)
        list->AddRow(String(word));
    return !changes.RowsToRemove.empty() || !changes.WordsToAdd.empty();
}

// What a save found of the file when it took its changes into the list: whether it may be written
// over, the stamp that it must still have when the save puts its own file in its place, and whether
// the list took any change.
struct Merged {
    bool Writable = true;
    std::optional<FileStamp> Stamp;
    bool ListChanged = false;
};

enum class Taking { Changes, AdditionsOnly };

// The words of the file that another program changed since `known` was taken go into the list.
// Not writable when the file cannot be opened, or is no dictionary any more: its words are unknown,
// so it must not be written over.
Merged TakeChanges(const Ref<FolderItem>& file, DictionarySnapshot& known, const Ref<Listbox>& list,
                   Taking taking = Taking::Changes) {
    DiskDictionary disk = DiskDictionary::Read(file, known);
    switch (disk.Found) {
    case DiskDictionary::Kind::Missing:
        return {true, std::nullopt};
    case DiskDictionary::Kind::Unreadable:
    case DiskDictionary::Kind::Foreign:
        return {false, std::nullopt};
    case DiskDictionary::Kind::Whole:
        if (taking == Taking::Changes)
            return {true, disk.Stamp,
                    Apply(known.ChangesTo(disk.Stamp, disk.TakenAtNs, disk.Bytes, ListRowsOf(list)), list)};
        [[fallthrough]];
    case DiskDictionary::Kind::Unended:
    case DiskDictionary::Kind::HalfWritten:
        // A word brought back is a smaller harm than a word lost: what the file lacks may be written
        // yet, so only its additions are taken.
        return {true, disk.Stamp, Apply(known.AdditionsIn(disk.Bytes, ListRowsOf(list)), list)};
    }
    return {true, disk.Stamp};
}

// Another program (the spelling service itself, most often) may have added or removed words in the
// file since it was loaded or saved; writing the list as it is would lose them.
Merged TakeOutsideChanges(const Ref<FolderItem>& file, DictionarySnapshot& snapshot,
                          const Ref<Listbox>& list) {
    std::optional<FileStamp> now = FileStamp::Of(file->Path());
    // A file that is gone holds no words to keep.
    if (snapshot.Unchanged(now) || !now)
        return {true, now};
    return TakeChanges(file, snapshot, list);
}

// A file that another program renamed into place may be no dictionary of this format, or one that
// cannot be read: its words are unknown, so it goes back where it was.
bool IsDictionary(const Ref<ReplacedFile>& file) {
    if (!file)
        return false;
    std::optional<String> start = file->Start(4);
    return start && !DictionaryFile::IsForeign(*start);
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
        m_Replaced.clear();
        Ref<FolderItem> file = DictionaryItem(lstDictionaries()->Text());
        m_Delim = Chr(0);
        Ref<Listbox> list = lstCustomWords();
        list->DeleteAllRows();
        // Taken before the file is read, so that any write after it shows at the save.
        const int64_t takenAtNs = FileStamp::ClockNs();
        std::optional<FileStamp> stamp = FileStamp::Of(file->Path());
        if (file->Length() == 0) {
            m_Snapshot = SnapshotOf(stamp, takenAtNs, list);
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
        m_Snapshot = SnapshotOf(stamp, takenAtNs, list);
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
        // Shown once the turn is over: the message waits for the user.
        switch (SaveTakingTurns(file)) {
        case SaveResult::Saved:
            MsgBox("Dictionary saved.");
            break;
        case SaveResult::SavedWhileChanging:
            MsgBox("Dictionary saved, but another program kept changing it. Save again to take in its "
                   "latest words.");
            break;
        case SaveResult::Unopenable:
            MsgBox("Unable to open dictionary.");
            break;
        case SaveResult::Uncreatable:
            MsgBox("Unable to create dictionary.");
            break;
        case SaveResult::KeptChanging:
            MsgBox("The dictionary is being changed by another program, so it was not saved.");
            break;
        }
    });
}

// Two copies of Wordloom that save one dictionary at once would each write over the words that the
// other merged in: they take turns from the merge's read to the rename. A file that keeps changing
// before the rename is not written over: each try would lose what came last. Once the save's file is
// in place, a file that it replaced with new words in it is merged and written again, as often as
// that takes within a bound: each such write needs another program's write within microseconds.
winMain::SaveResult winMain::SaveTakingTurns(const Ref<FolderItem>& file) {
    FolderLock turn(file->Path().parent_path());
    TakeWordsWrittenSinceReplaced();
    int moved = 0;
    int rewrites = 0;
    for (;;) {
        switch (SaveOnce(file)) {
        case Try::Placed:
            // Only now does the file hold every row that the user typed.
            lstCustomWords()->ForgetEdits();
            return SaveResult::Saved;
        case Try::PlacedOverNewWords:
            if (++rewrites == kMostRewrites)
                return SaveResult::SavedWhileChanging;
            break;
        case Try::FileMoved:
            if (++moved == kSaveAttempts)
                return rewrites > 0 ? SaveResult::SavedWhileChanging : SaveResult::KeptChanging;
            break;
        case Try::Unopenable:
            return SaveResult::Unopenable;
        case Try::Uncreatable:
            return SaveResult::Uncreatable;
        }
    }
}

// A program that held the file open while the last save replaced it may have gone on writing to it:
// such a file is watched until this save, which takes in what it added.
void winMain::TakeWordsWrittenSinceReplaced() {
    std::vector<Replaced> replaced = std::move(m_Replaced);
    m_Replaced.clear();
    for (const Replaced& file : replaced) {
        if (file.File->MayHaveChanged())
            TakeChanges(New<FolderItem>(file.File->Path()), *file.Words, lstCustomWords(),
                        Taking::AdditionsOnly);
    }
}

// Another program that writes the file while the list is written would lose its words to the rename:
// the file must still be as the merge found it just before, and the file that the rename replaced
// must be the one that the merge read.
winMain::Try winMain::SaveOnce(const Ref<FolderItem>& file) {
    Ref<Listbox> list = lstCustomWords();
    Merged found = TakeOutsideChanges(file, *m_Snapshot, list);
    if (!found.Writable)
        return Try::Unopenable;
    Ref<BinaryStream> stream = CreateOrNil(file);
    if (!stream)
        return Try::Uncreatable;
    auto written = New<DictionarySnapshot>(DictionaryWriter::Write(list->RowTexts(), m_Delim, *stream));
    Ref<DictionarySnapshot> read = m_Snapshot;
    Ref<ReplacedFile> replaced;
    CommitHooks hooks;
    hooks.MayReplace = [&] { return FileStamp::Of(file->Path()) == found.Stamp; };
    hooks.MayRemoveReplaced = IsDictionary;
    // What was written is what the next save compares with, from the moment it is in place, even
    // should the flush of the folder fail after.
    hooks.Placed = [&](std::optional<FileStamp> stamp, Ref<ReplacedFile> out) {
        if (stamp)
            written->StampExact(*stamp);
        else
            written->ForgetStamp();
        m_Snapshot = written;
        // Where the file system shows a held file in the folder, other programs would take it for a
        // dictionary: its words are taken now, and it is let go with this try.
        if (out && !out->ShowsInFolder())
            m_Replaced.push_back({out, read});
        replaced = out;
    };
    switch (stream->Commit(hooks)) {
    case CommitOutcome::NotReplaced:
        return Try::FileMoved;
    case CommitOutcome::PutBack:
        return Try::Unopenable;
    case CommitOutcome::Placed:
        break;
    }
    return TookWhatTheRenameReplaced(replaced, found.Stamp, *read) ? Try::PlacedOverNewWords : Try::Placed;
}

// A write that reached the old file after the merge read it, or a file that another program renamed
// into place just before this save's rename: its changes go into the list, which is then to be written
// again. False when the list took no change, and so is what the file in place holds.
bool winMain::TookWhatTheRenameReplaced(const Ref<ReplacedFile>& replaced,
                                        const std::optional<FileStamp>& read, DictionarySnapshot& readWords) {
    if (!replaced)
        return false;
    const std::optional<FileStamp>& was = replaced->StampWhenReplaced();
    if (read && was && read->SameContentAs(*was))
        return false;
    return TakeChanges(New<FolderItem>(replaced->Path()), readWords, lstCustomWords()).ListChanged;
}
