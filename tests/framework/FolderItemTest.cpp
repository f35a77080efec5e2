#include "FolderItem.h"

#include "BinaryStream.h"
#include "TextInputStream.h"
#include "TextOutputStream.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class FolderItemTest : public testing::Test {
  protected:
    Ref<FolderItem> Home() const { return New<FolderItem>(m_Home.Path()); }

    TempHome m_Home;
};

} // namespace

TEST_F(FolderItemTest, ChildIsNilForNamesThatAreNoSingleEntry) {
    const String names[] = {"", ".", "..", "a/b", "/", "../x", String("a\0b", 3)};
    for (const auto& name : names)
        EXPECT_TRUE(Home()->Child(name).IsNil()) << name;
}

TEST_F(FolderItemTest, ChildNamesAnEntryWhetherOrNotItExists) {
    Ref<FolderItem> child = Home()->Child("missing .dict");
    ASSERT_FALSE(child.IsNil());
    EXPECT_EQ(child->Name(), "missing .dict");
    EXPECT_FALSE(child->Exists());
    EXPECT_EQ(child->Path(), m_Home.Path() / "missing .dict");
    EXPECT_FALSE(Home()->Child(".hidden").IsNil());
}

TEST_F(FolderItemTest, ParentIsNilOnlyAtTheRoot) {
    EXPECT_EQ(Home()->Child("a")->Parent()->Path(), m_Home.Path());
    EXPECT_EQ(New<FolderItem>("/usr/")->Parent()->Path(), "/");
    EXPECT_TRUE(New<FolderItem>("/")->Parent().IsNil());
}

TEST_F(FolderItemTest, ItemListsEveryEntrySortedByName) {
    fs::path folder = m_Home.Path() / "Spelling";
    for (const char* name : {"en", ".DS_Store", "Zulu", "de", "\xC3\xA9t\xC3\xA9"})
        TempHome::WriteFile(folder / name, "x");
    fs::create_directory(folder / "sub");
    Ref<FolderItem> spelling = Home()->Child("Spelling");

    ASSERT_EQ(spelling->Count(), 6);
    std::vector<String> names;
    for (int64_t i = 1; i <= spelling->Count(); ++i)
        names.push_back(spelling->Item(i)->Name());
    EXPECT_EQ(names, (std::vector<String>{".DS_Store", "Zulu", "de", "en", "sub", "\xC3\xA9t\xC3\xA9"}));
    EXPECT_TRUE(spelling->Item(5)->Directory());
}

TEST_F(FolderItemTest, ItemOutOfRangeIsNil) {
    TempHome::WriteFile(m_Home.Path() / "Spelling" / "en", "x");
    Ref<FolderItem> spelling = Home()->Child("Spelling");
    EXPECT_EQ(spelling->Count(), 1);
    EXPECT_TRUE(spelling->Item(0).IsNil());
    EXPECT_TRUE(spelling->Item(2).IsNil());
    EXPECT_FALSE(spelling->Item(1).IsNil());
}

TEST_F(FolderItemTest, ItemWithoutCountReadsTheFolder) {
    TempHome::WriteFile(m_Home.Path() / "Spelling" / "en", "x");
    EXPECT_EQ(Home()->Child("Spelling")->Item(1)->Name(), "en");
}

TEST_F(FolderItemTest, FolderThatIsMissingOrAFileHasNoEntries) {
    TempHome::WriteFile(m_Home.Path() / "file", "x");
    EXPECT_EQ(Home()->Child("missing")->Count(), 0);
    EXPECT_EQ(Home()->Child("file")->Count(), 0);
    EXPECT_TRUE(Home()->Child("file")->Item(1).IsNil());
}

TEST_F(FolderItemTest, ExistsFollowsSymbolicLinks) {
    TempHome::WriteFile(m_Home.Path() / "target", "abc");
    fs::create_symlink("target", m_Home.Path() / "link");
    fs::create_symlink("nowhere", m_Home.Path() / "dangling");
    EXPECT_TRUE(Home()->Child("link")->Exists());
    EXPECT_EQ(Home()->Child("link")->Length(), 3);
    EXPECT_FALSE(Home()->Child("dangling")->Exists());
    EXPECT_EQ(Home()->Child("dangling")->Length(), 0);
}

TEST_F(FolderItemTest, LengthIsTheFileSizeAndZeroOtherwise) {
    TempHome::WriteFile(m_Home.Path() / "eight", String("cat\0dog\0", 8));
    TempHome::WriteFile(m_Home.Path() / "empty", "");
    EXPECT_EQ(Home()->Child("eight")->Length(), 8);
    EXPECT_EQ(Home()->Child("empty")->Length(), 0);
    EXPECT_EQ(Home()->Child("missing")->Length(), 0);
    EXPECT_EQ(Home()->Child("Documents")->Length(), 0);
}

TEST_F(FolderItemTest, DeleteRemovesFilesAndEmptyFoldersOnly) {
    TempHome::WriteFile(m_Home.Path() / "full" / "file", "x");
    EXPECT_FALSE(Home()->Child("full")->Delete());
    EXPECT_TRUE(Home()->Child("full")->Child("file")->Delete());
    EXPECT_TRUE(Home()->Child("full")->Delete());
    EXPECT_FALSE(Home()->Child("full")->Exists());
    EXPECT_FALSE(Home()->Child("full")->Delete());
}

TEST_F(FolderItemTest, OpeningWhatCannotBeOpenedGivesNil) {
    for (const char* name : {"missing", "Documents"}) {
        EXPECT_TRUE(Home()->Child(name)->OpenAsBinaryFile(false).IsNil()) << name;
        EXPECT_TRUE(Home()->Child(name)->OpenAsTextFile().IsNil()) << name;
    }
    EXPECT_TRUE(Home()->Child("no folder")->Child("file")->CreateTextFile().IsNil());
    EXPECT_TRUE(Home()->Child("Documents")->CreateTextFile().IsNil());
}

TEST_F(FolderItemTest, OpenedFilesReadTheirBytes) {
    TempHome::WriteFile(m_Home.Path() / "words", "cat\ndog\n");
    EXPECT_EQ(Home()->Child("words")->OpenAsBinaryFile(false)->Read(100), "cat\ndog\n");
    EXPECT_EQ(Home()->Child("words")->OpenAsTextFile()->ReadLine(), "cat");
}

TEST_F(FolderItemTest, CreateTextFileReplacesTheFileOnCommit) {
    TempHome::WriteFile(m_Home.Path() / "prefs", "old\n");
    Ref<TextOutputStream> out = Home()->Child("prefs")->CreateTextFile();
    ASSERT_FALSE(out.IsNil());
    out->WriteLine("40");
    EXPECT_EQ(TempHome::ReadFile(m_Home.Path() / "prefs"), "old\n");
    out->Commit();
    EXPECT_EQ(TempHome::ReadFile(m_Home.Path() / "prefs"), "40\n");
}
