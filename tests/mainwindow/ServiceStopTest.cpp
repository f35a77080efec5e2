#include "MainWindowFixture.h"

#include "FakeLaunchctl.h"

#include <cstdlib>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const String kWarning =
    "I tried to stop the AppleSpell service, but was unsuccessful. You should probably open "
    "Activity Monitor and quit the AppleSpell.service in order to save your dictionary "
    "file. Don't worry, it will auto-start all by itself.";

using Calls = std::vector<std::vector<String>>;

class ServiceStopTest : public MainWindowFixture {
protected:
    void Stop() { Access::KillAppleSpell(*window); }

    FakeLaunchctl launchctl;
};

} // namespace

TEST_F(ServiceStopTest, StopsTheServiceOfTheListedLabel) {
    launchctl.Listing("123\t0\tcom.apple.AppleSpell\n456\t0\tcom.apple.Other\n");
    Stop();
    EXPECT_EQ(launchctl.Calls(), (Calls{{"list"}, {"stop", "com.apple.AppleSpell"}}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ServiceStopTest, ListingOfFewerThanThreeFieldsStopsTheEmptyLabel) {
    launchctl.Listing("123\tcom.apple.AppleSpell\n");
    Stop();
    EXPECT_EQ(launchctl.Calls(), (Calls{{"list"}, {"stop", ""}}));
}

TEST_F(ServiceStopTest, NoListedServiceStopsNothingAndSaysNothing) {
    launchctl.Listing("456\t0\tcom.apple.Other\n");
    Stop();
    EXPECT_EQ(launchctl.Calls(), (Calls{{"list"}}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ServiceStopTest, LabelWithShellCharactersIsOneArgumentAndRunsNothing) {
    const String marker = (launchctl.Folder() / "ran").string();
    const String labels[] = {
        "AppleSpell x'; touch " + marker + "; '", "AppleSpell $(touch " + marker + ")",
        "AppleSpell `touch " + marker + "`",      "AppleSpell\"; touch " + marker + "; \"",
        "AppleSpell\\'; touch " + marker + " #",  "AppleSpell x; touch " + marker + " | cat > /dev/null &",
    };
    for (const String& label : labels) {
        SCOPED_TRACE(label);
        launchctl.ForgetCalls();
        launchctl.Listing("1\t0\t" + label + "\n");
        Stop();
        EXPECT_EQ(launchctl.Calls(), (Calls{{"list"}, {"stop", label}}));
        EXPECT_FALSE(fs::exists(marker));
    }
}

TEST_F(ServiceStopTest, AFailedStopWarnsAndTheSaveGoesOn) {
    launchctl.Listing("1\t0\tcom.apple.AppleSpell\n");
    launchctl.StopOutput("Could not stop it\n");
    WriteDictionary("custom", "cat\0"s);
    Load("custom");
    window->lstCustomWords()->AddRow("dog");
    Save();
    EXPECT_EQ(Messages(), (std::vector<String>{kWarning, "Dictionary saved."}));
    EXPECT_EQ(ReadDictionary("custom"), "cat\0dog\0"s);
}

TEST_F(ServiceStopTest, WithoutLaunchctlTheSaveGoesOnSilently) {
    if (fs::exists("/usr/bin/launchctl") || fs::exists("/bin/launchctl"))
        GTEST_SKIP() << "this machine has a launchctl";
    const String withFake = std::getenv("PATH");
    setenv("PATH", "/usr/bin:/bin", 1);
    WriteDictionary("custom", "cat\0"s);
    Load("custom");
    Save();
    setenv("PATH", withFake.c_str(), 1);
    EXPECT_EQ(Messages(), std::vector<String>{"Dictionary saved."});
    EXPECT_EQ(ReadDictionary("custom"), "cat\0"s);
    EXPECT_TRUE(launchctl.Calls().empty());
}
