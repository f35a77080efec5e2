#include "MainWindowFixture.h"

#include "mainwindow/WindowPrefs.h"
#include "support/ProcessLimits.h"

#include <QMainWindow>
#include <QScreen>

namespace fs = std::filesystem;

namespace {

struct Geometry {
    int32_t left, top, width, height;
    bool operator==(const Geometry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Geometry& g) {
    return out << g.left << ", " << g.top << ", " << g.width << " x " << g.height;
}

String Lines(const Geometry& g) {
    return Str(g.left) + "\n" + Str(g.top) + "\n" + Str(g.width) + "\n" + Str(g.height) + "\n";
}

class PreferencesTest : public MainWindowFixture {
protected:
    fs::path PrefsFile() const { return home.Config() / WindowPrefs::FileName(); }
    Geometry WindowGeometry() const {
        return {window->Left(), window->Top(), window->Width(), window->Height()};
    }
    void LoadPrefs() { Access::LoadPrefs(*window); }
    void SavePrefs() { Access::SavePrefs(*window); }
};

} // namespace

TEST_F(PreferencesTest, GeometryComesBackFromTheFileAndGoesBackToIt) {
    struct Case {
        const char* name;
        String file;
        Geometry geometry;
    };
    const Case cases[] = {
        {"as written", "100\n50\n600\n400\n", {100, 50, 600, 400}},
        {"negative left edge", "-120\n30\n500\n320\n", {-120, 30, 500, 320}},
        {"more than four lines", "90\n40\n610\n410\n7\n8\n", {90, 40, 610, 410}},
        {"fewer than four lines", "80\n20\n", {80, 20, 470, 150}},
        {"no numbers", "left\n-x\n12.9px\n  480 \n", {0, 0, 470, 480}},
        {"CR LF line endings", "70\r\n10\r\n620\r\n420\r\n", {70, 10, 620, 420}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempHome::WriteFile(PrefsFile(), c.file);
        LoadPrefs();
        EXPECT_EQ(WindowGeometry(), c.geometry);
        SavePrefs();
        EXPECT_EQ(TempHome::ReadFile(PrefsFile()), Lines(c.geometry));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PreferencesTest, AWindowRememberedPartlyOffTheScreenOpensWhollyOnItAndTheCloseWritesWhereItWas) {
    QRect screen = window->_Native()->screen()->availableGeometry();
    const Geometry remembered[] = {
        {screen.left() - 400, screen.top() - 300, 470, 300},
        {screen.right() + 1 - 80, screen.bottom() + 1 - 74, 470, 300},
    };
    for (const Geometry& g : remembered) {
        SCOPED_TRACE(testing::Message() << g);
        window->Close();
        TempHome::WriteFile(PrefsFile(), Lines(g));
        window = New<class winMain>();
        window->_Construct();
        QRect frame = window->_Native()->frameGeometry();
        EXPECT_TRUE(screen.contains(frame)) << frame.x() << ", " << frame.y();
        Geometry shown = WindowGeometry();
        window->Close();
        EXPECT_EQ(TempHome::ReadFile(PrefsFile()), Lines(shown));
    }
}

TEST_F(PreferencesTest, WithoutAFileTheWindowKeepsItsDesignAndTheCloseWritesOne) {
    fs::remove(PrefsFile());
    Geometry before = WindowGeometry();
    LoadPrefs();
    EXPECT_EQ(WindowGeometry(), before);
    EXPECT_EQ(before.width, 476);
    EXPECT_EQ(before.height, 300);
    SavePrefs();
    EXPECT_EQ(TempHome::ReadFile(PrefsFile()), Lines(before));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PreferencesTest, AFileThatCannotBeOpenedOrCreatedIsPassedOverSilently) {
    fs::remove(PrefsFile());
    fs::create_directories(PrefsFile());
    Geometry before = WindowGeometry();
    LoadPrefs();
    SavePrefs();
    EXPECT_EQ(WindowGeometry(), before);
    EXPECT_TRUE(fs::is_directory(PrefsFile()));
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(reports.Text().empty());
}

TEST_F(PreferencesTest, AFailedWriteLeavesTheOldFileWhole) {
    TempHome::WriteFile(PrefsFile(), "100\n50\n600\n400\n");
    window->Left(-32000);
    {
        SmallFiles limit(8);
        SavePrefs();
    }
    EXPECT_EQ(TempHome::ReadFile(PrefsFile()), "100\n50\n600\n400\n");
    EXPECT_EQ(reports.Count("winMain.Methods.SavePrefs"), 1);
    EXPECT_TRUE(Messages().empty());
}
