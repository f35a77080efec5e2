#include "MainWindowFixture.h"

#include "FakeLaunchctl.h"
#include "support/ProcessLimits.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const String kNotLoaded = "The dictionary was not loaded completely, so it was not saved.";
const String NUL = "\0"s, LF = "\n";

struct RoundTrip {
    const char* name;
    String file;
    std::vector<String> words;
    String delimiter;
    String saved;
};

std::ostream& operator<<(std::ostream& out, const RoundTrip& c) {
    return out << c.name;
}

class DictionaryFilesTest : public MainWindowFixture {};
class DictionaryRoundTripTest : public MainWindowFixture, public testing::WithParamInterface<RoundTrip> {};

} // namespace

TEST_P(DictionaryRoundTripTest, ListsTheWordsAndSavesThemBack) {
    const RoundTrip& c = GetParam();
    WriteDictionary("custom", c.file);
    Load("custom");
    EXPECT_EQ(Words(), c.words);
    EXPECT_EQ(Access::Delim(*window), c.delimiter);
    Save();
    EXPECT_EQ(ReadDictionary("custom"), c.saved);
    EXPECT_EQ(Messages(), std::vector<String>{"Dictionary saved."});
    EXPECT_TRUE(reports.Text().empty());
}

INSTANTIATE_TEST_SUITE_P(
    WellFormedFiles, DictionaryRoundTripTest,
    testing::Values(
        RoundTrip{"Nul", "cat\0dog\0"s, {"cat", "dog"}, NUL, "cat\0dog\0"s},
        RoundTrip{"Lf", "cat\ndog\n", {"cat", "dog"}, LF, "cat\ndog\n"},
        RoundTrip{"LoneNul", "\0"s, {""}, NUL, "\0"s},
        RoundTrip{"EmptyWord", "\0cat\0dog\0"s, {"", "cat", "dog"}, NUL, "\0cat\0dog\0"s},
        RoundTrip{"CrBeforeLf", "cat\r\ndog\r\n", {"cat\r", "dog\r"}, LF, "cat\r\ndog\r\n"},
        RoundTrip{"LfInsideNulFile", "a\nb\0c\nd\0"s, {"a\nb", "c\nd"}, NUL, "a\nb\0c\nd\0"s},
        RoundTrip{"Duplicates", "cat\0cat\0dog\0"s, {"cat", "cat", "dog"}, NUL, "cat\0cat\0dog\0"s},
        RoundTrip{
            "InvalidUtf8", "caf\xC3\0\xFF\xFE\0"s, {"caf\xC3", "\xFF\xFE"}, NUL, "caf\xC3\0\xFF\xFE\0"s}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    OtherFiles, DictionaryRoundTripTest,
    testing::Values(RoundTrip{"Unsorted", "dog\0Cat\0ant\0"s, {"ant", "Cat", "dog"}, NUL, "ant\0Cat\0dog\0"s},
                    RoundTrip{"LastNulWordWithoutDelimiter", "cat\0dog"s, {"cat", "dog"}, NUL, "cat\0dog\0"s},
                    RoundTrip{"LastLfWordWithoutDelimiter", "cat\ndog", {"cat", "dog"}, LF, "cat\ndog\n"},
                    RoundTrip{"OneWordNoDelimiter", "cat", {"cat"}, LF, "cat\n"},
                    RoundTrip{"NulOnlyAtTheEnd", "cat\ndog\0"s, {"cat\ndog"}, NUL, "cat\ndog\0"s},
                    RoundTrip{"WordsCutByCrAlone", "cat\rdog\r", {"cat\rdog\r"}, LF, "cat\rdog\r\n"},
                    RoundTrip{"EmptyFile", "", {}, NUL, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DictionaryFilesTest, AMissingDictionaryLoadsAsEmptyAndSilently) {
    WriteDictionary("other", "x\0"s);
    Load("other");
    fs::remove(Dictionary("other"));
    Access::PopulateCustomDictionary(*window);
    EXPECT_TRUE(Words().empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Access::LoadComplete(*window));
}

TEST_F(DictionaryFilesTest, ASaveAfterAFailedLoadWritesNothing) {
    FakeLaunchctl launchctl;
    WriteDictionary("good", "cat\0"s);
    WriteDictionary("bad", "dog\0emu\0"s);
    Load("good");
    Select("bad");
    fs::permissions(Dictionary("bad"), fs::perms::none);
    {
        NoPermissionOverride unreadable;
        Access::PopulateCustomDictionary(*window);
    }
    EXPECT_EQ(Messages(), std::vector<String>{"Unable to open dictionary."});
    EXPECT_TRUE(Words().empty());
    EXPECT_EQ(Access::Delim(*window), NUL);

    window->lstCustomWords()->AddRow("fox");
    answerer->Clear();
    Save();
    EXPECT_EQ(Messages(), std::vector<String>{kNotLoaded});
    EXPECT_EQ(ReadDictionary("bad"), "dog\0emu\0"s);
    EXPECT_TRUE(launchctl.Calls().empty());
}

TEST_F(DictionaryFilesTest, ADictionaryChangedSinceTheLoadThatCannotBeOpenedIsNotWrittenOver) {
    WriteDictionary("custom", "cat\0dog\0"s);
    Load("custom");
    WriteDictionary("custom", "cat\0dog\0emu\0"s);
    fs::permissions(Dictionary("custom"), fs::perms::none);
    {
        NoPermissionOverride unreadable;
        Save();
    }
    EXPECT_EQ(Messages(), std::vector<String>{"Unable to open dictionary."});
    fs::permissions(Dictionary("custom"), fs::perms::owner_read);
    EXPECT_EQ(ReadDictionary("custom"), "cat\0dog\0emu\0"s);
}

TEST_F(DictionaryFilesTest, AFailedWriteLeavesTheOldFileWholeAndSaysNothingSaved) {
    WriteDictionary("custom", "cat\0dog\0"s);
    Load("custom");
    window->lstCustomWords()->AddRow(String(200, 'w'));
    {
        SmallFiles limit(64);
        Save();
    }
    EXPECT_EQ(Messages(), std::vector<String>{});
    EXPECT_EQ(reports.Count("winMain.Methods.SaveDictionary"), 1);
    EXPECT_EQ(ReadDictionary("custom"), "cat\0dog\0"s);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.Spelling()), fs::directory_iterator()), 1);
}

