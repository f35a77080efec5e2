#pragma once

#include "Strings.h"

/// The shell commands that find the system spelling service and stop it.
namespace SpellingService {
/// Lists the service's jobs: one line of TAB-separated fields per match, the label last.
String ListCommand();
/// The third TAB-separated field of the whole listing, trimmed.
String LabelFromListing(const String& listing);
/// Stops the job of that label. The label is one argument, whatever characters it holds.
String StopCommand(const String& label);
/// The text as one word of the shell, in which no character has a meaning of its own.
String ShellQuoted(const String& text);
} // namespace SpellingService
