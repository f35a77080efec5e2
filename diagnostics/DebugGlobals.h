#pragma once

#include "RuntimeException.h"

/// The diagnostics: a caught failure becomes a report that is posted to the crash-log endpoint and
/// shown in the message log window.
namespace DebugGlobals {
/// Reports the exception caught at the location ("winMain.Methods.SaveDictionary"). When reporting
/// itself fails, the application quits instead.
void ExceptionReport(RuntimeException& e, const String& location);
/// The exception's stack, each entry demangled where it can be.
StringArray GetErrorStack(const RuntimeException& e);
/// The demangled text of a mangled name, or the empty string.
String CPPDemangle(const String& name);
/// Posts the report as the crash report form, then appends it to the message log window.
void LogMessage(const String& report);

/// The report of the exception caught at the location, with the stack lines given (those of
/// GetErrorStack when ExceptionReport builds it).
String BuildReport(const RuntimeException& e, const String& location, const StringArray& stackLines);
/// The stack entries, each demangled where it can be.
StringArray DemangleStack(const StringArray& stack);
/// The version numbers as the crash report form sends them: "1.2.0.5".
String VersionNumbers(int32_t major, int32_t minor, int32_t bug, int32_t nonRelease);
/// What follows the version numbers for the release stage: "(Final)" for 3; nothing for a stage
/// that has no name.
String StageSuffix(int32_t stageCode);
} // namespace DebugGlobals

/// Runs a handler's or method's whole body; any exception it raises, a C++ one too, is reported
/// with the location and dropped, so that the caller goes on.
template <class Body> void ReportingFailures(const String& location, Body&& body) {
    try {
        body();
    } catch (...) {
        WithRuntimeException(std::current_exception(),
                             [&](RuntimeException& e) { DebugGlobals::ExceptionReport(e, location); });
    }
}
