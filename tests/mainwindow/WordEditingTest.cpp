#include "MainWindowUi.h"

#include <QClipboard>

namespace {

using WordEditingTest = MainWindowUi;

TEST_F(WordEditingTest, AddOpensThePlaceholderWhollySelectedSoTypingReplacesIt) {
    ChooseDictionary("empty");
    Click("tbAdd");
    EXPECT_EQ(Words(), (std::vector<String>{"<New Word>"}));
    ASSERT_EQ(EditedRow(), 0);
    EXPECT_EQ(Editor()->selectedText(), "<New Word>");
    Type("hello");
    Press(Qt::Key_Return);
    EXPECT_EQ(Words(), (std::vector<String>{"hello"}));
    EXPECT_EQ(EditedRow(), -1);
}

TEST_F(WordEditingTest, TwoAddsLeaveTwoPlaceholdersAtTheEndAndEditTheLast) {
    ChooseDictionary("five");
    Click("tbAdd");
    Click("tbAdd");
    EXPECT_EQ(EditedRow(), 6);
    Type("zz");
    Press(Qt::Key_Return);
    std::vector<String> expected = kFiveWords;
    expected.push_back("<New Word>");
    expected.push_back("zz");
    EXPECT_EQ(Words(), expected);
}

TEST_F(WordEditingTest, TheNewWordMenuCommandAddsAsTheButtonDoes) {
    ChooseDictionary("empty");
    EXPECT_TRUE(window->_FileNewWord_Action());
    EXPECT_EQ(EditedRow(), 0);
    EXPECT_EQ(Editor()->selectedText(), "<New Word>");
}

TEST_F(WordEditingTest, EditChangesTheSelectedWordByTyping) {
    ChooseDictionary("five");
    SelectWords({3});
    Click("tbEdit");
    ASSERT_EQ(EditedRow(), 3);
    EXPECT_EQ(Editor()->text(), "w3");
    Press(Qt::Key_End);
    Type("x");
    Press(Qt::Key_Return);
    EXPECT_EQ(Words(), (std::vector<String>{"w0", "w1", "w2", "w3x", "w4"}));
}

// In a dictionary with CR LF line ends every word ends in a CR, which the user did not type.
TEST_F(WordEditingTest, TypingAfterALineBreakTheWordHeldKeepsWhatWasTyped) {
    TempHome::WriteFile(Dictionary("lines"), "one\r\ntwo\r\n");
    ChooseDictionary("lines");
    SelectWords({0});
    Click("tbEdit");
    Press(Qt::Key_End);
    Type("s");
    Press(Qt::Key_Return);
    EXPECT_EQ(Words(), (std::vector<String>{"one\rs", "two\r"}));
}

TEST_F(WordEditingTest, EditOpensOneEditorOnTheFirstSelectedWord) {
    ChooseDictionary("five");
    SelectWords({1, 3});
    Click("tbEdit");
    EXPECT_EQ(EditedRow(), 1);
    QTreeView* view = window->lstCustomWords()->_TreeView();
    int shown = 0;
    for (QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>())
        shown += editor->isVisible() ? 1 : 0;
    EXPECT_EQ(shown, 1);
}

struct DeleteCase {
    const char* name;
    std::vector<int64_t> selected;
    std::vector<String> left;
};

void PrintTo(const DeleteCase& c, std::ostream* os) {
    *os << c.name;
}

class DeleteWordTest : public MainWindowUi, public testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteWordTest, RemovesEverySelectedWordAndNoOther) {
    const DeleteCase& c = GetParam();
    ChooseDictionary("five");
    SelectWords(c.selected);
    window->Toolbar11_Action(Item("tbDelete"));
    EXPECT_EQ(Words(), c.left);
    QApplication::processEvents();
    EXPECT_EQ(window->lstCustomWords()->SelCount(), 0);
    EXPECT_FALSE(Button("tbDelete")->isEnabled());
    EXPECT_FALSE(Button("tbEdit")->isEnabled());
    EXPECT_TRUE(answerer->Messages().empty());
    EXPECT_TRUE(reports.Text().empty());
}

INSTANTIATE_TEST_SUITE_P(Selections, DeleteWordTest,
                         testing::Values(DeleteCase{"Scattered", {1, 3}, {"w0", "w2", "w4"}},
                                         DeleteCase{"None", {}, {"w0", "w1", "w2", "w3", "w4"}},
                                         DeleteCase{"Every", {0, 1, 2, 3, 4}, {}},
                                         DeleteCase{"FirstAndLast", {0, 4}, {"w1", "w2", "w3"}}),
                         [](const testing::TestParamInfo<DeleteCase>& info) {
                             return String(info.param.name);
                         });

TEST_F(WordEditingTest, DeleteOnAnEmptyListChangesNothing) {
    ChooseDictionary("empty");
    EXPECT_TRUE(window->_FileDeleteWord_Action());
    EXPECT_TRUE(Words().empty());
    EXPECT_TRUE(reports.Text().empty());
}

TEST_F(WordEditingTest, ASavedListHoldsTheTypedWordTheUntouchedPlaceholderAndTheEmptiedCell) {
    ChooseDictionary("five");
    Click("tbAdd");
    Type("new");
    Press(Qt::Key_Return);
    Click("tbAdd");
    Press(Qt::Key_Return);
    Click("tbAdd");
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Return);
    Click("tbSave");
    EXPECT_EQ(TempHome::ReadFile(Dictionary("five")), kFive + String("new\0<New Word>\0\0", 16));
    EXPECT_EQ(answerer->Messages(), (std::vector<String>{"Dictionary saved."}));
}

struct PasteCase {
    const char* name;
    const char* dictionary;
    QString pasted;
    String saved;
};

void PrintTo(const PasteCase& c, std::ostream* os) {
    *os << c.name;
}

class PastedWordTest : public MainWindowUi, public testing::WithParamInterface<PasteCase> {};

// Whatever would end the word when the file is read back ends it in the editor, so that the list
// shows what the dictionary will hold.
TEST_P(PastedWordTest, EndsWhereTheSavedFileWouldEndIt) {
    const PasteCase& c = GetParam();
    ChooseDictionary(c.dictionary);
    Click("tbAdd");
    QApplication::clipboard()->setText(c.pasted);
    QTest::keySequence(Editor(), QKeySequence::Paste);
    Press(Qt::Key_Return);
    EXPECT_EQ(Words().back(), "new");
    Click("tbSave");
    EXPECT_EQ(TempHome::ReadFile(Dictionary(c.dictionary)), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, PastedWordTest,
    testing::Values(PasteCase{"Nul", "lines", QString("new") + QChar(0) + "line", "one\ntwo\nnew\n"},
                    PasteCase{"LineFeed", "lines", "new\nline", "one\ntwo\nnew\n"},
                    PasteCase{"CarriageReturnLineFeed", "lines", "new\r\nline", "one\ntwo\nnew\n"},
                    PasteCase{"CarriageReturn", "lines", "new\rline", "one\ntwo\nnew\n"},
                    PasteCase{"LineFeedInANulDictionary", "five", "new\nline",
                              String("w0\0w1\0w2\0w3\0w4\0new\0", 19)}),
    [](const testing::TestParamInfo<PasteCase>& info) { return String(info.param.name); });

TEST_F(WordEditingTest, SaveClickedWhileAWordIsBeingTypedSavesTheWord) {
    ChooseDictionary("empty");
    Click("tbAdd");
    Type("typed");
    Click("tbSave");
    EXPECT_EQ(TempHome::ReadFile(Dictionary("empty")), String("typed\0", 6));
    EXPECT_EQ(EditedRow(), -1);
}

} // namespace
