#pragma once

#include "Strings.h"

/// Where the crash report form goes: the maker's crash-log server, over plain HTTP on the default
/// port.
namespace CrashLogEndpoint {
String Address();
/// Sends the forms to another address (a server of one's own); an empty address restores the maker's.
void SetAddress(const String& address);
} // namespace CrashLogEndpoint
