#pragma once

#include "Strings.h"

/// Points the crash report form at a loopback port on which nothing listens, for the whole test
/// process: no test ever sends a report off this machine. Tests that want to read the reports point
/// it at a server of their own for a while and then back here.
namespace QuietCrashLog {
void Install();
const String& Address();
} // namespace QuietCrashLog
