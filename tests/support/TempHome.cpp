#include "TempHome.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempHome::TempHome() {
    std::string pattern = (fs::temp_directory_path() / "wordloom-home-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary home");
    m_Path = pattern;
    if (const char* home = std::getenv("HOME"))
        m_SavedHome = home;
    setenv("HOME", m_Path.c_str(), 1);
    setenv("XDG_DATA_HOME", Library().c_str(), 1);
    setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", Documents().c_str(), 1);
    fs::create_directories(Library());
    fs::create_directories(Documents());
}

TempHome::~TempHome() {
    setenv("HOME", m_SavedHome.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    std::error_code ignored;
    fs::remove_all(m_Path, ignored);
}

void TempHome::WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempHome::ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
