#include "Runtime.h"

#include "DeferredIconStyle.h"
#include "MsgBox.h"
#include "Window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

struct RuntimeState {
    std::unique_ptr<QApplication> ownApplication;
    bool quitRequested = false;
    int quitCode = 0;
    bool running = false;
    bool unhandled = false;
    std::exception_ptr escaped;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

// QApplication keeps references to argc and argv for its whole life.
int g_Argc = 1;
char g_Arg0[] = "wordloom";
char* g_Argv[] = {g_Arg0, nullptr};

// The toolkit would abort with a message of its own; a person should learn what is missing.
void ExitWithoutADisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM"))
        return;
    std::fprintf(stderr, "Wordloom is a desktop program and needs a graphical display: DISPLAY and "
                         "WAYLAND_DISPLAY are not set.\n");
    std::exit(1);
}

} // namespace

namespace Runtime {

void RuntimeInit(int& argc, char** argv) {
    RuntimeState& state = State();
    state = RuntimeState{};
    if (!QApplication::instance()) {
        ExitWithoutADisplay();
        if (argc > 0 && argv) {
            g_Argc = argc;
            state.ownApplication = std::make_unique<QApplication>(argc, argv);
        } else {
            state.ownApplication = std::make_unique<QApplication>(g_Argc, g_Argv);
        }
    }
    // The style that the application made already is taken over, not made a second time.
    if (!dynamic_cast<DeferredIconStyle*>(QApplication::style()))
        QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
    // The application decides when to quit (AutoQuit), not the toolkit.
    QApplication::setQuitOnLastWindowClosed(false);
}

void _RunFrameworkInitialization(const std::function<void()>& startup) {
    startup();
}

void _RuntimeRun() {
    RuntimeState& state = State();
    if (!state.quitRequested) {
        state.running = true;
        QApplication::exec();
        state.running = false;
    }
    if (state.escaped) {
        std::exception_ptr escaped = state.escaped;
        state.escaped = nullptr;
        std::rethrow_exception(escaped);
    }
}

void _UnhandledException(const RuntimeException& e) {
    State().unhandled = true;
    MsgBox(String("An exception of class ") + e.ClassName() +
           " was not handled. The application must shut down.");
}

int RuntimeExit() {
    RuntimeState& state = State();
    int status = state.unhandled ? 1 : state.quitCode;
    // The process's own QApplication goes with the runtime; one made by a host (a test) stays.
    state.ownApplication.reset();
    state = RuntimeState{};
    return status;
}

bool IsRunning() {
    return State().running;
}

bool QuitRequested() {
    return State().quitRequested;
}

int QuitCode() {
    return State().quitCode;
}

} // namespace Runtime

void Quit(int code) {
    RuntimeState& state = State();
    state.quitRequested = true;
    state.quitCode = code;
    if (state.running)
        QApplication::exit(code);
}

void Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        RuntimeState& state = State();
        if (!state.escaped)
            state.escaped = std::current_exception();
        state.quitRequested = true;
        if (state.running)
            QApplication::exit(1);
    }
}
