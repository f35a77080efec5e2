#pragma once

#include "RuntimeException.h"

#include <functional>

/// The runtime's life: RuntimeInit, _RunFrameworkInitialization, _RuntimeRun, RuntimeExit.
namespace Runtime {
/// Starts the runtime: makes the GUI application object unless one exists already.
void RuntimeInit(int& argc, char** argv);
/// Initialises the framework, then calls the application's start-up routine.
void _RunFrameworkInitialization(const std::function<void()>& startup);
/// Runs the event loop until the application quits. An exception that escaped a handler ends the
/// loop and is raised again here, so that it reaches the caller's catch.
void _RuntimeRun();
/// The framework's handling of an exception that no handler caught: tells the user and makes the
/// exit status non-zero.
void _UnhandledException(const RuntimeException& e);
/// Shuts the runtime down; the result is the process's exit status.
int RuntimeExit();
/// Whether the event loop is running now.
bool IsRunning();
/// Whether the application was asked to quit since the runtime started, and the exit code asked for.
bool QuitRequested();
int QuitCode();
} // namespace Runtime

/// Asks the application to quit with the exit code. Before the event loop runs, the loop is then not
/// entered at all. Returns to its caller.
void Quit(int code = 0);

/// The one door through which the framework calls the application's event handlers: nothing escapes
/// it into the GUI toolkit. An escaped exception ends the event loop and goes to _Main.
void Dispatch(const std::function<void()>& handler);
