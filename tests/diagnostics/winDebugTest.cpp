#include "diagnostics/winDebug.h"

#include "Clipboard.h"
#include "DiagnosticsTest.h"
#include "MenuItem.h"
#include "PushButton.h"
#include "TextArea.h"
#include "support/DesktopFontSizes.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace {

// The length of "YYYY-MM-DD HH:MM:SS: ".
constexpr size_t kStampLength = 21;

void ClickButton(const Ref<PushButton>& button) {
    QTest::mouseClick(button->_Button(), Qt::LeftButton);
}

} // namespace

using MessageLog = DiagnosticsTest;

TEST_F(MessageLog, FirstReportOpensTheWindowWithOneEntry) {
    winDebug()->Append("first report");

    Ref<class winDebug> log = OpenLog();
    ASSERT_TRUE(log);
    EXPECT_TRUE(log->Visible());
    EXPECT_EQ(log->Title(), "Wordloom Message Log");
    EXPECT_EQ(log->Width(), 448);
    EXPECT_EQ(log->Height(), 292);
    EXPECT_FALSE(log->btnCopy()->Enabled());
    EXPECT_TRUE(IsStampedEntry(log->txtLog()->Text(), "first report"));
}

TEST_F(MessageLog, LaterEntriesFollowAnEmptyLine) {
    winDebug()->Append("first");
    winDebug()->Append("");

    String text = OpenLog()->txtLog()->Text();
    size_t second = text.find("\n\n");
    ASSERT_NE(second, String::npos);
    EXPECT_TRUE(IsStampedEntry(text.substr(0, second), "first"));
    EXPECT_TRUE(IsStampedEntry(text.substr(second + 2), ""));
}

TEST_F(MessageLog, ClosingDiscardsTheLog) {
    winDebug()->Append("first");
    ClickButton(OpenLog()->btnClose());
    EXPECT_FALSE(OpenLog());

    winDebug()->Append("second");
    EXPECT_TRUE(IsStampedEntry(OpenLog()->txtLog()->Text(), "second"));
}

TEST_F(MessageLog, EntryFollowsWhatTheUserLeftInTheLog) {
    Ref<class winDebug> log = winDebug();
    log->Append("first");
    log->txtLog()->Text("");
    log->Append("second");
    EXPECT_TRUE(IsStampedEntry(log->txtLog()->Text(), "second"));

    log->txtLog()->Text("typed");
    log->Append("third");
    EXPECT_EQ(log->txtLog()->Text().substr(0, 7), "typed\n\n");
    EXPECT_TRUE(IsStampedEntry(log->txtLog()->Text().substr(7), "third"));
}

TEST_F(MessageLog, ReportReplacesTheUsersSelectionByTheCaretAtTheEnd) {
    Ref<class winDebug> log = winDebug();
    log->Append("first");
    String first = log->txtLog()->Text();
    log->txtLog()->SelStart(2);
    log->txtLog()->SelLength(5);

    log->Append("second");
    Ref<TextArea> text = log->txtLog();
    EXPECT_EQ(text->Text().substr(0, first.size() + 2), first + "\n\n");
    EXPECT_EQ(text->SelStart(), Len(text->Text()));
    EXPECT_EQ(text->SelLength(), 0);
    EXPECT_FALSE(log->btnCopy()->Enabled());
}

TEST_F(MessageLog, CopyFollowsTheSelectionAndCopiesExactlyIt) {
    Ref<class winDebug> log = winDebug();
    log->Append("first");
    log->Append("second");
    QPlainTextEdit* editor = log->txtLog()->_Editor();
    editor->setFocus();
    log->txtLog()->SelStart(kStampLength + 4);

    QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(log->btnCopy()->Enabled());
    QTest::keyClick(editor, Qt::Key_Left);
    EXPECT_FALSE(log->btnCopy()->Enabled());

    // From the end of the first entry over the empty line into the second.
    log->txtLog()->SelStart(kStampLength + 4);
    log->txtLog()->SelLength(4);
    ASSERT_TRUE(log->btnCopy()->Enabled());
    Clipboard().Text("before");
    ClickButton(log->btnCopy());
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "t\n\n2");
}

TEST_F(MessageLog, EditCopyLeavesTheCommandToTheFocusedControl) {
    Ref<class winDebug> log = winDebug();
    log->Append("first");
    log->txtLog()->SelStart(0);
    log->txtLog()->SelLength(4);
    ASSERT_TRUE(QTest::qWaitForWindowActive(log->_Native()));
    log->btnClose()->_Button()->setFocus();
    Clipboard().Text("before");

    Ref<MenuItem> editCopy = New<MenuItem>();
    editCopy->Name = "EditCopy";
    log->_HandleMenuCommand(editCopy);
    EXPECT_EQ(Clipboard().Text(), "before");
}

TEST_F(MessageLog, TheButtonsShowTheirCaptionsWholeAtTheUsualDesktopFontSizes) {
    AtUsualDesktopFontSizes([&] {
        Ref<class winDebug> log = winDebug();
        for (const Ref<PushButton>& button : {log->btnCopy(), log->btnClose()}) {
            SCOPED_TRACE(button->Caption());
            QPushButton* shown = button->_Button();
            QStyleOptionButton option;
            option.initFrom(shown);
            QRect room = shown->style()->subElementRect(QStyle::SE_PushButtonContents, &option, shown);
            QRect text = QFontMetrics(shown->font()).boundingRect(room, Qt::AlignCenter, shown->text());
            EXPECT_TRUE(room.contains(text)) << text.width() << " x " << text.height();
        }
        log->Close();
    });
}

TEST_F(MessageLog, LocksKeepTheButtonsInTheCornerAndGrowTheLog) {
    Ref<class winDebug> log = winDebug();
    log->Width(548);
    log->Height(342);

    EXPECT_EQ(log->txtLog()->Width(), 508);
    EXPECT_EQ(log->txtLog()->Height(), 276);
    EXPECT_EQ(log->btnClose()->Left(), 459);
    EXPECT_EQ(log->btnClose()->Top(), 302);
    EXPECT_EQ(log->btnCopy()->Left(), 378);
    EXPECT_EQ(log->btnCopy()->Top(), 302);
}
