#include "Toolbar.h"

#include "Picture.h"
#include "ToolItem.h"
#include "Window.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <vector>

namespace {

Ref<ToolButton> Button(const String& name, int32_t style, bool enabled, const String& caption) {
    Ref<ToolButton> button = New<ToolButton>();
    button->Name(name);
    button->Style(style);
    button->Enabled(enabled);
    button->Caption(caption);
    button->HelpTag(caption + " help");
    return button;
}

Ref<Picture> RedSquare() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return New<Picture>(image);
}

class ToolbarWindow : public Window {
public:
    void Layout() override {
        WindowDesign design;
        design.Width = 400;
        design.Height = 200;
        ApplyDesign(design);
    }
    void CreateControls() override {
        Ref<Toolbar> bar = New<Toolbar>();
        // One item before the toolbar is shown, the others after: both must show.
        bar->Append(Button("first", ToolButton::ToolStylePushButton, true, "First"));
        _AddControl("bar", bar);
        ControlDesign design;
        design.Left = 14;
        design.Top = -108;
        design.Width = 210;
        design.Height = 58;
        bar->ApplyDesign(design);
        bar->Append(Button("gap", ToolButton::ToolStyleSeparator, true, "Untitled"));
        Ref<ToolButton> last = Button("last", ToolButton::ToolStylePushButton, false, "Last");
        last->Icon(RedSquare());
        bar->Append(last);
        bar->Action = [this](const Ref<ToolItem>& item) { clicked.push_back(item->Name()); };
    }
    Ref<Toolbar> Bar() const { return Control<Toolbar>("bar"); }

    std::vector<String> clicked;
};

class ToolbarTest : public testing::Test {
protected:
    void SetUp() override {
        window = New<ToolbarWindow>();
        window->_Construct();
        QApplication::processEvents();
        bar = window->Bar();
    }
    void TearDown() override {
        window->Close();
        QApplication::processEvents();
    }
    QList<QAction*> Actions() const { return bar->_ToolBar()->actions(); }

    Ref<ToolbarWindow> window;
    Ref<Toolbar> bar;
};

TEST_F(ToolbarTest, ShowsEveryItemInOrderWithItsState) {
    QList<QAction*> actions = Actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "First");
    EXPECT_EQ(actions[0]->toolTip(), "First help");
    EXPECT_TRUE(actions[0]->isEnabled());
    EXPECT_TRUE(actions[0]->icon().isNull());
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(qobject_cast<QToolButton*>(bar->_ToolBar()->widgetForAction(actions[1])), nullptr)
        << "a separator shows no button";
    EXPECT_EQ(actions[2]->text(), "Last");
    EXPECT_FALSE(actions[2]->isEnabled());
    EXPECT_FALSE(actions[2]->icon().isNull());
    auto* button = qobject_cast<QToolButton*>(bar->_ToolBar()->widgetForAction(actions[0]));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
}

TEST_F(ToolbarTest, CountAndItemFollowTheAppendOrder) {
    EXPECT_EQ(bar->Count(), 3);
    EXPECT_EQ(bar->Item(0)->Name(), "first");
    EXPECT_EQ(bar->Item(2)->Name(), "last");
    EXPECT_THROW(bar->Item(3), OutOfBoundsException);
    EXPECT_THROW(bar->Item(-1), OutOfBoundsException);
    EXPECT_THROW(bar->Append(nullptr), NilObjectException);
}

TEST_F(ToolbarTest, ItemStateChangesReachTheShownButton) {
    bar->Item(2)->Enabled(true);
    EXPECT_TRUE(Actions()[2]->isEnabled());
    Ref<ToolButton> last = Cast<ToolButton>(bar->Item(2));
    last->Icon(nullptr);
    EXPECT_TRUE(Actions()[2]->icon().isNull());
    last->Style(ToolButton::ToolStyleSeparator);
    ASSERT_EQ(Actions().size(), 3);
    EXPECT_EQ(Actions()[2], last->_Action());
    EXPECT_EQ(qobject_cast<QToolButton*>(bar->_ToolBar()->widgetForAction(Actions()[2])), nullptr);
}

TEST_F(ToolbarTest, ClickingAnEnabledButtonRaisesActionWithItsItem) {
    Actions()[0]->trigger();
    Actions()[2]->trigger();
    EXPECT_EQ(window->clicked, (std::vector<String>{"first"}));
}

TEST_F(ToolbarTest, StaysTheWindowsToolbarWhenTheWindowIsResized) {
    QToolBar* toolbar = bar->_ToolBar();
    EXPECT_EQ(window->_Native()->toolBarArea(toolbar), Qt::TopToolBarArea);
    window->Width(600);
    window->Height(300);
    QApplication::processEvents();
    EXPECT_EQ(toolbar->parentWidget(), window->_Native());
    EXPECT_GE(toolbar->y(), 0);
    EXPECT_EQ(toolbar->width(), window->_Native()->width());
}

} // namespace
