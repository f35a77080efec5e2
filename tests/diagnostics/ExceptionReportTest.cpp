#include "diagnostics/DebugGlobals.h"

#include "Application.h"
#include "DiagnosticsTest.h"
#include "Runtime.h"
#include "TextArea.h"
#include "Window.h"
#include "diagnostics/winDebug.h"

#include <QTest>

#include <memory>

using namespace DebugGlobals;

namespace {

class MissingWindowException : public NilObjectException {};

struct SentenceCase {
    std::function<std::unique_ptr<RuntimeException>()> make;
    String sentence;
};

template <class E> std::function<std::unique_ptr<RuntimeException>()> Make() {
    return [] { return std::make_unique<E>(); };
}

const String kLocation = "winMain.Methods.SaveDictionary";

} // namespace

// Out of any namespace, so that the stack names it by its mangled name. Raising the exception keeps
// the function's own frame (a returned one could be made by a tail call).
[[gnu::noinline]] NilObjectException DiagnosticsTestMakeFailure() {
    try {
        throw NilObjectException();
    } catch (NilObjectException& e) {
        return e;
    }
}

TEST(ExceptionReport, NamesTheClassInItsOwnSentence) {
    const SentenceCase cases[] = {
        {Make<TypeMismatchException>(), "A TypeMismatchExcption was raised in "},
        {Make<NilObjectException>(), "A NilObjectException was raised in "},
        {Make<MissingWindowException>(), "A NilObjectException was raised in "},
        {Make<IllegalCastException>(), "An IllegaCastException was raised in "},
        {Make<OutOfBoundsException>(), "An OutOfBoundsException was raised in "},
        {Make<StackOverflowException>(), "A StackOverflowException was raised in "},
        {Make<OutOfMemoryException>(), "An OutOfMemoryException was raised in "},
        {Make<InvalidParentException>(), "An InvalidParentException was raised in "},
        {Make<KeyNotFoundException>(), "A KeyNotFoundException was raised in "},
        {Make<ShellNotRunningException>(), "A ShellNotrunningException was raised in "},
        {Make<ShellNotAvailableException>(), "A ShellNotAvailableException was raised in "},
        {Make<UnsupportedFormatException>(), "A UnsupportedFormatException was raised in "},
        {Make<IOException>(), "An unknown exception was raised in "},
        {Make<RuntimeException>(), "An unknown exception was raised in "},
    };
    for (const SentenceCase& c : cases) {
        std::unique_ptr<RuntimeException> e = c.make();
        EXPECT_EQ(BuildReport(*e, kLocation, {"a", "b"}), c.sentence + kLocation + "\nStack:\na\nb")
            << e->ClassName();
    }
}

TEST(ExceptionReport, EndExceptionHasNoSentenceAndNoLocation) {
    EXPECT_EQ(BuildReport(EndException(), kLocation, {"a"}), "\nStack:\na");
}

TEST(ExceptionReport, EmptyStackEndsWithTheHeadingAndOneLineEnding) {
    EXPECT_EQ(BuildReport(NilObjectException(), kLocation, {}),
              "A NilObjectException was raised in winMain.Methods.SaveDictionary\nStack:\n");
}

TEST(ExceptionReport, EmptyLocationKeepsTheSentencesTrailingBlank) {
    EXPECT_EQ(BuildReport(IOException(), "", {"a"}), "An unknown exception was raised in \nStack:\na");
}

TEST(ExceptionReport, DemanglesMangledEntriesAndKeepsTheOthers) {
    StringArray stack{"_ZN7winMain14SaveDictionaryEv", "main", "libc.so.6+0x271ca", "", "_ZN7winMain5Bogus"};
    StringArray expected{"winMain::SaveDictionary()", "main", "libc.so.6+0x271ca", "", "_ZN7winMain5Bogus"};
    EXPECT_EQ(DemangleStack(stack), expected);
}

TEST(ExceptionReport, CPPDemangleGivesEmptyTextForWhatIsNotMangled) {
    EXPECT_EQ(CPPDemangle("_ZN7winMain14SaveDictionaryEv"), "winMain::SaveDictionary()");
    EXPECT_EQ(CPPDemangle("winMain::SaveDictionary"), "");
    EXPECT_EQ(CPPDemangle(""), "");
}

TEST(ExceptionReport, ErrorStackHasOneLinePerFrameOfTheException) {
    NilObjectException e = DiagnosticsTestMakeFailure();
    StringArray stack = e.Stack();
    StringArray lines = GetErrorStack(e);
    ASSERT_EQ(lines.Ubound(), stack.Ubound());
    ASSERT_GE(lines.Ubound(), 0);
    EXPECT_EQ(stack[0], "_Z26DiagnosticsTestMakeFailurev");
    EXPECT_EQ(lines[0], "DiagnosticsTestMakeFailure()");
}

using ExceptionReportDelivery = DiagnosticsTest;

TEST_F(ExceptionReportDelivery, PostsAndShowsOneReport) {
    NilObjectException e;
    ExceptionReport(e, "winMain.Events.Open");

    String report = BuildReport(e, "winMain.Events.Open", GetErrorStack(e));
    ASSERT_TRUE(OpenLog());
    EXPECT_TRUE(IsStampedEntry(OpenLog()->txtLog()->Text(), report));
    ASSERT_TRUE(server.WaitForRequests(1));
    EXPECT_NE(SplitRequest(server.Requests()[0])
                  .Body.find("&stack=A+NilObjectException+was+raised+in+winMain.Events.Open%0AStack:%0A"),
              String::npos);
    // No path of this machine leaves it with the report.
    EXPECT_EQ(server.Requests()[0].find("%2F"), String::npos);
    EXPECT_FALSE(Runtime::QuitRequested());
}

TEST_F(ExceptionReportDelivery, FailureWhileReportingQuitsWithoutReportingIt) {
    // Without an application object the form cannot name the application.
    _RuntimeRegisterAppObject(nullptr);
    NilObjectException e;
    ExceptionReport(e, "winMain.Events.Open");

    EXPECT_TRUE(Runtime::QuitRequested());
    EXPECT_EQ(Runtime::QuitCode(), 0);
    EXPECT_FALSE(OpenLog());
    QTest::qWait(100);
    EXPECT_EQ(server.Connections(), 0u);
}

TEST_F(ExceptionReportDelivery, FailingAppendQuitsAfterThePostWasStarted) {
    // Another window holds the message log window's place, so the log cannot be reached.
    Ref<Window> impostor = New<Window>();
    WindowList::_RegisterImplicitInstance("winDebug.winDebug", impostor);
    impostor->_Construct();
    NilObjectException e;
    ExceptionReport(e, "winMain.Events.Open");

    EXPECT_TRUE(Runtime::QuitRequested());
    EXPECT_EQ(Runtime::QuitCode(), 0);
    ASSERT_TRUE(server.WaitForRequests(1));
    QTest::qWait(100);
    EXPECT_EQ(server.Connections(), 1u);
}
