#include "Listbox.h"

#include "ListboxModel.h"
#include "Runtime.h"
#include "TextField.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

// Beyond this many rows selected one at a time in one turn of the event loop, the view gets the
// selection whole instead of row by row.
constexpr int kMostRowsSelectedOneByOne = 16;

class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        // The default of 32767 would cut a longer word when the editor opens on it.
        editor->setMaxLength(ListboxModel::kMostEditedCharacters);
        m_Editor = editor;
        return editor;
    }

    QLineEdit* Editor() const { return m_Editor.data(); }

    void CommitAndClose() {
        QLineEdit* editor = Editor();
        // An editor that the view closed, on Return for instance, lingers hidden until it is deleted;
        // the view no longer knows it, and its text is in the row already.
        if (!editor || editor->isHidden())
            return;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

private:
    mutable QPointer<QLineEdit> m_Editor;
};

} // namespace

Listbox::Listbox() : m_Model(std::make_unique<ListboxModel>()) {}

Listbox::~Listbox() {
    // A view left with a deleted model would reset itself against nothing a moment later. Once the
    // application object has gone, nothing runs later and the view may no longer be touched.
    if (m_TreeView && QCoreApplication::instance())
        m_TreeView->setModel(nullptr);
}

void Listbox::ApplyDesign(const ListboxDesign& design) {
    m_ListDesign = design;
    RectControl::ApplyDesign(design);
    if (!design.InitialValue.empty())
        AddRow(design.InitialValue);
}

int64_t Listbox::ListCount() const {
    return m_Model->Count();
}

void Listbox::AddRow(String text) {
    m_Model->Append(std::move(text));
    m_LastIndex = m_Model->Count() - 1;
}

void Listbox::RemoveRow(int64_t row) {
    // Removing selected rows one by one (every selected word at once) raises one Change, after the
    // whole removal, instead of one per row.
    if (m_Model->Remove(row))
        ScheduleChange();
}

void Listbox::DeleteAllRows() {
    m_LastIndex = -1;
    if (m_Model->Clear())
        RaiseChange();
}

bool Listbox::Selected(int64_t row) const {
    return m_Model->Selected(row);
}

void Listbox::Selected(int64_t row, bool selected) {
    if (m_Model->Selected(row) == selected)
        return;
    if (selected && m_ListDesign.SelectionType == 0) {
        ListIndex(row);
        return;
    }
    m_Model->Settle();
    m_Model->SetSelected(row, selected);
    ShowSelected(row, selected);
    RaiseChange();
}

