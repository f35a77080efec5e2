#pragma once

#include <filesystem>
#include <functional>

/// Plays another program that acts at the exact moment of a save's rename. While it lives, each call
/// of rename or renameat2 in this process that puts a file at `target` runs `before` first, with the
/// call's number from 0, and `after` once the call returned. `before` gives an errno for the call
/// to fail with, as a file system that refuses it would, or 0 to let it go on.
class AtTheRename {
public:
    using Before = std::function<int(int call)>;
    using After = std::function<void(int call)>;

    AtTheRename(std::filesystem::path target, Before before, After after = {});
    ~AtTheRename();
    AtTheRename(const AtTheRename&) = delete;
    AtTheRename& operator=(const AtTheRename&) = delete;

    /// How many renames onto the target there were.
    int Calls() const { return m_Calls; }

    /// Runs the real call between the acts, when it renames onto the armed target.
    static int Around(const char* newPath, const std::function<int()>& call);

private:
    std::filesystem::path m_Target;
    Before m_Before;
    After m_After;
    int m_Calls = 0;
};
