#include "TextArea.h"

#include "Runtime.h"
#include "Window.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TextAreaTest : public testing::Test {
protected:
    void SetUp() override {
        int argc = 0;
        Runtime::RuntimeInit(argc, nullptr);
        window->_AddControl("txtLog", area);
        area->SelChange = [this] { ++selChanges; };
    }

    Ref<Window> window = New<Window>();
    Ref<TextArea> area = New<TextArea>();
    int selChanges = 0;
};

// A clef outside the Basic Multilingual Plane: one character, two UTF-16 units, four UTF-8 bytes.
const String kClef = "\xF0\x9D\x84\x9E";

} // namespace

TEST_F(TextAreaTest, PositionsCountCharactersOutsideTheBasicPlaneOnce) {
    area->Text("a" + kClef + "b\nc");

    area->SelStart(1);
    area->SelLength(1);
    EXPECT_EQ(area->SelText(), kClef);
    area->SelStart(2);
    area->SelLength(3);
    EXPECT_EQ(area->SelText(), "b\nc");
    EXPECT_EQ(area->SelStart(), 2);
    EXPECT_EQ(area->SelLength(), 3);
}

TEST_F(TextAreaTest, TextKeepsLineEndingsAndNoBreakSpaces) {
    String text = "one\n\ntwo\xC2\xA0three\n";
    area->Text(text);
    EXPECT_EQ(area->Text(), text);
}

TEST_F(TextAreaTest, SelTextInsertsAtTheCaretOrReplacesTheSelection) {
    area->Text("abc");
    area->SelStart(1);
    area->SelText(kClef);
    EXPECT_EQ(area->Text(), "a" + kClef + "bc");
    EXPECT_EQ(area->SelStart(), 2);
    EXPECT_EQ(area->SelLength(), 0);

    area->SelStart(0);
    area->SelLength(2);
    area->SelText("XY");
    EXPECT_EQ(area->Text(), "XYbc");
}

TEST_F(TextAreaTest, PositionsBeyondTheTextStopAtItsEnd) {
    area->Text("abc");
    area->SelStart(10);
    EXPECT_EQ(area->SelStart(), 3);
    area->SelStart(1);
    area->SelLength(10);
    EXPECT_EQ(area->SelText(), "bc");
    area->SelStart(-4);
    EXPECT_EQ(area->SelStart(), 0);
}

TEST_F(TextAreaTest, SelChangeIsRaisedOncePerChangeOfTheSelection) {
    area->Text("abc");
    selChanges = 0;
    area->SelStart(1);
    area->SelStart(1);
    EXPECT_EQ(selChanges, 1);

    QTest::keyClick(area->_Editor(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(selChanges, 2);
    EXPECT_EQ(area->SelText(), "b");
}

TEST_F(TextAreaTest, SelChangeFailureGoesToTheFrameworkNotTheCaller) {
    area->Text("abc");
    area->SelChange = [] { throw OutOfBoundsException(); };
    EXPECT_NO_THROW(area->SelStart(2));
    EXPECT_TRUE(Runtime::QuitRequested());
}
