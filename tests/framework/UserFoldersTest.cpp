#include "FolderItem.h"

#include "support/TempHome.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// TempHome sets every XDG variable; these tests take some away again to reach the defaults.
class SpecialFolderTest : public testing::Test {
  protected:
    TempHome m_Home;
};

} // namespace

TEST_F(SpecialFolderTest, FoldersFollowTheXdgVariables) {
    EXPECT_EQ(SpecialFolder::UserLibrary()->Path(), m_Home.Library());
    EXPECT_EQ(SpecialFolder::Preferences()->Path(), m_Home.Config());
    EXPECT_EQ(SpecialFolder::Documents()->Path(), m_Home.Documents());
}

TEST_F(SpecialFolderTest, WithoutVariablesTheFoldersLieInTheHomeFolder) {
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(SpecialFolder::UserLibrary()->Path(), m_Home.Path() / ".local/share");
    EXPECT_EQ(SpecialFolder::Preferences()->Path(), m_Home.Path() / ".config");
    EXPECT_EQ(SpecialFolder::Documents()->Path(), m_Home.Path() / "Documents");
}

TEST_F(SpecialFolderTest, RelativeVariablesAreIgnored) {
    setenv("XDG_DATA_HOME", "relative/share", 1);
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(SpecialFolder::UserLibrary()->Path(), m_Home.Path() / ".local/share");
    EXPECT_EQ(SpecialFolder::Preferences()->Path(), m_Home.Path() / ".config");
}

TEST_F(SpecialFolderTest, PreferencesFolderIsMadeWhenMissing) {
    ASSERT_FALSE(std::filesystem::exists(m_Home.Config()));
    EXPECT_TRUE(SpecialFolder::Preferences()->Exists());
}

TEST_F(SpecialFolderTest, UserLibraryIsGivenEvenWhenMissing) {
    std::filesystem::remove_all(m_Home.Library());
    Ref<FolderItem> library = SpecialFolder::UserLibrary();
    ASSERT_FALSE(library.IsNil());
    EXPECT_FALSE(library->Exists());
}

TEST_F(SpecialFolderTest, DocumentsComesFromTheUserDirsFile) {
    unsetenv("XDG_DOCUMENTS_DIR");
    const std::pair<String, std::filesystem::path> cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", m_Home.Path() / "Dokumente"},
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"/srv/docs\"\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"\n", m_Home.Path()},
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", m_Home.Path() / "Documents"},
    };
    for (const auto& [dirs, documents] : cases) {
        TempHome::WriteFile(m_Home.Config() / "user-dirs.dirs", dirs);
        EXPECT_EQ(SpecialFolder::Documents()->Path(), documents) << dirs;
    }
}
