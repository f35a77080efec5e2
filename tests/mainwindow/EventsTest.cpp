#include "MainWindowUi.h"

#include <filesystem>

namespace {

using EventsTest = MainWindowUi;

const std::vector<bool> kNoneEnabled = {false, false, false, false};
const std::vector<bool> kDictionaryChosen = {true, true, false, false};
const std::vector<bool> kAllEnabled = {true, true, true, true};

TEST_F(EventsTest, OpensWithTheDictionariesListedNoneChosenAndTheWordColumnEditable) {
    Ref<Listbox> dictionaries = window->lstDictionaries();
    EXPECT_EQ(dictionaries->Heading(0), "Dictionaries");
    ASSERT_EQ(dictionaries->ListCount(), 3);
    EXPECT_EQ(dictionaries->List(1), "five");
    EXPECT_EQ(dictionaries->SelCount(), 0);
    EXPECT_EQ(window->lstCustomWords()->ListCount(), 0);
    EXPECT_EQ(window->lstCustomWords()->ColumnType(0), Listbox::TypeEditable);
    EXPECT_EQ(ButtonsEnabled(), kNoneEnabled);
    EXPECT_TRUE(Item("ToolItem2")->Enabled());
    EXPECT_TRUE(App()->AutoQuit);
    EXPECT_TRUE(answerer->Messages().empty());
}

TEST_F(EventsTest, ShowsTheToolbarsFiveItemsWithTheirPictures) {
    QList<QAction*> actions = window->Toolbar11()->_ToolBar()->actions();
    ASSERT_EQ(actions.size(), 5);
    const char* captions[] = {"Save", nullptr, "Add", "Del", "Edit"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), captions[i] == nullptr);
        if (!captions[i])
            continue;
        EXPECT_EQ(actions[i]->text(), captions[i]);
        EXPECT_FALSE(actions[i]->icon().isNull());
        EXPECT_TRUE(window->Toolbar11()->_ToolBar()->widgetForAction(actions[i])->isVisible());
    }
}

TEST_F(EventsTest, TheDictionarySelectionEnablesSaveAndAddAndLoadsOrEmptiesTheWords) {
    ChooseDictionary("five");
    EXPECT_EQ(ButtonsEnabled(), kDictionaryChosen);
    EXPECT_EQ(Words(), kFiveWords);

    window->lstDictionaries()->ListIndex(-1);
    EXPECT_EQ(ButtonsEnabled(), kNoneEnabled);
    EXPECT_TRUE(Words().empty());
}

TEST_F(EventsTest, DeleteAndEditFollowTheWordSelectionOnly) {
    ChooseDictionary("five");
    SelectWords({2});
    EXPECT_EQ(ButtonsEnabled(), kAllEnabled);
    window->lstCustomWords()->Selected(2, false);
    EXPECT_EQ(ButtonsEnabled(), kDictionaryChosen);
}

TEST_F(EventsTest, EmptyingTheWordListDisablesDeleteAndEdit) {
    ChooseDictionary("five");
    SelectWords({0});
    window->lstDictionaries()->ListIndex(-1);
    EXPECT_EQ(ButtonsEnabled(), kNoneEnabled);
}

struct ClickCase {
    const char* item;
    std::vector<String> words;
    std::vector<String> messages;
    int editedRow;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.item;
}

class ToolbarClickTest : public MainWindowUi, public testing::WithParamInterface<ClickCase> {};

TEST_P(ToolbarClickTest, RunsTheOneCommandNamedByTheItem) {
    const ClickCase& c = GetParam();
    ChooseDictionary("five");
    SelectWords({2});
    Click(c.item);
    EXPECT_EQ(Words(), c.words);
    EXPECT_EQ(answerer->Messages(), c.messages);
    EXPECT_EQ(EditedRow(), c.editedRow);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ToolbarClickTest,
    testing::Values(ClickCase{"tbSave", {"w0", "w1", "w2", "w3", "w4"}, {"Dictionary saved."}, -1},
                    ClickCase{"tbAdd", {"w0", "w1", "w2", "w3", "w4", "<New Word>"}, {}, 5},
                    ClickCase{"tbDelete", {"w0", "w1", "w3", "w4"}, {}, -1},
                    ClickCase{"tbEdit", {"w0", "w1", "w2", "w3", "w4"}, {}, 2}),
    [](const testing::TestParamInfo<ClickCase>& info) { return String(info.param.item); });

