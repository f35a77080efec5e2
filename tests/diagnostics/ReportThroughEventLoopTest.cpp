#include "diagnostics/DebugGlobals.h"

#include "DiagnosticsTest.h"
#include "PushButton.h"
#include "Runtime.h"
#include "TextArea.h"
#include "Window.h"
#include "diagnostics/winDebug.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// A window whose button's handler fails inside its catch-all, as every handler of the application's
// windows does.
class FailingWindow : public Window {
public:
    void CreateControls() override {
        _AddControl("btnFail", New<PushButton>());
        Control<PushButton>("btnFail")->Action = [] {
            ReportingFailures("winTest.Controls.btnFail.Action", [] { throw NilObjectException(); });
        };
    }
};

} // namespace

using ReportThroughEventLoop = DiagnosticsTest;

TEST_F(ReportThroughEventLoop, FailingHandlerShowsTheLogAndPostsTheForm) {
    Ref<FailingWindow> window = New<FailingWindow>();
    window->_Construct();
    QPushButton* button = window->Control<PushButton>("btnFail")->_Button();
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    server.RequestReceived = [] { Quit(0); };
    // Should the form never arrive, the loop still ends and the expectations below fail.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { Quit(1); });
    giveUp.start(20000);

    Runtime::_RuntimeRun();

    EXPECT_EQ(Runtime::QuitCode(), 0);
    ASSERT_TRUE(OpenLog());
    String text = OpenLog()->txtLog()->Text();
    String sentence = "A NilObjectException was raised in winTest.Controls.btnFail.Action\nStack:\n";
    ASSERT_GT(text.size(), 21u);
    EXPECT_TRUE(IsStampedEntry(text.substr(0, 21 + sentence.size()), sentence));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_NE(server.Requests()[0].find(
                  "&stack=A+NilObjectException+was+raised+in+winTest.Controls.btnFail.Action%0AStack:%0A"),
              String::npos);
}
