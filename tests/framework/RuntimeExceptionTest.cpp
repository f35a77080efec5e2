#include "RuntimeException.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

// Out of line and with external linkage, so that its frame carries its mangled name.
[[gnu::noinline]] void ThrowNilObjectFromNamedFunction() {
    throw NilObjectException("thrown on purpose");
}

[[gnu::noinline]] void ThrowRuntimeExceptionFromNamedFunction() {
    throw RuntimeException();
}

namespace {

// Internal linkage: the dynamic symbol table does not name it.
[[gnu::noinline]] void ThrowFromUnnamedFunction() {
    throw IOException();
}

template <class Thrower> RuntimeException CaughtFrom(Thrower thrower) {
    try {
        thrower();
    } catch (RuntimeException& e) {
        return e;
    }
    ADD_FAILURE() << "nothing was thrown";
    return RuntimeException();
}

String ClassNameHandled(std::exception_ptr caught) {
    String name = "handler not called";
    WithRuntimeException(caught, [&](RuntimeException& e) { name = e.ClassName(); });
    return name;
}

} // namespace

TEST(RuntimeExceptionTest, EachClassNamesItselfAndIsCaughtAsRuntimeException) {
    const std::pair<std::exception_ptr, String> cases[] = {
        {std::make_exception_ptr(RuntimeException()), "RuntimeException"},
        {std::make_exception_ptr(NilObjectException()), "NilObjectException"},
        {std::make_exception_ptr(TypeMismatchException()), "TypeMismatchException"},
        {std::make_exception_ptr(IllegalCastException()), "IllegalCastException"},
        {std::make_exception_ptr(OutOfBoundsException()), "OutOfBoundsException"},
        {std::make_exception_ptr(StackOverflowException()), "StackOverflowException"},
        {std::make_exception_ptr(OutOfMemoryException()), "OutOfMemoryException"},
        {std::make_exception_ptr(InvalidParentException()), "InvalidParentException"},
        {std::make_exception_ptr(KeyNotFoundException()), "KeyNotFoundException"},
        {std::make_exception_ptr(UnsupportedFormatException()), "UnsupportedFormatException"},
        {std::make_exception_ptr(EndException()), "EndException"},
        {std::make_exception_ptr(ShellNotRunningException()), "ShellNotRunningException"},
        {std::make_exception_ptr(ShellNotAvailableException()), "ShellNotAvailableException"},
        {std::make_exception_ptr(IOException()), "IOException"},
    };
    for (const auto& [caught, name] : cases)
        EXPECT_EQ(ClassNameHandled(caught), name);
}

TEST(RuntimeExceptionTest, StackStartsAtTheFunctionThatThrew) {
    for (auto thrower : {&ThrowNilObjectFromNamedFunction, &ThrowRuntimeExceptionFromNamedFunction}) {
        StringArray stack = CaughtFrom(thrower).Stack();
        ASSERT_GE(stack.Ubound(), 1);
        EXPECT_TRUE(stack[0].starts_with("_Z")) << stack[0];
        EXPECT_NE(stack[0].find("FromNamedFunction"), String::npos) << stack[0];
    }
}

TEST(RuntimeExceptionTest, StackNamesTheCallersToo) {
    StringArray stack = CaughtFrom(&ThrowNilObjectFromNamedFunction).Stack();
    bool testBodyListed = false;
    for (const auto& frame : stack.Items())
        testBodyListed = testBodyListed || frame.find("StackNamesTheCallersToo") != String::npos;
    EXPECT_TRUE(testBodyListed);
}

TEST(RuntimeExceptionTest, FrameWithoutSymbolNameGivesFileAndOffsetAndNoEntryAPath) {
    StringArray stack = CaughtFrom(&ThrowFromUnnamedFunction).Stack();
    ASSERT_GE(stack.Ubound(), 0);
    EXPECT_TRUE(stack[0].starts_with("framework_tests+0x")) << stack[0];
    for (const auto& frame : stack.Items())
        EXPECT_EQ(frame.find('/'), String::npos) << frame;
}

TEST(RuntimeExceptionTest, StackEntryOfEachFormOfSymbolLine) {
    const std::pair<const char*, String> cases[] = {
        {"/home/ann/qt/lib/libQt6Widgets.so.6(+0x1a2b3c) [0x7f0011223344]", "libQt6Widgets.so.6+0x1a2b3c"},
        {"/home/ann/wordloom/bin/wordloom(_Z3foov+0x12) [0x55aa00001234]", "_Z3foov"},
        {"/lib/x86_64-linux-gnu/libc.so.6(__libc_start_main+0x85) [0x7f00]", "__libc_start_main"},
        {"/home/ann/bin/wordloom(_Z3foov-0x4) [0x55aa]", "_Z3foov"},
        {"/home/ann (old)/b[1]/wordloom(+0x42) [0x55aa]", "wordloom+0x42"},
        {"bin/wordloom(+0x42) [0x55aa]", "wordloom+0x42"},
        {"/home/ann/bin/wordloom() [0x55aa]", "wordloom"},
        {"[0x7f0011223344]", "[0x7f0011223344]"},
    };
    for (const auto& [line, entry] : cases)
        EXPECT_EQ(StackEntryText(line), entry) << line;
}

TEST(RuntimeExceptionTest, CopyKeepsMessageClassAndStack) {
    try {
        ThrowNilObjectFromNamedFunction();
    } catch (RuntimeException& e) {
        RuntimeException copy(e);
        EXPECT_EQ(copy.Message(), "thrown on purpose");
        EXPECT_STREQ(copy.what(), "thrown on purpose");
        EXPECT_EQ(copy.Stack(), e.Stack());
    }
}

TEST(RuntimeExceptionTest, WithRuntimeExceptionTurnsOtherExceptionsIntoOurs) {
    EXPECT_EQ(ClassNameHandled(std::make_exception_ptr(std::bad_alloc())), "OutOfMemoryException");
    EXPECT_EQ(ClassNameHandled(std::make_exception_ptr(std::out_of_range("x"))), "RuntimeException");
    EXPECT_EQ(ClassNameHandled(std::make_exception_ptr(42)), "RuntimeException");
}

TEST(RuntimeExceptionTest, WithRuntimeExceptionPassesOurExceptionItself) {
    std::exception_ptr caught;
    try {
        ThrowNilObjectFromNamedFunction();
    } catch (...) {
        caught = std::current_exception();
    }
    WithRuntimeException(caught, [](RuntimeException& e) {
        EXPECT_EQ(e.Message(), "thrown on purpose");
        EXPECT_NE(e.Stack()[0].find("ThrowNilObjectFromNamedFunction"), String::npos);
    });
}

TEST(RuntimeExceptionTest, WithRuntimeExceptionKeepsTheMessageOfOtherExceptions) {
    String message;
    WithRuntimeException(std::make_exception_ptr(std::runtime_error("disk on fire")),
                         [&](RuntimeException& e) { message = e.Message(); });
    EXPECT_EQ(message, "disk on fire");
}
