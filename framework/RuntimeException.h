#pragma once

#include "StringArray.h"

#include <exception>
#include <functional>
#include <memory>
#include <string_view>

/// The base of every exception the framework and the application raise. Each records the call
/// stack of the place where it was made, so that a report can show where a failure began.
class RuntimeException : public std::exception {
public:
    RuntimeException();
    explicit RuntimeException(String message);
    ~RuntimeException() override;
    RuntimeException(const RuntimeException&);
    RuntimeException& operator=(const RuntimeException&);

    /// One entry per frame, innermost first: the frame's mangled symbol name where it has one.
    StringArray Stack() const;
    const String& Message() const { return m_Message; }
    const char* what() const noexcept override { return m_Message.c_str(); }

    /// The exception's class name as the application spells it ("NilObjectException").
    virtual const char* ClassName() const { return "RuntimeException"; }

private:
    String m_Message;
    std::shared_ptr<const std::vector<void*>> m_Frames;
};

#define WORDLOOM_DECLARE_EXCEPTION(Name)                                                                     \
    class Name : public RuntimeException {                                                                   \
    public:                                                                                                  \
        using RuntimeException::RuntimeException;                                                            \
        const char* ClassName() const override { return #Name; }                                             \
    };

WORDLOOM_DECLARE_EXCEPTION(NilObjectException)
WORDLOOM_DECLARE_EXCEPTION(TypeMismatchException)
WORDLOOM_DECLARE_EXCEPTION(IllegalCastException)
WORDLOOM_DECLARE_EXCEPTION(OutOfBoundsException)
WORDLOOM_DECLARE_EXCEPTION(StackOverflowException)
WORDLOOM_DECLARE_EXCEPTION(OutOfMemoryException)
WORDLOOM_DECLARE_EXCEPTION(InvalidParentException)
WORDLOOM_DECLARE_EXCEPTION(KeyNotFoundException)
WORDLOOM_DECLARE_EXCEPTION(UnsupportedFormatException)
WORDLOOM_DECLARE_EXCEPTION(EndException)
WORDLOOM_DECLARE_EXCEPTION(ShellNotRunningException)
WORDLOOM_DECLARE_EXCEPTION(ShellNotAvailableException)
WORDLOOM_DECLARE_EXCEPTION(IOException)

#undef WORDLOOM_DECLARE_EXCEPTION

/// The stack entry of one line of backtrace_symbols: the frame's symbol name where it has one, else
/// the base name of its file and the offset ("libQt6Widgets.so.6+0x1a2b3c"); never a path.
String StackEntryText(std::string_view symbolLine);

/// Rethrows `caught` and hands it to `handler` as a RuntimeException: C++ exceptions that are not
/// ours become OutOfMemoryException (std::bad_alloc) or a plain RuntimeException.
void WithRuntimeException(std::exception_ptr caught, const std::function<void(RuntimeException&)>& handler);
