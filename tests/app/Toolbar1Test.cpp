#include "Toolbar1.h"

#include "App.h"
#include "Picture.h"
#include "ToolItem.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ItemRow {
    const char* name;
    int32_t style;
    bool enabled;
    const char* caption;
    const char* helpTag;
    bool hasIcon;
};

const ItemRow kItems[] = {
    {"tbSave", ToolButton::ToolStylePushButton, false, "Save", "Save dictionary", true},
    {"ToolItem2", ToolButton::ToolStyleSeparator, true, "Untitled", "", false},
    {"tbAdd", ToolButton::ToolStylePushButton, false, "Add", "Add a new word", true},
    {"tbDelete", ToolButton::ToolStylePushButton, false, "Del", "Delete word", true},
    {"tbEdit", ToolButton::ToolStylePushButton, false, "Edit", "Edit word", true},
};

class Toolbar1Test : public testing::Test {
protected:
    void SetUp() override { _RuntimeRegisterAppObject(New<class App>()); }
    void TearDown() override { _RuntimeRegisterAppObject(nullptr); }
};

void ExpectItem(const Ref<ToolItem>& item, const ItemRow& row) {
    SCOPED_TRACE(row.name);
    Ref<ToolButton> button = Cast<ToolButton>(item);
    EXPECT_EQ(button->Name(), row.name);
    EXPECT_EQ(button->Style(), row.style);
    EXPECT_EQ(button->Enabled(), row.enabled);
    EXPECT_EQ(button->Caption(), row.caption);
    EXPECT_EQ(button->HelpTag(), row.helpTag);
    EXPECT_EQ(button->Icon().IsNil(), !row.hasIcon);
}

TEST_F(Toolbar1Test, HoldsItsFiveItemsInOrderWithTheirStates) {
    Toolbar1 toolbar;
    ASSERT_EQ(toolbar.Count(), 5);
    for (int64_t index = 0; index < 5; ++index)
        ExpectItem(toolbar.Item(index), kItems[index]);
    const std::vector<Ref<ToolButton>> properties = {toolbar.tbSave, toolbar.ToolItem2, toolbar.tbAdd,
                                                     toolbar.tbDelete, toolbar.tbEdit};
    for (int64_t index = 0; index < 5; ++index)
        EXPECT_EQ(toolbar.Item(index), properties[static_cast<size_t>(index)]);
}

// The pictures are found beside the running program and kept for its life, so a missing save.png
// is tried in a copy of this program laid out beside a Resources folder without it.
constexpr char kChildMarker[] = "WORDLOOM_TOOLBAR1_CHILD";

TEST_F(Toolbar1Test, WithoutSavePngTheSaveButtonIsBuiltWithoutAnIcon) {
    if (qEnvironmentVariableIsSet(kChildMarker)) {
        Toolbar1 toolbar;
        ASSERT_EQ(toolbar.Count(), 5);
        ItemRow save = kItems[0];
        save.hasIcon = false;
        ExpectItem(toolbar.Item(0), save);
        ExpectItem(toolbar.Item(2), kItems[2]);
        return;
    }
    fs::path program = QCoreApplication::applicationFilePath().toStdString();
    fs::path bundle = fs::temp_directory_path() / ("wordloom-bundle-" + std::to_string(::getpid()));
    fs::create_directories(bundle / "bin");
    fs::copy(program.parent_path().parent_path() / "Resources", bundle / "Resources");
    fs::remove(bundle / "Resources" / "save.png");
    fs::copy_file(program, bundle / "bin" / program.filename());

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildMarker, "1");
    child.setProcessEnvironment(environment);
    child.start(QString::fromStdString((bundle / "bin" / program.filename()).string()),
                {"--gtest_filter=Toolbar1Test.WithoutSavePngTheSaveButtonIsBuiltWithoutAnIcon"});
    bool finished = child.waitForFinished(60000);
    std::string output = child.readAllStandardOutput().toStdString();
    fs::remove_all(bundle);
    ASSERT_TRUE(finished);
    EXPECT_EQ(child.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

} // namespace
