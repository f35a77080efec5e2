#include "Listbox.h"

#include "TextField.h"
#include "Window.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <vector>

namespace {

class ListWindow : public Window {
public:
    void CreateControls() override {
        _AddControl("list", New<Listbox>());
        ListboxDesign design;
        design.Width = 200;
        design.Height = 200;
        design.SelectionType = 1;
        List()->ApplyDesign(design);
        List()->ColumnType(0, Listbox::TypeEditable);
        List()->Change = [this] { ++changes; };
    }
    Ref<Listbox> List() const { return Control<Listbox>("list"); }

    int changes = 0;
};

class ListboxTest : public testing::Test {
protected:
    void SetUp() override {
        window = New<ListWindow>();
        window->_Construct();
        list = window->List();
    }
    void TearDown() override {
        window->Close();
        QApplication::processEvents();
    }

    void AddRows(const std::vector<String>& rows) {
        for (const String& row : rows)
            list->AddRow(row);
    }
    std::vector<String> Rows() const {
        std::vector<String> rows;
        for (int64_t row = 0; row < list->ListCount(); ++row)
            rows.push_back(list->Cell(row, 0));
        return rows;
    }
    /// The rows the view shows, which must agree with the list's own.
    std::vector<String> ViewRows() const {
        QAbstractItemModel* model = list->_TreeView()->model();
        std::vector<String> rows;
        for (int row = 0; row < model->rowCount(); ++row)
            rows.push_back(model->index(row, 0).data().toString().toStdString());
        return rows;
    }
    std::vector<int> ViewSelectedRows() const {
        std::vector<int> rows;
        for (const QModelIndex& index : list->_TreeView()->selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    /// Removes the selected rows the way the word list's Delete does: from the last row down.
    void RemoveSelectedFromTheEnd() {
        for (int64_t row = list->ListCount() - 1; row >= 0; --row) {
            if (list->Selected(row))
                list->RemoveRow(row);
        }
    }
    QLineEdit* Editor() const { return list->ActiveCell()->_Editor(); }

    Ref<ListWindow> window;
    Ref<Listbox> list;
};

TEST_F(ListboxTest, AddRowAppendsAndRemoveRowMovesTheLaterRowsUp) {
    AddRows({"a", "b", "c", "d"});
    EXPECT_EQ(list->LastIndex(), 3);
    list->RemoveRow(1);
    EXPECT_EQ(Rows(), (std::vector<String>{"a", "c", "d"}));
    QApplication::processEvents();
    EXPECT_EQ(ViewRows(), Rows());
    EXPECT_THROW(list->RemoveRow(3), OutOfBoundsException);
    EXPECT_THROW(list->Cell(-1, 0), OutOfBoundsException);
}

TEST_F(ListboxTest, SelectionMadeInTheViewReachesTheListAndRaisesChangeOnce) {
    AddRows({"a", "b", "c"});
    QApplication::processEvents();
    QTreeView* view = list->_TreeView();
    view->selectionModel()->select(view->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(window->changes, 1);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(list->Text(), "b");
}

struct RemovalCase {
    const char* name;
    int rows;
    std::vector<int> selected;
};

void PrintTo(const RemovalCase& c, std::ostream* os) {
    *os << c.name;
}

class ListboxRemovalTest : public ListboxTest, public testing::WithParamInterface<RemovalCase> {};

TEST_P(ListboxRemovalTest, RemovingTheSelectedRowsLeavesTheOthersInOrderAndRaisesChangeOnce) {
    const RemovalCase& c = GetParam();
    std::vector<String> kept;
    for (int row = 0; row < c.rows; ++row) {
        list->AddRow("w" + std::to_string(row));
        if (std::find(c.selected.begin(), c.selected.end(), row) == c.selected.end())
            kept.push_back("w" + std::to_string(row));
    }
    QApplication::processEvents();
    for (int row : c.selected)
        list->Selected(row, true);
    window->changes = 0;

    RemoveSelectedFromTheEnd();

    EXPECT_EQ(Rows(), kept);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(window->changes, 0) << "Change waits until the removal is over";
    QApplication::processEvents();
    EXPECT_EQ(window->changes, c.selected.empty() ? 0 : 1);
    EXPECT_EQ(ViewRows(), kept);
    EXPECT_TRUE(ViewSelectedRows().empty());
}

INSTANTIATE_TEST_SUITE_P(Selections, ListboxRemovalTest,
                         testing::Values(RemovalCase{"None", 5, {}}, RemovalCase{"Scattered", 5, {1, 3}},
                                         RemovalCase{"All", 5, {0, 1, 2, 3, 4}}, RemovalCase{"Last", 5, {4}},
                                         // More separate runs than the view is told about one by one.
                                         RemovalCase{"ManyRuns", 60, {1,  4,  7,  10, 13, 16, 19,
                                                                      22, 25, 28, 31, 34, 37, 40,
                                                                      43, 46, 49, 52, 55, 58}}),
                         [](const testing::TestParamInfo<RemovalCase>& info) { return info.param.name; });

TEST_F(ListboxTest, RowsThatStaySelectedStaySelectedInTheViewAfterARemoval) {
    for (int row = 0; row < 60; ++row)
        list->AddRow("w" + std::to_string(row));
    QApplication::processEvents();
    list->Selected(59, true);
    window->changes = 0;
    // Enough separate runs that the view is reset rather than told run by run.
    for (int row = 38; row >= 0; row -= 2)
        list->RemoveRow(row);
    QApplication::processEvents();
    EXPECT_EQ(list->ListCount(), 40);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_TRUE(list->Selected(39));
    EXPECT_EQ(ViewSelectedRows(), (std::vector<int>{39}));
    EXPECT_EQ(window->changes, 0) << "the selection did not change";
}

TEST_F(ListboxTest, DeleteAllRowsEmptiesTheListAndTheView) {
    AddRows({"a", "b"});
    list->Selected(0, true);
    window->changes = 0;
    list->DeleteAllRows();
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(window->changes, 1);
    EXPECT_TRUE(ViewRows().empty());
}

TEST_F(ListboxTest, EditCellOpensAnEditorWhoseTextTypedAndEnteredBecomesTheCell) {
    AddRows({"alpha", "beta"});
    list->EditCell(1, 0);
    ASSERT_FALSE(list->ActiveCell().IsNil());
    EXPECT_EQ(list->ActiveCell()->Text(), "beta");
    Editor()->selectAll();
    QTest::keyClicks(Editor(), "gamma");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(list->Cell(1, 0), "gamma");
    EXPECT_EQ(list->Cell(0, 0), "alpha");
    EXPECT_TRUE(list->ActiveCell().IsNil());
}

TEST_F(ListboxTest, EscapeLeavesTheCellAsItWas) {
    AddRows({"alpha"});
    list->EditCell(0, 0);
    QTest::keyClicks(Editor(), "xyz");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(list->Cell(0, 0), "alpha");
    EXPECT_TRUE(list->ActiveCell().IsNil());
}

TEST_F(ListboxTest, AnEditLeftUnchangedKeepsTheRowsOwnBytes) {
    const String latin1 = "caf\xE9";
    AddRows({latin1});
    list->EditCell(0, 0);
    QTest::keyClick(Editor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(list->ActiveCell().IsNil());
    EXPECT_EQ(list->Cell(0, 0), latin1);
}

TEST_F(ListboxTest, ActiveCellSelectionCountsCharacters) {
    AddRows({"<New Word>"});
    list->EditCell(0, 0);
    Ref<TextField> cell = list->ActiveCell();
    cell->SelStart(0);
    cell->SelLength(10);
    EXPECT_EQ(cell->SelText(), "<New Word>");
    cell->SelStart(5);
    cell->SelLength(100);
    EXPECT_EQ(cell->SelStart(), 5);
    EXPECT_EQ(cell->SelText(), "Word>");
}

TEST_F(ListboxTest, EditCellOutsideTheRowsRaises) {
    AddRows({"a"});
    EXPECT_THROW(list->EditCell(-1, 0), OutOfBoundsException);
    EXPECT_THROW(list->EditCell(1, 0), OutOfBoundsException);
    EXPECT_THROW(list->EditCell(0, 1), OutOfBoundsException);
    EXPECT_TRUE(list->ActiveCell().IsNil());
}

TEST_F(ListboxTest, ListIndexSelectsOneRowAloneAndMinusOneClears) {
    AddRows({"a", "b", "c"});
    list->Selected(0, true);
    list->Selected(2, true);
    EXPECT_EQ(window->changes, 2);
    EXPECT_EQ(ViewSelectedRows(), (std::vector<int>{0, 2}));
    list->ListIndex(1);
    EXPECT_EQ(window->changes, 3);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(ViewSelectedRows(), (std::vector<int>{1}));
    list->ListIndex(1);
    EXPECT_EQ(window->changes, 3) << "selecting the selected row changes nothing";
    list->ListIndex(-1);
    EXPECT_EQ(window->changes, 4);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_TRUE(ViewSelectedRows().empty());
}

TEST_F(ListboxTest, ABurstOfRowsSelectedOneByOneReachesTheViewWholeOnTheNextTurn) {
    AddRows(std::vector<String>(100, "word"));
    std::vector<int> expected;
    for (int row = 0; row < 100; row += 2) {
        list->Selected(row, true);
        if (row != 50)
            expected.push_back(row);
    }
    list->Selected(50, false);
    EXPECT_EQ(list->SelCount(), 49);
    EXPECT_TRUE(list->Selected(98));
    EXPECT_EQ(window->changes, 51);

    QApplication::processEvents();
    EXPECT_EQ(ViewSelectedRows(), expected);
    EXPECT_EQ(window->changes, 51) << "giving the view its selection changes nothing";
}

} // namespace
