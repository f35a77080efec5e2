#include "FolderItem.h"
#include "TextInputStream.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The XDG base directories ignore a relative path, as an unset variable.
fs::path AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/')
        return fs::path();
    return fs::path(value);
}

fs::path Home() {
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0')
        return fs::path(home);
    const passwd* user = getpwuid(getuid());
    if (!user || !user->pw_dir)
        return fs::path();
    return fs::path(user->pw_dir);
}

fs::path ConfigHome() {
    fs::path config = AbsoluteVariable("XDG_CONFIG_HOME");
    if (!config.empty())
        return config;
    fs::path home = Home();
    return home.empty() ? fs::path() : home / ".config";
}

// user-dirs.dirs holds shell assignments such as XDG_DOCUMENTS_DIR="$HOME/Documents"; a value is
// either absolute or relative to the home folder.
fs::path DocumentsFromUserDirs(const fs::path& home) {
    fs::path config = ConfigHome();
    if (config.empty())
        return fs::path();
    Ref<TextInputStream> dirs = New<FolderItem>(config / "user-dirs.dirs")->OpenAsTextFile();
    if (!dirs)
        return fs::path();
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (!dirs->AtEOF()) {
        std::string line = dirs->ReadLine();
        if (!line.starts_with(key))
            continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value == "$HOME")
            return home;
        if (value.starts_with("$HOME/"))
            return home / value.substr(6);
        if (value.starts_with("/"))
            return fs::path(value);
    }
    return fs::path();
}

Ref<FolderItem> ItemOrNil(const fs::path& path) {
    if (path.empty())
        return nullptr;
    return New<FolderItem>(path);
}

} // namespace

namespace SpecialFolder {

Ref<FolderItem> UserLibrary() {
    fs::path data = AbsoluteVariable("XDG_DATA_HOME");
    if (!data.empty())
        return New<FolderItem>(data);
    fs::path home = Home();
    return ItemOrNil(home.empty() ? home : home / ".local/share");
}

Ref<FolderItem> Preferences() {
    fs::path config = ConfigHome();
    if (config.empty())
        return nullptr;
    std::error_code ignored;
    fs::create_directories(config, ignored);
    return New<FolderItem>(config);
}

Ref<FolderItem> Documents() {
    fs::path documents = AbsoluteVariable("XDG_DOCUMENTS_DIR");
    if (!documents.empty())
        return New<FolderItem>(documents);
    fs::path home = Home();
    if (home.empty())
        return nullptr;
    documents = DocumentsFromUserDirs(home);
    return New<FolderItem>(documents.empty() ? home / "Documents" : documents);
}

} // namespace SpecialFolder
