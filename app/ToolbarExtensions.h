#pragma once

#include "Ref.h"

class Toolbar;
class ToolItem;

/// Lookups on a toolbar beside the framework's own.
namespace ToolbarExtensions {
/// The item of that name, the first one when several share it; Nil when none has it. A failure (a
/// Nil toolbar) is reported and gives Nil.
Ref<ToolItem> Item(const Ref<Toolbar>& toolbar, const String& name);
} // namespace ToolbarExtensions
