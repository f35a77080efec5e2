#include "DebugGlobals.h"

#include "App.h"
#include "CrashLogEndpoint.h"
#include "Dictionary.h"
#include "FolderItem.h"
#include "HTTPSocket.h"
#include "Runtime.h"
#include "winDebug.h"

#include <cstdlib>
#include <cxxabi.h>

namespace {

struct ClassSentence {
    bool (*IsMember)(const RuntimeException& e);
    const char* Sentence;
};

template <class E> bool IsMemberOf(const RuntimeException& e) {
    return dynamic_cast<const E*>(&e) != nullptr;
}

// Tested top to bottom; the first class the exception belongs to names it. The sentences are the
// reports' established texts, misspellings included: do not correct them.
constexpr ClassSentence kClassSentences[] = {
    {IsMemberOf<TypeMismatchException>, "A TypeMismatchExcption was raised in "},
    {IsMemberOf<NilObjectException>, "A NilObjectException was raised in "},
    {IsMemberOf<IllegalCastException>, "An IllegaCastException was raised in "},
    {IsMemberOf<OutOfBoundsException>, "An OutOfBoundsException was raised in "},
    {IsMemberOf<StackOverflowException>, "A StackOverflowException was raised in "},
    {IsMemberOf<OutOfMemoryException>, "An OutOfMemoryException was raised in "},
    {IsMemberOf<InvalidParentException>, "An InvalidParentException was raised in "},
    {IsMemberOf<KeyNotFoundException>, "A KeyNotFoundException was raised in "},
    {IsMemberOf<ShellNotRunningException>, "A ShellNotrunningException was raised in "},
    {IsMemberOf<ShellNotAvailableException>, "A ShellNotAvailableException was raised in "},
    {IsMemberOf<UnsupportedFormatException>, "A UnsupportedFormatException was raised in "},
};

const char* const kUnknownSentence = "An unknown exception was raised in ";

// Why the report could not be posted, or nothing once it is on its way. A report is made when
// something has gone wrong already; one that cannot leave must not fail unseen.
String PostReport(HTTPSocket& socket) {
    try {
        socket.Post(CrashLogEndpoint::Address());
    } catch (const IOException& e) {
        return "The report above was not sent. " + e.Message();
    }
    return String();
}

String ExceptionSentence(const RuntimeException& e, const String& location) {
    // An EndException ends the application on purpose: its report names no class and no place.
    if (IsMemberOf<EndException>(e))
        return String();
    for (const ClassSentence& entry : kClassSentences) {
        if (entry.IsMember(e))
            return entry.Sentence + location;
    }
    return kUnknownSentence + location;
}

} // namespace

namespace DebugGlobals {

void ExceptionReport(RuntimeException& e, const String& location) {
    try {
        LogMessage(BuildReport(e, location, GetErrorStack(e)));
    } catch (...) {
        // A report that cannot be made would fail again if reported: the application ends instead.
        Quit(0);
    }
}

String BuildReport(const RuntimeException& e, const String& location, const StringArray& stackLines) {
    return ExceptionSentence(e, location) + EndOfLine() + "Stack:" + EndOfLine() +
           Join(stackLines, EndOfLine());
}

StringArray GetErrorStack(const RuntimeException& e) {
    return DemangleStack(e.Stack());
}

StringArray DemangleStack(const StringArray& stack) {
    StringArray lines;
    int64_t last = stack.Ubound();
    for (int64_t i = 0; i <= last; ++i) {
        String demangled = CPPDemangle(stack[i]);
        lines.Append(demangled.empty() ? stack[i] : demangled);
    }
    return lines;
}

String CPPDemangle(const String& name) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    if (status != 0)
        return String();
    String text(demangled);
    std::free(demangled);
    return text;
}

void LogMessage(const String& report) {
    Dictionary form;
    Ref<class App> app = App();
    String appName = app->ExecutableFile()->Name();
    String version =
        VersionNumbers(app->MajorVersion, app->MinorVersion, app->BugVersion, app->NonReleaseVersion);
    Ref<HTTPSocket> socket;
    String unsent;
    std::exception_ptr failure;
    try {
        version += StageSuffix(app->StageCode);
        form.Value("app", appName);
        form.Value("version", version);
        form.Value("stack", report);
        socket = New<HTTPSocket>();
        socket->SetFormData(form);
        unsent = PostReport(*socket);
    } catch (...) {
        failure = std::current_exception();
    }
    // The report stands in the window whatever became of the post.
    winDebug()->Append(report);
    if (!unsent.empty())
        winDebug()->Append(unsent);
    if (failure)
        std::rethrow_exception(failure);
}

String VersionNumbers(int32_t major, int32_t minor, int32_t bug, int32_t nonRelease) {
    return Str(major) + "." + Str(minor) + "." + Str(bug) + "." + Str(nonRelease);
}

String StageSuffix(int32_t stageCode) {
    switch (stageCode) {
    case 0:
        return "(Development)";
    case 1:
        return "(Alpha)";
    case 2:
        return "(Beta)";
    case 3:
        return "(Final)";
    default:
        return String();
    }
}

} // namespace DebugGlobals
