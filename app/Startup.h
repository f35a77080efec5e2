#pragma once

#include <functional>

/// The process from start to exit: starts the runtime, registers the classes, runs _Main, releases
/// the module-level objects and gives the runtime's exit status.
int RunWordloom(int argc, char** argv);

/// Registers every class with the runtime: the framework's, then the application's in order.
void _RegisterClasses();
/// Runs the framework's initialisation with _Startup, then the event loop. Its one catch hands an
/// escaped exception to the framework's unhandled-exception handling.
void _Main();
/// _Main with the start-up routine given: the framework's initialisation calls it.
void _RunMain(const std::function<void()>& startup);
void _Startup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _MakeDefaultView();
/// Releases the module-level objects in the clean-up order.
void _ReleaseModuleObjects();
