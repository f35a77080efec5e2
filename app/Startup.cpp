#include "Startup.h"

#include "App.h"
#include "ClassRegistry.h"
#include "FileTypes1.h"
#include "MenuBar1.h"
#include "Runtime.h"
#include "Window.h"
#include "about/winAbout.h"
#include "diagnostics/winDebug.h"
#include "mainwindow/winMain.h"


int RunWordloom(int argc, char** argv) {
    Runtime::RuntimeInit(argc, argv);
    _RegisterClasses();
    _Main();
    _ReleaseModuleObjects();
    return Runtime::RuntimeExit();
}

void _RegisterClasses() {
    ClassRegistry::Clear();
    ClassRegistry::RegisterFrameworkClasses();
    ClassRegistry::Register({"App", "Application", {}});
    ClassRegistry::Register({"MenuBar1", "MenuBar", {{"Constructor"}, {"FileMenu"}, {"EditMenu"}}});
    ClassRegistry::Register(
        {"Toolbar1",
         "Toolbar",
         {{"Constructor"}, {"tbSave"}, {"ToolItem2"}, {"tbAdd"}, {"tbDelete"}, {"tbEdit"}}});
    ClassRegistry::Register(winMainClassInfo());
    ClassRegistry::Register(winDebugClassInfo());
    ClassRegistry::Register(winAboutClassInfo());
}

void _Main() {
    _RunMain(_Startup);
}

void _RunMain(const std::function<void()>& routine) {
    std::function<void()> startup = routine;
    try {
        Runtime::_RunFrameworkInitialization(startup);
        startup = nullptr;
        Runtime::_RuntimeRun();
    } catch (...) {
        WithRuntimeException(std::current_exception(),
                             [](RuntimeException& e) { Runtime::_UnhandledException(e); });
    }
}

void _Startup() {
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
    _MakeDefaultView();
}

void _InitFileTypes() {
    FileTypes1::_Initialize();
}

void _NewAppInstance() {
    Ref<class App> app = New<class App>();
    app->MenuBar = MenuBar1();
    _RuntimeRegisterAppObject(app);
}

void _ApplicationAddMenuHandlers() {
    // The application object handles no menu item: the windows and the framework take them all.
}

void _MakeDefaultView() {
    winMain();
}

void _ReleaseModuleObjects() {
    WindowList::_Release();
    _ReleaseMenuBar1();
    FileTypes1::_Release();
}
