#pragma once

#include "Window.h"

#include <optional>
#include <vector>

class Listbox;
class MenuItem;
class AppleMenuItem;
class QuitMenuItem;
class Toolbar;
class ToolItem;
class DictionarySnapshot;
class FolderItem;
class ReplacedFile;
struct FileStamp;

/// The main window: the dictionaries of the Spelling folder on the left, the chosen dictionary's
/// words on the right, and the toolbar's Save, Add, Delete and Edit buttons.
class winMain : public Window {
public:
    winMain();

    // Construction
    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    // Controls, found by name
    Ref<Listbox> lstDictionaries() const;
    Ref<Listbox> lstCustomWords() const;
    Ref<Toolbar> Toolbar11() const;

    // Control events
    void lstDictionaries_Change();
    void lstCustomWords_Change();
    void Toolbar11_Action(const Ref<ToolItem>& item);

    // Menu items, found in the menu bar by name
    Ref<MenuItem> EditMenu() const;
    Ref<MenuItem> EditSelectAll() const;
    Ref<MenuItem> UntitledMenu0() const;
    Ref<MenuItem> EditClear() const;
    Ref<MenuItem> EditPaste() const;
    Ref<MenuItem> EditCopy() const;
    Ref<MenuItem> EditCut() const;
    Ref<MenuItem> UntitledMenu1() const;
    Ref<MenuItem> EditUndo() const;
    Ref<MenuItem> FileMenu() const;
    Ref<QuitMenuItem> FileQuit() const;
    Ref<MenuItem> FileExport() const;
    Ref<MenuItem> FileImport() const;
    Ref<MenuItem> UntitledSeparator() const;
    Ref<MenuItem> FileDeleteWord() const;
    Ref<MenuItem> FileNewWord() const;
    Ref<AppleMenuItem> FileAboutWordloom() const;

    void AddMenuHandlers(const Ref<Window>& window) override;

    // Window events
    void Event_Close() override;
    void Event_EnableMenuItems() override;
    void Event_Open() override;

    // Menu commands
    bool _FileAboutWordloom_Action();
    bool _FileDeleteWord_Action();
    bool _FileExport_Action();
    bool _FileImport_Action();
    bool _FileNewWord_Action();

protected:
    // Window geometry and dictionary files
    void LoadPrefs();
    void PopulateCustomDictionary();
    void PopulateDictionariesListbox();
    void SavePrefs();

    /// The delimiter of the dictionary file loaded last: NUL, or LF for a file without NUL.
    String m_Delim = "Chr(0)";

private:
    // Word editing
    void AddWord();
    void DeleteWord();
    void EditWord();
    // Word lists
    void Export();
    void Import();
    // Dictionary files
    void SaveDictionary();
    enum class SaveResult { Saved, SavedWhileChanging, KeptChanging, Unopenable, Uncreatable };
    /// How one write of the list ended: in place, also over a file that held new words, now in the
    /// list to be written again; or refused, because the file changed before the rename, or why.
    enum class Try { Placed, PlacedOverNewWords, FileMoved, Unopenable, Uncreatable };
    /// Writes refused because the file changed before the rename.
    static constexpr int kSaveAttempts = 3;
    /// Writes again after a rename that replaced a file with new words.
    static constexpr int kMostRewrites = 10;
    SaveResult SaveTakingTurns(const Ref<FolderItem>& file);
    Try SaveOnce(const Ref<FolderItem>& file);
    void TakeWordsWrittenSinceReplaced();
    bool TookWhatTheRenameReplaced(const Ref<ReplacedFile>& replaced, const std::optional<FileStamp>& read,
                                   DictionarySnapshot& readWords);
    void KillAppleSpell();

    /// Whether the dictionary in the word list was loaded whole, so that saving it loses no word.
    bool m_LoadComplete = false;
    /// The dictionary file as it was loaded or last saved, so that a save keeps what another program
    /// changed in it since.
    Ref<DictionarySnapshot> m_Snapshot;
    /// A file that a save put out of place, with the words it held then: another program that holds
    /// it open may still write to it, and the next save takes in what it added.
    struct Replaced {
        Ref<ReplacedFile> File;
        Ref<DictionarySnapshot> Words;
    };
    /// What the last save of the dictionary in the word list replaced.
    std::vector<Replaced> m_Replaced;

    friend class winMainTestAccess;
};

struct ClassInfo;
/// The class as the runtime registers it.
ClassInfo winMainClassInfo();

/// The open main window, or a new one, built and shown.
Ref<class winMain> winMain();
