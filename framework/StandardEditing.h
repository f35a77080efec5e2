#pragma once

#include "Strings.h"

/// The framework's standard editing of the focused text control, for the Edit items that no
/// handler takes: EditUndo, EditCut, EditCopy, EditPaste, EditClear and EditSelectAll.
namespace StandardEditing {
/// Whether the item names a standard editing command that the focused control can carry out now.
bool IsAvailable(const String& itemName);
/// Carries the command out on the focused control; false when it is no such command.
bool Perform(const String& itemName);
} // namespace StandardEditing
