#pragma once

#include "Strings.h"

#include <filesystem>

/// What the streams share when they open and fail: internal to the framework.
namespace FileOpening {
/// Raises IOException naming the file, what failed and the system's reason.
[[noreturn]] void Raise(const std::filesystem::path& path, const String& what, int error);
/// A descriptor of the file opened for reading (or reading and writing); raises IOException when
/// it cannot be opened or is no regular file (a folder, a FIFO, a device, a socket), without ever
/// waiting for one.
int OpenExisting(const std::filesystem::path& path, bool write);
} // namespace FileOpening
