#include "Shell.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace {

constexpr size_t kChunkSize = 1 << 16;

class Pipe {
public:
    Pipe() {
        if (pipe2(m_Fds, O_CLOEXEC) != 0)
            throw ShellNotAvailableException("Cannot make a pipe: " + std::generic_category().message(errno));
    }
    ~Pipe() {
        CloseWriteEnd();
        close(m_Fds[0]);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    int ReadEnd() const { return m_Fds[0]; }
    int WriteEnd() const { return m_Fds[1]; }
    void CloseWriteEnd() {
        if (m_Fds[1] >= 0)
            close(m_Fds[1]);
        m_Fds[1] = -1;
    }

private:
    int m_Fds[2] = {-1, -1};
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&m_Actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_Actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    posix_spawn_file_actions_t* Get() { return &m_Actions; }

private:
    posix_spawn_file_actions_t m_Actions;
};

String ReadAll(int fd) {
    String output;
    char chunk[kChunkSize];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return output;
        output.append(chunk, static_cast<size_t>(n));
    }
}

int WaitFor(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

} // namespace

void Shell::Execute(const String& commandLine) {
    m_Result.clear();
    m_ExitCode = 0;
    Pipe output;
    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.Get(), output.WriteEnd(), STDOUT_FILENO);
    // The command gets no input of ours: a command that reads would otherwise wait on the terminal,
    // or, when this process was started without one, on a descriptor it can never finish.
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // Nor does its error output reach our terminal: a command that is missing on this system would
    // otherwise complain there on every save.
    posix_spawn_file_actions_addopen(actions.Get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"sh", "-c", commandLine.c_str(), nullptr};
    pid_t child = 0;
    int error =
        posix_spawn(&child, "/bin/sh", actions.Get(), nullptr, const_cast<char* const*>(argv), environ);
    if (error != 0)
        throw ShellNotAvailableException("Cannot start /bin/sh: " + std::generic_category().message(error));
    output.CloseWriteEnd();
    m_Result = ReadAll(output.ReadEnd());
    m_ExitCode = WaitFor(child);
}
