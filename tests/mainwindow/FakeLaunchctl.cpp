#include "FakeLaunchctl.h"

#include "support/TempHome.h"

#include <cstdlib>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// Each call's arguments go to a file of their own, each argument ended by NUL, so that an argument
// may hold any other character, line breaks included.
const char* const kScript = R"(#!/bin/sh
dir=$(dirname "$0")
n=$(cat "$dir/count" 2>/dev/null || echo 0)
echo $((n + 1)) > "$dir/count"
printf '%s\0' "$@" > "$dir/call-$n"
case "$1" in
list) cat "$dir/listing" 2>/dev/null ;;
stop) cat "$dir/stop-output" 2>/dev/null ;;
esac
)";

} // namespace

FakeLaunchctl::FakeLaunchctl() {
    String pattern = (fs::temp_directory_path() / "wordloom-launchctl-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a folder for launchctl");
    m_Folder = pattern;
    TempHome::WriteFile(m_Folder / "launchctl", kScript);
    fs::permissions(m_Folder / "launchctl", fs::perms::owner_all);
    if (const char* path = std::getenv("PATH"))
        m_SavedPath = path;
    setenv("PATH", (m_Folder.string() + ":" + m_SavedPath).c_str(), 1);
}

FakeLaunchctl::~FakeLaunchctl() {
    setenv("PATH", m_SavedPath.c_str(), 1);
    std::error_code ignored;
    fs::remove_all(m_Folder, ignored);
}

void FakeLaunchctl::Listing(const String& text) const {
    TempHome::WriteFile(m_Folder / "listing", text);
}

void FakeLaunchctl::StopOutput(const String& text) const {
    TempHome::WriteFile(m_Folder / "stop-output", text);
}

std::vector<std::vector<String>> FakeLaunchctl::Calls() const {
    std::vector<std::vector<String>> calls;
    for (int n = 0; fs::exists(CallFile(n)); ++n) {
        String recorded = TempHome::ReadFile(CallFile(n));
        std::vector<String> arguments;
        for (size_t start = 0, end; (end = recorded.find('\0', start)) != String::npos; start = end + 1)
            arguments.push_back(recorded.substr(start, end - start));
        calls.push_back(arguments);
    }
    return calls;
}

void FakeLaunchctl::ForgetCalls() const {
    for (int n = 0; fs::remove(CallFile(n)); ++n) {
    }
    fs::remove(m_Folder / "count");
}

fs::path FakeLaunchctl::CallFile(int n) const {
    return m_Folder / ("call-" + std::to_string(n));
}
