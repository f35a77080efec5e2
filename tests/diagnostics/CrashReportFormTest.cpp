#include "diagnostics/DebugGlobals.h"

#include "App.h"
#include "DiagnosticsTest.h"
#include "TextArea.h"
#include "diagnostics/CrashLogEndpoint.h"
#include "diagnostics/winDebug.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <elf.h>
#include <filesystem>
#include <link.h>
#include <unistd.h>

using namespace DebugGlobals;
namespace fs = std::filesystem;

namespace {

// The stage suffix of the running build as the form carries it.
String EncodedVersion() {
    Ref<class App> app = App();
    const char* suffixes[] = {"%28Development%29", "%28Alpha%29", "%28Beta%29", "%28Final%29"};
    String version = std::to_string(app->MajorVersion) + "." + std::to_string(app->MinorVersion) + "." +
                     std::to_string(app->BugVersion) + "." + std::to_string(app->NonReleaseVersion);
    return app->StageCode >= 0 && app->StageCode <= 3 ? version + suffixes[app->StageCode] : version;
}

} // namespace

TEST(CrashReportForm, VersionHasTheSuffixOfItsStage) {
    const std::pair<int32_t, String> cases[] = {
        {0, "1.2.0.5(Development)"}, {1, "1.2.0.5(Alpha)"}, {2, "1.2.0.5(Beta)"},
        {3, "1.2.0.5(Final)"},       {4, "1.2.0.5"},        {-1, "1.2.0.5"},
    };
    for (const auto& [stage, version] : cases)
        EXPECT_EQ(VersionNumbers(1, 2, 0, 5) + StageSuffix(stage), version) << stage;
}

using CrashReportDelivery = DiagnosticsTest;

TEST_F(CrashReportDelivery, SendsTheExactRequest) {
    LogMessage("A NilObjectException was raised in winMain.Events.Open\nStack:\nwinMain::Event_Open()");

    ASSERT_TRUE(server.WaitForRequests(1));
    String body = "app=diagnostics%5Ftests&version=" + EncodedVersion() +
                  "&stack=A+NilObjectException+was+raised+in+winMain.Events.Open%0AStack:%0A"
                  "winMain::Event%5FOpen%28%29";
    String expected = "POST /clientcrashlog.php HTTP/1.0\r\n"
                      "Accept: */*\r\n"
                      "Accept-Language: en\r\n"
                      "Host: 127.0.0.1:" +
                      std::to_string(server.Port()) +
                      "\r\n"
                      "Content-type: application/x-www-form-urlencoded\r\n"
                      "Content-length: " +
                      std::to_string(body.size()) + "\r\n\r\n" + body;
    EXPECT_EQ(server.Requests()[0], expected);
}

TEST_F(CrashReportDelivery, KeepsTheFieldsApartWhateverTheReportHolds) {
    LogMessage("a&b=c%d+e f\r\n-_.:?");

    ASSERT_TRUE(server.WaitForRequests(1));
    HttpRequest request = SplitRequest(server.Requests()[0]);
    String stack = request.Body.substr(request.Body.find("&stack="));
    EXPECT_EQ(stack, "&stack=a%26b%3Dc%25d%2Be+f%0D%0A%2D%5F.:?");
}

TEST_F(CrashReportDelivery, SendsCharactersOutsideAsciiAsTheirBytesAndCountsBytes) {
    String report = "W\xC3\xB6rterbuch \xF0\x9D\x84\x9E";
    LogMessage(report);

    ASSERT_TRUE(server.WaitForRequests(1));
    HttpRequest request = SplitRequest(server.Requests()[0]);
    EXPECT_EQ(request.Body.substr(request.Body.find("&stack=")), "&stack=W\xC3\xB6rterbuch+\xF0\x9D\x84\x9E");
    EXPECT_NE(request.Head.find("\r\nContent-length: " + std::to_string(request.Body.size())), String::npos);
    EXPECT_EQ(OpenLog()->txtLog()->Text().substr(21), report);
}

TEST_F(CrashReportDelivery, ReportStandsInTheWindowWhenNoServerListens) {
    CrashLogEndpoint::SetAddress("http://127.0.0.1:" + std::to_string(LoopbackServer::UnusedPort()) +
                                 "/clientcrashlog.php");
    LogMessage("the report");

    ASSERT_TRUE(OpenLog());
    EXPECT_TRUE(IsStampedEntry(OpenLog()->txtLog()->Text(), "the report"));
    // The refused connection passes unnoticed.
    QTest::qWait(100);
    EXPECT_TRUE(IsStampedEntry(OpenLog()->txtLog()->Text(), "the report"));
}

// The network module is found beside the program however it was started, and a report that cannot
// go out says why in a log entry of its own. Each way of starting is tried in a copy of this test
// program, run as a child that reports whether it found what it expected.
constexpr char kChildMarker[] = "WORDLOOM_REPORT_DELIVERY_CHILD";

// The dynamic loader that the system starts this program with.
std::string ProgramInterpreter() {
    std::string interpreter;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* found) {
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type == PT_INTERP)
                    *static_cast<std::string*>(found) =
                        reinterpret_cast<const char*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
            }
            // The first object is the program itself.
            return 1;
        },
        &interpreter);
    return interpreter;
}

TEST_F(CrashReportDelivery, IsSentOrTellsWhyNotHoweverTheProgramWasStarted) {
    if (const QByteArray expected = qgetenv(kChildMarker); !expected.isEmpty()) {
        LogMessage("the report");
        LogMessage("the report");
        if (expected == "sent") {
            EXPECT_TRUE(server.WaitForRequests(2));
            return;
        }
        const String log = OpenLog()->txtLog()->Text();
        const String reason = "The report above was not sent. Unable to load the network module: ";
        size_t reasons = 0;
        for (size_t at = log.find(reason); at != String::npos; at = log.find(reason, at + 1))
            ++reasons;
        EXPECT_EQ(reasons, 2u) << log;
        EXPECT_NE(log.find("libwordloom_http.so"), String::npos) << log;
        EXPECT_TRUE(IsStampedEntry(log.substr(0, log.find(EndOfLine())), "the report")) << log;
        return;
    }
    const QString program = QCoreApplication::applicationFilePath();
    const fs::path alone = fs::temp_directory_path() / ("wordloom-alone-" + std::to_string(::getpid()));
    fs::create_directories(alone);
    const fs::path copy = alone / fs::path(program.toStdString()).filename();
    fs::copy_file(program.toStdString(), copy);
    const QString filter =
        "--gtest_filter=CrashReportDelivery.IsSentOrTellsWhyNotHoweverTheProgramWasStarted";
    struct Start {
        const char* how;
        QString command;
        QStringList arguments;
        const char* expected;
    };
    const Start starts[] = {
        {"with the module moved away", QString::fromStdString(copy.string()), {filter}, "unsent"},
        {"through the dynamic loader",
         QString::fromStdString(ProgramInterpreter()),
         {program, filter},
         "sent"},
    };
    for (const Start& start : starts) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kChildMarker, start.expected);
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(start.command, start.arguments);
        EXPECT_TRUE(child.waitForFinished(60000)) << start.how;
        const std::string output = child.readAll().toStdString();
        EXPECT_EQ(child.exitCode(), 0) << start.how << "\n" << output;
        EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << start.how << "\n" << output;
    }
    fs::remove_all(alone);
}
