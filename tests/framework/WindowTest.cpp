#include "Window.h"
#include "Listbox.h"
#include "MenuItem.h"
#include "ScreenPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Opened {
    std::vector<String> events;
};

class TwoListsWindow : public Window {
public:
    explicit TwoListsWindow(Opened& log) : m_Log(log) {}

    void Layout() override {
        m_Log.events.push_back("Layout");
        WindowDesign design;
        design.Width = 476;
        design.Height = 300;
        design.MinWidth = 470;
        design.MinHeight = 150;
        design.Title = "Two lists";
        ApplyDesign(design);
    }
    void CreateControls() override {
        m_Log.events.push_back("CreateControls");
        _AddControl("fixed", New<Listbox>());
        Control<Listbox>("fixed")->ApplyDesign(Design(20, 100, false));
        _AddControl("growing", New<Listbox>());
        Control<Listbox>("growing")->ApplyDesign(Design(132, 324, true));
    }
    void AddMenuHandlers(const Ref<Window>& window) override {
        m_Log.events.push_back(window.Get() == this ? "AddMenuHandlers"
                                                    : "AddMenuHandlers of another window");
    }
    void Event_Open() override { m_Log.events.push_back("Open"); }
    void Event_Close() override { m_Log.events.push_back("Close"); }

private:
    static ListboxDesign Design(int32_t left, int32_t width, bool lockRight) {
        ListboxDesign design;
        design.Left = left;
        design.Top = 14;
        design.Width = width;
        design.Height = 272;
        design.LockLeft = design.LockTop = design.LockBottom = true;
        design.LockRight = lockRight;
        return design;
    }

    Opened& m_Log;
};

class WindowTest : public testing::Test {
protected:
    void SetUp() override { window = ImplicitInstance<TwoListsWindow>("TwoListsWindow.TwoListsWindow", log); }
    void TearDown() override { window->Close(); }

    Opened log;
    Opened other;
    Ref<TwoListsWindow> window;
};

} // namespace

TEST_F(WindowTest, RaisesTheConstructionEventsBeforeOpenAndShowsTheWindow) {
    EXPECT_EQ(log.events, (std::vector<String>{"Layout", "CreateControls", "AddMenuHandlers", "Open"}));
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->_Native()->windowTitle().toStdString(), "Two lists");
}

TEST_F(WindowTest, KeepsItsSizeWithinTheMinimum) {
    window->Width(100);
    window->Height(20);
    EXPECT_EQ(window->Width(), 470);
    EXPECT_EQ(window->Height(), 150);
}

TEST_F(WindowTest, MovesAndSizesControlsAsTheirLocksSay) {
    window->Width(576);
    window->Height(400);

    Ref<Listbox> fixed = window->Control<Listbox>("fixed");
    Ref<Listbox> growing = window->Control<Listbox>("growing");
    EXPECT_EQ(fixed->Width(), 100);
    EXPECT_EQ(fixed->Height(), 372);
    EXPECT_EQ(growing->Left(), 132);
    EXPECT_EQ(growing->Width(), 424);
    EXPECT_EQ(growing->Height(), 372);
}

TEST_F(WindowTest, FindsControlsByNameAndTestsTheirClass) {
    EXPECT_TRUE(window->_FindControl("nothing").IsNil());
    EXPECT_THROW(window->Control<Listbox>("nothing")->ListCount(), NilObjectException);
    EXPECT_THROW(window->Control<Window>("fixed"), IllegalCastException);
}

TEST_F(WindowTest, TheAccessorGivesTheOpenInstanceAndANewOneAfterClose) {
    EXPECT_EQ(ImplicitInstance<TwoListsWindow>("TwoListsWindow.TwoListsWindow", other), window);

    window->Close();
    EXPECT_EQ(log.events.back(), "Close");
    EXPECT_FALSE(window->IsOpen());

    Ref<TwoListsWindow> again = ImplicitInstance<TwoListsWindow>("TwoListsWindow.TwoListsWindow", other);
    EXPECT_NE(again, window);
    EXPECT_EQ(other.events.back(), "Open");
    window = again;
}

TEST_F(WindowTest, ClosingOnceRaisesCloseOnce) {
    window->Close();
    window->Close();
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "Close"), 1);
}

namespace {

class FarAwayWindow : public Window {
public:
    void Layout() override {
        WindowDesign design;
        design.Width = 200;
        design.Height = 100;
        ApplyDesign(design);
        Left(-20000);
        Top(-20000);
    }
};

} // namespace

TEST(WindowPlacementTest, AWindowNotWhollyOnOneScreenGoesTheLeastWayOntoTheOneHoldingMostOfIt) {
    const QRect screen(0, 0, 1280, 1024), right(1280, 0, 1920, 1080);
    struct Case {
        const char* name;
        QRect frame;
        std::vector<QRect> screens;
        QRect placed;
    };
    const Case cases[] = {
        {"past the top left", {-400, -300, 470, 384}, {screen}, {0, 0, 470, 384}},
        {"past the bottom right", {1200, 950, 470, 384}, {screen}, {810, 640, 470, 384}},
        {"mostly on the right screen", {1100, 100, 500, 400}, {screen, right}, {1280, 100, 500, 400}},
        {"mostly on the left screen", {1000, 100, 500, 400}, {screen, right}, {780, 100, 500, 400}},
        {"taller than the screen", {100, -50, 500, 1200}, {screen, right}, {100, 0, 500, 1024}},
        {"off every screen", {-5000, 200, 300, 200}, {right, screen}, {0, 200, 300, 200}},
        {"wholly on one", {1300, 10, 500, 400}, {screen, right}, {1300, 10, 500, 400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceOnScreens(c.frame, c.screens), c.placed);
    }
}

TEST(WindowPlacementTest, AWindowRememberedOffEveryScreenOpensOnOne) {
    Ref<FarAwayWindow> window = ImplicitInstance<FarAwayWindow>("FarAwayWindow.FarAwayWindow");
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(window->_Native()->geometry()));
    window->Close();
}

namespace {

class CentredBox : public Window {
public:
    void Layout() override {
        WindowDesign design;
        design.Placement = 1;
        design.Width = 120;
        design.Height = 80;
        design.Resizeable = false;
        ApplyDesign(design);
    }
};

} // namespace

TEST_F(WindowTest, ABoxPlacedOnTheWindowInFrontOpensCentredOnIt) {
    window->Left(200);
    window->Top(100);
    Ref<CentredBox> box = ImplicitInstance<CentredBox>("CentredBox.CentredBox");

    QPoint offset = box->_Native()->geometry().center() - window->_Native()->geometry().center();
    // Within a few pixels: the bars above a window's content are measured before they are laid out.
    EXPECT_LE(offset.manhattanLength(), 16);
    box->Close();
}
