#include "FolderItem.h"
#include "FolderItemDialog.h"
#include "StartedApp.h"
#include "TextArea.h"
#include "TextInputStream.h"
#include "Window.h"
#include "diagnostics/CrashLogEndpoint.h"
#include "diagnostics/LoopbackServer.h"
#include "diagnostics/winDebug.h"
#include "mainwindow/WordListFile.h"
#include "support/ProcessLimits.h"
#include "support/QuietCrashLog.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class WordListsTest : public StartedApp {
protected:
    void SetUp() override {
        StartedApp::SetUp();
        SelectDictionary("words.dic");
    }

    void ExportTo(const fs::path& path) {
        answerer->QueueFile(New<FolderItem>(path));
        window->_FileExport_Action();
    }

    void ImportFrom(const fs::path& path) {
        answerer->QueueFile(New<FolderItem>(path));
        window->_FileImport_Action();
    }

    /// Nothing was reported: a report opens the message log beside the main window.
    static bool NothingReported() { return WindowList::OpenWindows().size() == 1; }

    static std::vector<String> FolderEntries(const fs::path& folder) {
        std::vector<String> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(WordListsTest, RoundTripTrimsBlanksDropsEmptyWordsKeepsDuplicatesAndAppendsInFileOrder) {
    SetWords({"  alpha ", "", "beta", "   ", "beta", "\tgamma", "d\xC3\xA9j\xC3\xA0"});
    fs::path file = home.Documents() / "words.txt";

    ExportTo(file);
    EXPECT_EQ(TempHome::ReadFile(file), "  alpha \n\nbeta\n   \nbeta\n\tgamma\nd\xC3\xA9j\xC3\xA0\n");

    SetWords({"zeta", "beta"});
    ImportFrom(file);
    EXPECT_EQ(Words(),
              (std::vector<String>{"zeta", "beta", "alpha", "beta", "beta", "gamma", "d\xC3\xA9j\xC3\xA0"}));
    EXPECT_TRUE(answerer->Messages().empty());
    EXPECT_TRUE(NothingReported());
}

TEST_F(WordListsTest, ExportDialogStartsInDocumentsWithTheDictionarysNameAndTheTextType) {
    window->_FileExport_Action();

    ASSERT_EQ(answerer->Dialogs().size(), 1u);
    const FolderItemDialog& dialog = answerer->Dialogs()[0];
    EXPECT_EQ(dialog.DialogKind(), FolderItemDialog::Kind::SaveAs);
    ASSERT_TRUE(dialog.InitialDirectory);
    EXPECT_EQ(dialog.InitialDirectory->Path(), home.Documents());
    EXPECT_EQ(dialog.PromptText, "Choose location to export to.");
    // The dictionary's own extension stays: ".txt" is always added.
    EXPECT_EQ(dialog.SuggestedFileName, "words.dic.txt");
    EXPECT_EQ(dialog.Title, "Export Dictionary");
    EXPECT_EQ(dialog.Filter, "text/plain");
    EXPECT_EQ(dialog.ActionButtonCaption, "");
}

TEST_F(WordListsTest, ImportDialogStartsInDocumentsWithItsOwnButtonAndTheTextType) {
    window->_FileImport_Action();

    ASSERT_EQ(answerer->Dialogs().size(), 1u);
    const FolderItemDialog& dialog = answerer->Dialogs()[0];
    EXPECT_EQ(dialog.DialogKind(), FolderItemDialog::Kind::Open);
    ASSERT_TRUE(dialog.InitialDirectory);
    EXPECT_EQ(dialog.InitialDirectory->Path(), home.Documents());
    EXPECT_EQ(dialog.Title, "Select a text file");
    EXPECT_EQ(dialog.ActionButtonCaption, "Import");
    EXPECT_EQ(dialog.Filter, "text/plain");
    EXPECT_EQ(dialog.PromptText, "");
    EXPECT_EQ(dialog.SuggestedFileName, "");
}

TEST_F(WordListsTest, ExportOfAnEmptyListCreatesAnEmptyFile) {
    SetWords({});
    fs::path file = home.Documents() / "empty.txt";

    ExportTo(file);

    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(WordListsTest, ExportReplacesAnExistingFileWhole) {
    fs::path file = home.Documents() / "words.dic.txt";
    TempHome::WriteFile(file, "old one\nold two\nold three\n");
    SetWords({"new"});

    ExportTo(file);

    EXPECT_EQ(TempHome::ReadFile(file), "new\n");
    EXPECT_EQ(FolderEntries(home.Documents()), std::vector<String>{"words.dic.txt"});
    EXPECT_TRUE(answerer->Messages().empty());
}

TEST_F(WordListsTest, AFailedExportLeavesTheOldFileWholeAndIsReported) {
    LoopbackServer crashLog;
    CrashLogEndpoint::SetAddress(crashLog.Address("/clientcrashlog.php"));
    fs::path file = home.Documents() / "words.dic.txt";
    TempHome::WriteFile(file, "old one\nold two\n");
    SetWords(std::vector<String>(20000, "a word that fills the file"));
    {
        SmallFiles limit(4096);
        ExportTo(file);
    }

    EXPECT_EQ(TempHome::ReadFile(file), "old one\nold two\n");
    EXPECT_EQ(FolderEntries(home.Documents()), std::vector<String>{"words.dic.txt"});
    EXPECT_TRUE(answerer->Messages().empty());
    Ref<Window> log = WindowList::FindImplicitInstance("winDebug.winDebug");
    ASSERT_TRUE(log);
    EXPECT_NE(Cast<class winDebug>(log)->txtLog()->Text().find("winMain.Methods.Export"), String::npos);
    ASSERT_TRUE(crashLog.WaitForRequests(1));
    EXPECT_NE(crashLog.Requests()[0].find("winMain.Methods.Export"), String::npos);
    QuietCrashLog::Install();
}

TEST_F(WordListsTest, CancellingEitherDialogTouchesNothing) {
    fs::path file = home.Documents() / "words.dic.txt";
    TempHome::WriteFile(file, "kept\n");
    SetWords({"one", "two"});

    window->_FileExport_Action();
    window->_FileImport_Action();

    EXPECT_EQ(answerer->Dialogs().size(), 2u);
    EXPECT_EQ(TempHome::ReadFile(file), "kept\n");
    EXPECT_EQ(FolderEntries(home.Documents()), std::vector<String>{"words.dic.txt"});
    EXPECT_EQ(Words(), (std::vector<String>{"one", "two"}));
    EXPECT_TRUE(answerer->Messages().empty());
    EXPECT_TRUE(NothingReported());
}

TEST_F(WordListsTest, AFileThatCannotBeOpenedIsNamedInAMessageAndAddsNothing) {
    fs::create_directories(home.Documents() / "folder.txt");
    struct Case {
        const char* name;
        const char* message;
    };
    for (const Case& c : {Case{"folder.txt", "Unable to open folder.txt."},
                          Case{"missing.txt", "Unable to open missing.txt."}}) {
        SCOPED_TRACE(c.name);
        SetWords({"one"});
        answerer->Clear();

        ImportFrom(home.Documents() / c.name);

        EXPECT_EQ(answerer->Messages(), std::vector<String>{c.message});
        EXPECT_EQ(Words(), std::vector<String>{"one"});
    }
    EXPECT_TRUE(NothingReported());
}

TEST_F(WordListsTest, ImportReadsEveryKindOfLineEnding) {
    struct Case {
        const char* what;
        String bytes;
    };
    for (const Case& c : {Case{"LF", "one\ntwo\n"}, Case{"CR LF", "one\r\ntwo\r\n"}, Case{"CR", "one\rtwo\r"},
                          Case{"no final line ending", "one\ntwo"}, Case{"mixed", "one\r\n\r\ntwo\r"}}) {
        SCOPED_TRACE(c.what);
        fs::path file = home.Documents() / "list.txt";
        TempHome::WriteFile(file, c.bytes);
        SetWords({});

        ImportFrom(file);

        EXPECT_EQ(Words(), (std::vector<String>{"one", "two"}));
    }
}

TEST_F(WordListsTest, ImportOfBlankLinesOnlyAddsNothing) {
    fs::path file = home.Documents() / "blank.txt";
    TempHome::WriteFile(file, "\n   \n\t\n \r\n");
    SetWords({"one"});

    ImportFrom(file);

    EXPECT_EQ(Words(), std::vector<String>{"one"});
    EXPECT_TRUE(answerer->Messages().empty());
}

// The text with a byte-order mark, in UTF-16 or UTF-32 (by the width of its units) of the given
// byte order.
template <typename Unit> String Marked(const std::basic_string<Unit>& text, bool bigEndian) {
    String bytes;
    for (Unit unit : Unit(0xFEFF) + text) {
        String big;
        for (size_t byte = sizeof(Unit); byte-- > 0;)
            big += static_cast<char>(static_cast<uint32_t>(unit) >> (8 * byte));
        bytes += bigEndian ? big : String(big.rbegin(), big.rend());
    }
    return bytes;
}

TEST(WordListFileTest, WordsComeAsAPersonMeansThemWhateverTheEncodingAndWithoutNuls) {
    TempHome home;
    const String cafe = "caf\xC3\xA9", grin = "\xF0\x9F\x98\x80";
    const std::u16string longLine(32766, u'x');
    struct Case {
        const char* what;
        String bytes;
        std::vector<String> words;
    };
    const Case cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF" + cafe + "\r\n", {cafe}},
        {"UTF-16 LE", Marked(u" caf\u00E9\r\n\U0001F600\n\n"s, false), {cafe, grin}},
        {"UTF-16 BE", Marked(u"caf\u00E9\r\n\U0001F600"s, true), {cafe, grin}},
        {"pair cut between two reads", Marked(longLine + u"\U0001F600", false), {String(32766, 'x') + grin}},
        {"lone surrogates and an odd last byte",
         Marked(u"a\xD800"
                u"b\xDC00"s,
                false) +
             "c",
         {"a\xEF\xBF\xBD"
          "b\xEF\xBF\xBD\xEF\xBF\xBD"}},
        {"NULs", "alpha\0beta\r\n \0 gamma\0\0\n\0"s, {"alpha", "beta", "gamma"}},
        {"UTF-32 LE", Marked(U"zz\r\ncaf\u00E9\n\U0001F600"s, false), {"zz", cafe, grin}},
        {"UTF-32 BE", Marked(U"zz\n\U0001F600"s, true), {"zz", grin}},
        {"UTF-32 numbers that are no code points and a cut last unit",
         Marked(std::u32string{U'a', 0x110000, U'b', 0xD800, 0xDC00}, false) + "cc",
         {"a\xEF\xBF\xBD"
          "b\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}},
        {"UTF-16 NULs", Marked(std::u16string(u"one\0two\n", 8), false), {"one", "two"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::path file = home.Documents() / "list.txt";
        TempHome::WriteFile(file, c.bytes);
        std::vector<String> words;
        WordListFile::ReadWords(*TextInputStream::Open(New<FolderItem>(file)),
                                [&](const String& word) { words.push_back(word); });
        EXPECT_EQ(words, c.words);
    }
}

} // namespace
