#include "SpellingService.h"

namespace SpellingService {

String ListCommand() {
    return "launchctl list | grep AppleSpell";
}

String LabelFromListing(const String& listing) {
    return Trim(NthField(listing, Chr(9), 3));
}

String StopCommand(const String& label) {
    return "launchctl stop " + ShellQuoted(label);
}

// Inside single quotes the shell takes every character literally except the closing quote; a
// quote in the text closes the quoting, adds an escaped quote and opens it again.
String ShellQuoted(const String& text) {
    return "'" + ReplaceAll(text, "'", "'\\''") + "'";
}

} // namespace SpellingService
