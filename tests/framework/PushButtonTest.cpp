#include "PushButton.h"

#include "Runtime.h"
#include "Window.h"

#include <QMainWindow>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PushButtonTest : public testing::Test {
protected:
    void SetUp() override {
        int argc = 0;
        Runtime::RuntimeInit(argc, nullptr);
        window->_AddControl("btnOK", button);
        PushButtonDesign design;
        design.Caption = "OK";
        button->ApplyDesign(design);
        button->Action = [this] { ++actions; };
    }

    Ref<Window> window = New<Window>();
    Ref<PushButton> button = New<PushButton>();
    int actions = 0;
};

} // namespace

TEST_F(PushButtonTest, ClickRaisesActionOnlyWhenEnabled) {
    EXPECT_EQ(button->_Button()->text(), "OK");
    QTest::mouseClick(button->_Button(), Qt::LeftButton);
    EXPECT_EQ(actions, 1);

    button->Enabled(false);
    QTest::mouseClick(button->_Button(), Qt::LeftButton);
    EXPECT_EQ(actions, 1);
}

TEST_F(PushButtonTest, ActionMayReleaseItsOwnButton) {
    button->Action = [this] {
        window = nullptr;
        button = nullptr;
    };
    QTest::mouseClick(button->_Button(), Qt::LeftButton);
    EXPECT_TRUE(button.IsNil());
}

TEST_F(PushButtonTest, EscapeClicksTheCancelButton) {
    window->_Construct();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->_Native()));
    QTest::keyClick(window->_Native(), Qt::Key_Escape);
    EXPECT_EQ(actions, 0);

    button->Cancel(true);
    QTest::keyClick(window->_Native(), Qt::Key_Escape);
    EXPECT_EQ(actions, 1);
    window->Close();
}
