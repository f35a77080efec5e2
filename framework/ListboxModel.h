#pragma once

#include "Strings.h"

#include <QAbstractItemModel>

#include <functional>
#include <span>
#include <vector>

/// The rows of a Listbox. Rows added in a burst reach the view in one notification, and rows removed
/// in a burst from the end towards the start (the way DeleteWord goes) are only marked and then
/// taken out in one pass, so that neither costs the view a notification per row.
class ListboxModel : public QAbstractItemModel {
public:
    /// A row longer than this many bytes is shown cut, ending with "…": laying out the whole of a
    /// huge word would freeze the window, or crash it.
    static constexpr size_t kMostShownBytes = 256;
    /// The most characters (UTF-16 code units) that a cell's editor holds. Each keystroke lays out
    /// the whole text, so a longer text would stall the window.
    static constexpr int kMostEditedCharacters = 1 << 16;

    /// What the view shows of a row: the text, or its beginning up to a character boundary and "…".
    static QString Shown(const String& text);
    /// True when the whole text fits a cell's editor; a longer row is never opened for editing,
    /// so that the editor cannot cut it.
    static bool FitsEditor(const String& text);

    ListboxModel();
    ~ListboxModel() override;

    int64_t Count() const { return static_cast<int64_t>(m_Marks.size()) - m_Removed; }
    void Append(String text);
    /// Raises OutOfBoundsException for a row that is not there; true when the row was selected.
    bool Remove(int64_t row);
    /// True when a row was selected.
    bool Clear();
    const String& Text(int64_t row);
    /// The text of every row, in order, once pending removals are settled; valid until the rows next
    /// change.
    std::span<const String> Texts();
    void SetText(int64_t row, const String& text);
    /// Whether the user changed the row's text in its editor, or SetEdited said so, since the mark
    /// was last cleared.
    bool Edited(int64_t row);
    void SetEdited(int64_t row, bool edited);
    /// Clears every row's mark.
    void ForgetEdits();

    bool Selected(int64_t row);
    /// Only the model's record; the view is the caller's.
    void SetSelected(int64_t row, bool selected);
    int64_t SelCount() const { return m_SelCount; }
    int64_t FirstSelected();
    void ClearSelection();
    /// The view's selection changed: a range of rows now selected or no longer selected. True when
    /// that changed the record.
    bool ViewSelected(int64_t first, int64_t last, bool selected);
    /// Gives the view the record's selection whole, through SelectionResetByModel.
    void GiveViewSelection();
    /// Runs of selected rows, for giving the view its selection back after a reset.
    std::vector<std::pair<int64_t, int64_t>> SelectedRuns() const;

    /// Brings the view up to date with every pending change.
    void Settle();
    /// While true, selection signals from the view come from the model's own changes.
    bool Syncing() const { return m_Syncing; }

    void SetHeading(const QString& heading);
    const QString& HeadingText() const { return m_Heading; }

    /// Called after a reset, when the view has lost its selection.
    std::function<void()> SelectionResetByModel;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    /// Kept apart from the texts, so that the texts lie in order, one after another, for Texts.
    struct Marks {
        bool selected = false;
        bool removed = false;
        bool edited = false;
    };

    void MarkEdited(Marks& row, bool edited);
    /// The physical index of a row, settling first where marked rows lie at or before it.
    size_t At(int64_t row);
    void Check(int64_t row) const;
    void ScheduleSettle();
    void FlushAppends();
    void Compact();
    void EraseRemoved();
    /// Erases the rows from `first` up to, not with, `end`.
    void EraseRows(size_t first, size_t end);

    /// One entry of each for every row, removed ones included until the next settle.
    std::vector<String> m_Texts;
    std::vector<Marks> m_Marks;
    int64_t m_SelCount = 0;
    int64_t m_EditedCount = 0;
    int64_t m_Removed = 0;
    size_t m_LowestRemoved = 0;
    int m_ViewCount = 0;
    bool m_SettleScheduled = false;
    bool m_Syncing = false;
    QString m_Heading;
};
