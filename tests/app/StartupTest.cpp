#include "Startup.h"
#include "App.h"
#include "ClassRegistry.h"
#include "FileType.h"
#include "FileTypes1.h"
#include "MenuBar1.h"
#include "MsgBox.h"
#include "Runtime.h"
#include "Window.h"
#include "mainwindow/winMain.h"
#include "support/RecordingAnswerer.h"
#include "support/TempHome.h"

#include <QApplication>

#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(home.Spelling());
        answerer = std::make_shared<RecordingAnswerer>();
        SetModalAnswerer(answerer);
        int argc = 0;
        Runtime::RuntimeInit(argc, nullptr);
        _RegisterClasses();
    }
    void TearDown() override {
        _ReleaseModuleObjects();
        Runtime::RuntimeExit();
        SetModalAnswerer(nullptr);
    }

    TempHome home;
    std::shared_ptr<RecordingAnswerer> answerer;
};

std::vector<String> ApplicationClassNames() {
    std::vector<String> names;
    bool ours = false;
    for (const ClassInfo& info : ClassRegistry::Classes()) {
        ours = ours || info.Name == "App";
        if (ours)
            names.push_back(info.Name);
    }
    return names;
}

} // namespace

TEST_F(StartupTest, RegistersTheFrameworkClassesFirstThenTheApplicationsInOrder) {
    EXPECT_EQ(ClassRegistry::Classes().front().Name, "Object");
    EXPECT_EQ(ApplicationClassNames(),
              (std::vector<String>{"App", "MenuBar1", "Toolbar1", "winMain", "winDebug", "winAbout"}));
    const ClassInfo* main = ClassRegistry::Find("winMain");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->Base, "Window");
    EXPECT_EQ(main->Members.front().Name, "Layout");
    EXPECT_EQ(main->Members.back().Name, "m_Delim");
    EXPECT_EQ(main->Members.back().Access, Scope::Protected);
}

TEST_F(StartupTest, MakesOnePairOfTypesOneAppWithOneMenuBarAndOneMainWindow) {
    _Startup();

    std::vector<RegisteredFileType> types = FileTypeRegistry::Types();
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].Name, "special/any");
    EXPECT_EQ(types[1].Name, "text/plain");

    Ref<class App> app = App();
    ASSERT_TRUE(app);
    EXPECT_EQ(app->MenuBar, MenuBar1());

    std::vector<Ref<Window>> open = WindowList::OpenWindows();
    ASSERT_EQ(open.size(), 1u);
    Ref<class winMain> main = Cast<class winMain>(open.front());
    EXPECT_EQ(main->MenuBar(), app->MenuBar);
    EXPECT_EQ(winMain(), main);
    EXPECT_EQ(main->Title(), "Wordloom");
    EXPECT_EQ(main->Width(), 476);
    EXPECT_EQ(main->Height(), 300);
}

TEST_F(StartupTest, TheCleanUpReleasesTheMenuBarAndWithdrawsBothTypes) {
    _Startup();
    Ref<class MenuBar1> bar = MenuBar1();
    std::weak_ptr<MenuItem> weak = bar.Shared();
    App()->MenuBar = nullptr;
    bar = nullptr;

    _ReleaseModuleObjects();

    EXPECT_TRUE(WindowList::OpenWindows().empty());
    EXPECT_TRUE(FileTypeRegistry::Types().empty());
    EXPECT_TRUE(FileTypes1::Text().IsNil());
    EXPECT_TRUE(weak.expired());
}

TEST_F(StartupTest, ClosingTheMainWindowEndsTheLoopWithStatusZero) {
    QTimer::singleShot(0, [] { winMain()->Close(); });
    _Main();

    EXPECT_TRUE(WindowList::OpenWindows().empty());
    EXPECT_EQ(Runtime::RuntimeExit(), 0);
    EXPECT_TRUE(answerer->Messages().empty());
}

TEST_F(StartupTest, AnExceptionEscapingStartUpIsHandledOnceAndTheLoopNeverRuns) {
    bool loopRan = false;
    QTimer::singleShot(0, [&] { loopRan = true; });

    _RunMain([] { throw NilObjectException(); });
    QApplication::processEvents();

    ASSERT_EQ(answerer->Messages().size(), 1u);
    EXPECT_NE(answerer->Messages()[0].find("NilObjectException"), String::npos);
    EXPECT_FALSE(loopRan && Runtime::IsRunning());
    EXPECT_NE(Runtime::RuntimeExit(), 0);
}

TEST_F(StartupTest, AnExceptionEscapingAHandlerEndsTheLoopThroughTheSameDoor) {
    QTimer::singleShot(0, [] { Dispatch([] { throw OutOfBoundsException(); }); });

    _Main();

    ASSERT_EQ(answerer->Messages().size(), 1u);
    EXPECT_NE(answerer->Messages()[0].find("OutOfBoundsException"), String::npos);
    EXPECT_NE(Runtime::RuntimeExit(), 0);
}

TEST_F(StartupTest, QuitBeforeTheLoopRunsKeepsTheLoopFromStarting) {
    bool loopRan = false;
    QTimer::singleShot(0, [&] { loopRan = true; });

    _RunMain([] { Quit(0); });

    EXPECT_FALSE(loopRan);
    EXPECT_EQ(Runtime::RuntimeExit(), 0);
}
