#pragma once

#include <filesystem>
#include <string>

/// Points HOME and the XDG folders at a fresh temporary folder for the life of the object, so that a
/// test's special folders are its own; the folder is removed afterwards.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    std::filesystem::path Library() const { return m_Path / ".local/share"; }
    std::filesystem::path Spelling() const { return Library() / "Spelling"; }
    std::filesystem::path Config() const { return m_Path / ".config"; }
    std::filesystem::path Documents() const { return m_Path / "Documents"; }

    /// Writes `bytes` to `path`, making its folders.
    static void WriteFile(const std::filesystem::path& path, const std::string& bytes);
    static std::string ReadFile(const std::filesystem::path& path);

private:
    std::filesystem::path m_Path;
    std::string m_SavedHome;
};
