#pragma once

#include <filesystem>

/// An advisory lock on a folder, held for as long as the object lives, so that copies of the program
/// take turns with the files in it. It adds no file to the folder. Where the folder cannot be opened
/// or locked, or another holder keeps it for longer than the wait, the lock is not held and the work
/// goes on without it, as it did before there was one.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_Fd = -1;
};
