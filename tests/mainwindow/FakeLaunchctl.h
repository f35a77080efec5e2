#pragma once

#include "Strings.h"

#include <filesystem>
#include <vector>

/// A `launchctl` script put first on PATH for the life of the object. It prints the listing it is
/// given for `list`, the stop output it is given for `stop`, and records every call's arguments.
class FakeLaunchctl {
public:
    FakeLaunchctl();
    ~FakeLaunchctl();
    FakeLaunchctl(const FakeLaunchctl&) = delete;
    FakeLaunchctl& operator=(const FakeLaunchctl&) = delete;

    void Listing(const String& text) const;
    void StopOutput(const String& text) const;
    /// The arguments of every call, in the order of the calls.
    std::vector<std::vector<String>> Calls() const;
    void ForgetCalls() const;
    const std::filesystem::path& Folder() const { return m_Folder; }

private:
    std::filesystem::path CallFile(int n) const;

    std::filesystem::path m_Folder;
    String m_SavedPath;
};
