#pragma once

#include "Ref.h"

class FileType;

/// The application's two document types, declared at start-up.
namespace FileTypes1 {
void _Initialize();
/// The plain-text type, the filter of the import and export dialogs.
Ref<FileType> Text();
/// Releases pAny, then pText, at the final clean-up.
void _Release();
} // namespace FileTypes1