TEST_F(EventsTest, AnItemOfAnyOtherNameDoesNothing) {
    ChooseDictionary("five");
    SelectWords({2});
    window->Toolbar11_Action(Item("ToolItem2"));
    Ref<ToolButton> stranger = New<ToolButton>();
    stranger->Name("tbsave");
    window->Toolbar11_Action(stranger);
    EXPECT_EQ(Words(), kFiveWords);
    EXPECT_EQ(EditedRow(), -1);
    EXPECT_TRUE(answerer->Messages().empty());
    EXPECT_TRUE(reports.Text().empty());
}

TEST_F(EventsTest, ChoosingAnotherDictionaryDropsTheEditsWithoutAQuestion) {
    ChooseDictionary("five");
    Click("tbAdd");
    Type("fresh");
    Press(Qt::Key_Return);
    SelectWords({0});
    Click("tbDelete");
    ChooseDictionary("lines");
    EXPECT_EQ(Words(), (std::vector<String>{"one", "two"}));
    ChooseDictionary("five");
    EXPECT_EQ(Words(), kFiveWords);
    EXPECT_EQ(TempHome::ReadFile(Dictionary("five")), kFive);
    EXPECT_TRUE(answerer->Messages().empty());
}

TEST_F(EventsTest, ClosingWritesThePreferencesAndLeavesTheDictionaryAlone) {
    ChooseDictionary("five");
    Click("tbAdd");
    Press(Qt::Key_Return);
    EXPECT_FALSE(std::filesystem::exists(home.Config()) && !std::filesystem::is_empty(home.Config()));
    window->Close();
    EXPECT_FALSE(std::filesystem::is_empty(home.Config()));
    EXPECT_EQ(TempHome::ReadFile(Dictionary("five")), kFive);
    EXPECT_TRUE(answerer->Messages().empty());
}

TEST_F(EventsTest, AFailureInsideACommandIsReportedOnceWhereItHappened) {
    ChooseDictionary("five");
    // Edit with no word selected has no row to open.
    window->Toolbar11_Action(Item("tbEdit"));
    EXPECT_EQ(reports.Count("winMain.Methods.EditWord"), 1);
    EXPECT_EQ(reports.Count("winMain.Controls.Toolbar11.Action"), 0);
}

TEST_F(EventsTest, AFailureOfTheHandlersOwnStepIsReportedWithItsLocation) {
    window->Toolbar11_Action(nullptr);
    EXPECT_EQ(reports.Count("winMain.Controls.Toolbar11.Action"), 1);
}

} // namespace

TEST_F(EventsTest, AToolbarItemThatCannotBeFoundIsReportedByTheHandlerWhichSkipsItsLaterSteps) {
    Item("tbAdd")->Name("renamed");

    ChooseDictionary("five");

    EXPECT_EQ(reports.Count("winMain.Controls.lstDictionaries.Change"), 1);
    EXPECT_EQ(reports.Count("ToolbarExtensions.Methods.Item"), 0);
    EXPECT_TRUE(Item("tbSave")->Enabled());
    EXPECT_TRUE(Words().empty());
}

TEST_F(EventsTest, AFailureInsideAWorkerIsReportedThereAndTheHandlerGoesOn) {
    // A dictionary whose reading raises: the name names no single entry, so its reference is Nil.
    window->lstDictionaries()->AddRow("..");
    QApplication::processEvents();

    ChooseDictionary("..");

    EXPECT_EQ(reports.Count("winMain.Methods.PopulateCustomDictionary"), 1);
    EXPECT_EQ(reports.Count("winMain.Controls.lstDictionaries.Change"), 0);
    EXPECT_EQ(ButtonsEnabled(), kDictionaryChosen);
}
