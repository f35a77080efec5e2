#pragma once

#include "Ref.h"

/// Runs command lines through /bin/sh -c. In mode 0 Execute returns when the command has ended.
class Shell {
public:
    int Mode = 0;

    /// Raises ShellNotAvailableException when no shell can be started.
    void Execute(const String& commandLine);
    /// The standard output of the command run last; its error output is discarded.
    const String& Result() const { return m_Result; }
    int ExitCode() const { return m_ExitCode; }

private:
    String m_Result;
    int m_ExitCode = 0;
};
