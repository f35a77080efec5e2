#pragma once

#include "RectControl.h"

#include <functional>
#include <span>

class TextField;
class ListboxModel;
class QItemSelection;
class QTreeView;

struct ListboxDesign : ControlDesign {
    /// One column is all this list box shows.
    int32_t ColumnCount = 1;
    bool HasHeading = false;
    /// 0 one row at a time, 1 several rows.
    int32_t SelectionType = 0;
    bool GridLinesHorizontal = false, GridLinesVertical = false;
    bool Border = true;
    bool ScrollBarVertical = true, ScrollbarHorizontal = false;
    String InitialValue;
};

/// A list of rows of text over a model of its own, so that a million rows load and scroll quickly.
/// Rows are indexed from 0; an index out of range raises OutOfBoundsException.
class Listbox : public RectControl {
public:
    static constexpr int32_t TypeEditable = 3;

    Listbox();
    ~Listbox() override;

    void ApplyDesign(const ListboxDesign& design);

    int64_t ListCount() const;
    void AddRow(String text);
    /// The index of the row added last.
    int64_t LastIndex() const { return m_LastIndex; }
    /// The later rows move up.
    void RemoveRow(int64_t row);
    void DeleteAllRows();

    bool Selected(int64_t row) const;
    void Selected(int64_t row, bool selected);
    int64_t SelCount() const;
    /// The first selected row, -1 when none is.
    int64_t ListIndex() const;
    /// Selects that row alone; -1 clears the selection.
    void ListIndex(int64_t row);
    /// The first cell of the selected row; empty when none is selected.
    String Text() const;
    const String& Cell(int64_t row, int32_t column) const;
    void Cell(int64_t row, int32_t column, const String& text);
    const String& List(int64_t row) const { return Cell(row, 0); }
    /// The first cell of every row, in order, as a read-only view that holds until the list next
    /// changes: a save reads a million of them.
    std::span<const String> RowTexts() const;
    /// Whether the user typed the row's text in its cell editor, or the setter said so, since the
    /// setter last cleared it.
    bool RowEdited(int64_t row) const;
    void RowEdited(int64_t row, bool edited);
    /// Clears RowEdited of every row.
    void ForgetEdits();

    int32_t ColumnType(int32_t column) const;
    /// TypeEditable lets the user edit the column's cells in place.
    void ColumnType(int32_t column, int32_t type);
    String Heading(int32_t column) const;
    void Heading(int32_t column, const String& text);

    /// Opens the cell's in-place editor; a text too long for the editor is not opened, so it stays whole.
    void EditCell(int64_t row, int32_t column);
    /// The editor of the cell being edited, Nil when none is.
    Ref<TextField> ActiveCell() const;

    /// Stores the text of a cell being edited and closes its editor.
    void _EndEditing();

    /// Raised when the selection changes.
    std::function<void()> Change;

    QTreeView* _TreeView() const;
    ListboxModel* _Model() const { return m_Model.get(); }

protected:
    QWidget* _CreateView(QWidget* parent) override;
    void _UpdateView() override;

private:
    void CheckColumn(int32_t column) const;
    void FollowViewSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void ScheduleChange();
    void ShowSelected(int64_t row, bool selected);
    void ScheduleViewSelection();
    void RaiseChange();

    std::unique_ptr<ListboxModel> m_Model;
    /// Nil once the window has deleted the view; the list outlives it when someone keeps it.
    QTreeView* m_TreeView = nullptr;
    ListboxDesign m_ListDesign;
    int32_t m_ColumnType = 0;
    int64_t m_LastIndex = -1;
    bool m_ChangeScheduled = false;
    bool m_ViewSelectionScheduled = false;
    int m_RowsSelectedThisTurn = 0;
};