TEST_F(DictionaryFilesTest, ADictionaryThatCannotBeCreatedIsToldToTheUserNotReported) {
    fs::create_directories(Dictionary("folder"));
    Load("folder");
    window->lstCustomWords()->AddRow("cat");
    Save();
    EXPECT_EQ(Messages(), std::vector<String>{"Unable to create dictionary."});
    EXPECT_TRUE(reports.Text().empty());
    EXPECT_TRUE(fs::is_directory(Dictionary("folder")));
}

TEST_F(DictionaryFilesTest, SavingAnEmptyListWritesAnEmptyFile) {
    WriteDictionary("custom", "cat\0"s);
    Load("custom");
    window->lstCustomWords()->DeleteAllRows();
    Save();
    EXPECT_EQ(ReadDictionary("custom"), "");
    EXPECT_TRUE(fs::exists(Dictionary("custom")));
}

TEST_F(DictionaryFilesTest, FolderScanListsEveryEntryButDsStoreInNameOrder) {
    WriteDictionary("zulu", "z\0"s);
    WriteDictionary("Alpha", "a\0"s);
    WriteDictionary(".DS_Store", "x");
    WriteDictionary(".ds_store", "x");
    WriteDictionary(".hidden", "x");
    fs::create_directories(Dictionary("sub"));
    fs::create_symlink(home.Path() / "nowhere", Dictionary("dangling"));
    Access::PopulateDictionariesListbox(*window);
    EXPECT_EQ(Dictionaries(), (std::vector<String>{".ds_store", ".hidden", "Alpha", "sub", "zulu"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DictionaryFilesTest, FolderScanOfAnEmptySpellingFolderSaysNothing) {
    fs::create_directories(home.Spelling());
    window->lstDictionaries()->AddRow("stale");
    Access::PopulateDictionariesListbox(*window);
    EXPECT_TRUE(Dictionaries().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DictionaryFilesTest, FolderScanWithoutSpellingFolderEmptiesTheListAndSaysSo) {
    window->lstDictionaries()->AddRow("stale");
    Access::PopulateDictionariesListbox(*window);
    EXPECT_TRUE(Dictionaries().empty());
    EXPECT_EQ(Messages(), std::vector<String>{"You have no custom Dictionaries."});
}

TEST_F(DictionaryFilesTest, FolderScanWithoutLibraryFolderEmptiesTheListAndSaysSo) {
    setenv("XDG_DATA_HOME", (home.Path() / "missing").c_str(), 1);
    window->lstDictionaries()->AddRow("stale");
    Access::PopulateDictionariesListbox(*window);
    EXPECT_TRUE(Dictionaries().empty());
    EXPECT_EQ(Messages(), std::vector<String>{"Unable to find your Library folder."});
}