void Listbox::ShowSelected(int64_t row, bool selected) {
    QTreeView* view = _TreeView();
    if (!view)
        return;
    // The view's selection model merges each new range with every range it holds, so a burst of
    // rows selected one at a time would cost it time in the square of their number: past the first
    // few, they reach it together on the next turn of the event loop.
    if (m_ViewSelectionScheduled || ++m_RowsSelectedThisTurn > kMostRowsSelectedOneByOne) {
        ScheduleViewSelection();
        return;
    }
    if (m_RowsSelectedThisTurn == 1)
        QMetaObject::invokeMethod(
            m_Model.get(),
            [weak = weak_from_this()] {
                if (auto self = std::static_pointer_cast<Listbox>(weak.lock()))
                    self->m_RowsSelectedThisTurn = 0;
            },
            Qt::QueuedConnection);
    QModelIndex index = m_Model->index(static_cast<int>(row), 0);
    auto flags =
        (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows;
    view->selectionModel()->select(index, flags);
}

void Listbox::ScheduleViewSelection() {
    if (m_ViewSelectionScheduled)
        return;
    m_ViewSelectionScheduled = true;
    QMetaObject::invokeMethod(
        m_Model.get(),
        [weak = weak_from_this()] {
            auto self = std::static_pointer_cast<Listbox>(weak.lock());
            if (!self)
                return;
            self->m_ViewSelectionScheduled = false;
            self->m_Model->Settle();
            self->m_Model->GiveViewSelection();
        },
        Qt::QueuedConnection);
}

int64_t Listbox::SelCount() const {
    return m_Model->SelCount();
}

int64_t Listbox::ListIndex() const {
    return m_Model->FirstSelected();
}

void Listbox::ListIndex(int64_t row) {
    if (row < -1 || row >= ListCount())
        throw OutOfBoundsException();
    bool unchanged = row < 0 ? SelCount() == 0 : SelCount() == 1 && Selected(row);
    if (unchanged)
        return;
    m_Model->Settle();
    m_Model->ClearSelection();
    if (row >= 0)
        m_Model->SetSelected(row, true);
    if (QTreeView* view = _TreeView()) {
        if (row < 0) {
            view->selectionModel()->clearSelection();
        } else {
            QModelIndex index = m_Model->index(static_cast<int>(row), 0);
            view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        }
    }
    RaiseChange();
}

String Listbox::Text() const {
    int64_t row = ListIndex();
    return row < 0 ? String() : m_Model->Text(row);
}

const String& Listbox::Cell(int64_t row, int32_t column) const {
    CheckColumn(column);
    return m_Model->Text(row);
}

void Listbox::Cell(int64_t row, int32_t column, const String& text) {
    CheckColumn(column);
    m_Model->SetText(row, text);
}

std::span<const String> Listbox::RowTexts() const {
    return m_Model->Texts();
}

bool Listbox::RowEdited(int64_t row) const {
    return m_Model->Edited(row);
}

void Listbox::RowEdited(int64_t row, bool edited) {
    m_Model->SetEdited(row, edited);
}

void Listbox::ForgetEdits() {
    m_Model->ForgetEdits();
}

int32_t Listbox::ColumnType(int32_t column) const {
    CheckColumn(column);
    return m_ColumnType;
}

void Listbox::ColumnType(int32_t column, int32_t type) {
    CheckColumn(column);
    m_ColumnType = type;
    _UpdateView();
}

String Listbox::Heading(int32_t column) const {
    CheckColumn(column);
    return m_Model->HeadingText().toStdString();
}

void Listbox::Heading(int32_t column, const String& text) {
    CheckColumn(column);
    m_Model->SetHeading(QString::fromStdString(text));
}

void Listbox::EditCell(int64_t row, int32_t column) {
    CheckColumn(column);
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException();
    QTreeView* view = _TreeView();
    if (!view)
        throw NilObjectException();
    m_Model->Settle();
    QModelIndex index = m_Model->index(static_cast<int>(row), 0);
    view->scrollTo(index);
    view->setFocus();
    if (m_Model->flags(index).testFlag(Qt::ItemIsEditable))
        view->edit(index);
}

void Listbox::_EndEditing() {
    QTreeView* view = _TreeView();
    if (!view)
        return;
    static_cast<CellDelegate*>(view->itemDelegate())->CommitAndClose();
}

Ref<TextField> Listbox::ActiveCell() const {
    QTreeView* view = _TreeView();
    if (!view)
        return nullptr;
    auto* delegate = static_cast<CellDelegate*>(view->itemDelegate());
    QLineEdit* editor = delegate->Editor();
    if (!editor || !editor->isVisible())
        return nullptr;
    return New<TextField>(editor);
}

QTreeView* Listbox::_TreeView() const {
    return m_TreeView;
}

QWidget* Listbox::_CreateView(QWidget* parent) {
    auto* view = new QTreeView(parent);
    view->setModel(m_Model.get());
    view->setItemDelegate(new CellDelegate(view));
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->header()->setStretchLastSection(true);
    view->header()->setSectionsMovable(false);
    m_TreeView = view;
    QObject::connect(view, &QObject::destroyed, m_Model.get(), [this] { m_TreeView = nullptr; });
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, m_Model.get(),
                     [this](const QItemSelection& selected, const QItemSelection& deselected) {
                         FollowViewSelection(selected, deselected);
                     });
    m_Model->SelectionResetByModel = [this] {
        QTreeView* tree = _TreeView();
        if (!tree)
            return;
        QItemSelection selection;
        for (const auto& [first, last] : m_Model->SelectedRuns())
            selection.select(m_Model->index(static_cast<int>(first), 0),
                             m_Model->index(static_cast<int>(last), 0));
        tree->selectionModel()->select(selection,
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    return view;
}

void Listbox::_UpdateView() {
    RectControl::_UpdateView();
    QTreeView* view = _TreeView();
    if (!view)
        return;
    view->setHeaderHidden(!m_ListDesign.HasHeading);
    view->setSelectionMode(m_ListDesign.SelectionType == 1 ? QAbstractItemView::ExtendedSelection
                                                           : QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setVerticalScrollBarPolicy(m_ListDesign.ScrollBarVertical ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollBarPolicy(m_ListDesign.ScrollbarHorizontal ? Qt::ScrollBarAsNeeded
                                                                        : Qt::ScrollBarAlwaysOff);
    view->setFrameShape(m_ListDesign.Border ? QFrame::StyledPanel : QFrame::NoFrame);
    view->setEditTriggers(m_ColumnType == TypeEditable
                              ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::SelectedClicked
                              : QAbstractItemView::NoEditTriggers);
}

void Listbox::CheckColumn(int32_t column) const {
    if (column < 0 || column >= m_ListDesign.ColumnCount)
        throw OutOfBoundsException();
}

void Listbox::FollowViewSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_Model->Syncing())
        return;
    bool changed = false;
    for (const QItemSelectionRange& range : deselected)
        changed = m_Model->ViewSelected(range.top(), range.bottom(), false) || changed;
    for (const QItemSelectionRange& range : selected)
        changed = m_Model->ViewSelected(range.top(), range.bottom(), true) || changed;
    if (changed)
        RaiseChange();
}

void Listbox::ScheduleChange() {
    if (m_ChangeScheduled)
        return;
    m_ChangeScheduled = true;
    std::weak_ptr<RectControl> weak = weak_from_this();
    QMetaObject::invokeMethod(
        m_Model.get(),
        [weak] {
            auto self = std::static_pointer_cast<Listbox>(weak.lock());
            if (!self)
                return;
            self->m_ChangeScheduled = false;
            self->RaiseChange();
        },
        Qt::QueuedConnection);
}

void Listbox::RaiseChange() {
    if (Change)
        Dispatch(Change);
}
