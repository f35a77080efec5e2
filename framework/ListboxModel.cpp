#include "ListboxModel.h"

#include "RuntimeException.h"

#include <QMetaObject>

#include <algorithm>
#include <limits>

namespace {

// Beyond this many separate runs of removed rows, one reset is cheaper for the view than a
// notification per run.
constexpr size_t kMostRunsRemovedOneByOne = 16;

constexpr bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

QString FromUtf8(const String& text, size_t bytes) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(bytes));
}

bool IsBreak(QChar c) {
    return c == QChar(0) || c == u'\n' || c == u'\r';
}

// A word ends at a NUL or a line break (LF, CR LF or CR), as in an import. Written into a dictionary,
// a NUL would be read back as its delimiter, and a line break as the end of the word in a line-feed
// dictionary and in an exported list. Only a break that the user typed or pasted ends it: the text
// between what the word and the edit share at their start and at their end.
qsizetype TypedWordLength(const QString& word, const QString& edited) {
    const qsizetype shortest = std::min(word.size(), edited.size());
    qsizetype start = 0;
    while (start < shortest && word[start] == edited[start])
        ++start;
    qsizetype end = edited.size();
    while (end > start && edited.size() - end < shortest - start &&
           word[word.size() - (edited.size() - end) - 1] == edited[end - 1])
        --end;
    auto typedBreak = std::find_if(edited.cbegin() + start, edited.cbegin() + end, IsBreak);
    return typedBreak == edited.cbegin() + end ? edited.size() : typedBreak - edited.cbegin();
}

} // namespace

QString ListboxModel::Shown(const String& text) {
    if (text.size() <= kMostShownBytes)
        return FromUtf8(text, text.size());
    // A UTF-8 character is at most four bytes; bytes that are no UTF-8 may be cut anywhere.
    size_t cut = kMostShownBytes;
    for (int back = 0; back < 3 && IsContinuationByte(text[cut]); ++back)
        --cut;
    if (IsContinuationByte(text[cut]))
        cut = kMostShownBytes;
    return FromUtf8(text, cut) + QChar(0x2026);
}

bool ListboxModel::FitsEditor(const String& text) {
    // A UTF-8 byte gives at most one UTF-16 code unit, and a code unit takes at most three bytes.
    if (text.size() <= static_cast<size_t>(kMostEditedCharacters))
        return true;
    if (text.size() > 3 * static_cast<size_t>(kMostEditedCharacters))
        return false;
    return FromUtf8(text, text.size()).size() <= kMostEditedCharacters;
}

ListboxModel::ListboxModel() = default;

ListboxModel::~ListboxModel() = default;

void ListboxModel::Append(String text) {
    m_Texts.push_back(std::move(text));
    m_Marks.emplace_back();
    ScheduleSettle();
}

bool ListboxModel::Remove(int64_t row) {
    Check(row);
    size_t at = At(row);
    Marks& removed = m_Marks[at];
    bool wasSelected = removed.selected;
    if (wasSelected)
        --m_SelCount;
    removed.selected = false;
    if (removed.edited)
        --m_EditedCount;
    removed.edited = false;
    removed.removed = true;
    if (m_Removed == 0 || at < m_LowestRemoved)
        m_LowestRemoved = at;
    ++m_Removed;
    ScheduleSettle();
    return wasSelected;
}

bool ListboxModel::Clear() {
    bool hadSelection = m_SelCount > 0;
    m_Syncing = true;
    beginResetModel();
    m_Texts.clear();
    m_Texts.shrink_to_fit();
    m_Marks.clear();
    m_Marks.shrink_to_fit();
    m_SelCount = 0;
    m_EditedCount = 0;
    m_Removed = 0;
    m_ViewCount = 0;
    endResetModel();
    m_Syncing = false;
    return hadSelection;
}

const String& ListboxModel::Text(int64_t row) {
    Check(row);
    return m_Texts[At(row)];
}

std::span<const String> ListboxModel::Texts() {
    Settle();
    return m_Texts;
}

void ListboxModel::SetText(int64_t row, const String& text) {
    Check(row);
    size_t at = At(row);
    m_Texts[at] = text;
    if (static_cast<int>(at) < m_ViewCount) {
        QModelIndex changed = index(static_cast<int>(at), 0);
        emit dataChanged(changed, changed);
    }
}

bool ListboxModel::Edited(int64_t row) {
    Check(row);
    return m_Marks[At(row)].edited;
}

void ListboxModel::SetEdited(int64_t row, bool edited) {
    Check(row);
    MarkEdited(m_Marks[At(row)], edited);
}

void ListboxModel::ForgetEdits() {
    // Most saves follow no edit at all, and a pass over a million rows would cost each of them.
    if (m_EditedCount == 0)
        return;
    for (Marks& row : m_Marks)
        row.edited = false;
    m_EditedCount = 0;
}

void ListboxModel::MarkEdited(Marks& row, bool edited) {
    if (row.edited != edited)
        m_EditedCount += edited ? 1 : -1;
    row.edited = edited;
}

bool ListboxModel::Selected(int64_t row) {
    Check(row);
    return m_Marks[At(row)].selected;
}

void ListboxModel::SetSelected(int64_t row, bool selected) {
    Check(row);
    Marks& r = m_Marks[At(row)];
    if (r.selected == selected)
        return;
    r.selected = selected;
    m_SelCount += selected ? 1 : -1;
}

int64_t ListboxModel::FirstSelected() {
    if (m_SelCount == 0)
        return -1;
    Settle();
    for (size_t i = 0; i < m_Marks.size(); ++i) {
        if (m_Marks[i].selected)
            return static_cast<int64_t>(i);
    }
    return -1;
}

void ListboxModel::ClearSelection() {
    if (m_SelCount == 0)
        return;
    for (Marks& row : m_Marks)
        row.selected = false;
    m_SelCount = 0;
}

bool ListboxModel::ViewSelected(int64_t first, int64_t last, bool selected) {
    bool changed = false;
    last = std::min<int64_t>(last, static_cast<int64_t>(m_Marks.size()) - 1);
    for (int64_t i = std::max<int64_t>(first, 0); i <= last; ++i) {
        Marks& r = m_Marks[static_cast<size_t>(i)];
        if (r.removed || r.selected == selected)
            continue;
        r.selected = selected;
        m_SelCount += selected ? 1 : -1;
        changed = true;
    }
    return changed;
}

void ListboxModel::GiveViewSelection() {
    if (!SelectionResetByModel)
        return;
    m_Syncing = true;
    SelectionResetByModel();
    m_Syncing = false;
}

std::vector<std::pair<int64_t, int64_t>> ListboxModel::SelectedRuns() const {
    std::vector<std::pair<int64_t, int64_t>> runs;
    for (size_t i = 0; i < m_Marks.size(); ++i) {
        if (!m_Marks[i].selected)
            continue;
        auto at = static_cast<int64_t>(i);
        if (!runs.empty() && runs.back().second == at - 1)
            runs.back().second = at;
        else
            runs.emplace_back(at, at);
    }
    return runs;
}

void ListboxModel::Settle() {
    m_SettleScheduled = false;
    FlushAppends();
    Compact();
}

void ListboxModel::SetHeading(const QString& heading) {
    m_Heading = heading;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

QModelIndex ListboxModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= m_ViewCount || column != 0)
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex ListboxModel::parent(const QModelIndex&) const {
    return QModelIndex();
}

int ListboxModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_ViewCount;
}

int ListboxModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant ListboxModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const String& text = m_Texts[static_cast<size_t>(index.row())];
    if (role == Qt::EditRole && FitsEditor(text))
        return FromUtf8(text, text.size());
    return Shown(text);
}

bool ListboxModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const auto at = static_cast<size_t>(index.row());
    const QString shown = FromUtf8(m_Texts[at], m_Texts[at].size());
    QString edited = value.toString();
    // A word that the editor gives back as it was keeps its own bytes, also those that are not UTF-8.
    edited.truncate(TypedWordLength(shown, edited));
    if (edited == shown)
        return true;
    m_Texts[at] = edited.toStdString();
    MarkEdited(m_Marks[at], true);
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags ListboxModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (FitsEditor(m_Texts[static_cast<size_t>(index.row())]))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ListboxModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section != 0 || orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return m_Heading;
}

size_t ListboxModel::At(int64_t row) {
    auto at = static_cast<size_t>(row);
    if (m_Removed > 0 && at >= m_LowestRemoved)
        Settle();
    return static_cast<size_t>(row);
}

void ListboxModel::Check(int64_t row) const {
    if (row < 0 || row >= Count())
        throw OutOfBoundsException();
}

void ListboxModel::ScheduleSettle() {
    if (m_SettleScheduled)
        return;
    m_SettleScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_SettleScheduled)
                Settle();
        },
        Qt::QueuedConnection);
}

void ListboxModel::FlushAppends() {
    auto total = static_cast<int>(std::min<size_t>(m_Texts.size(), std::numeric_limits<int>::max()));
    if (total <= m_ViewCount)
        return;
    m_Syncing = true;
    beginInsertRows(QModelIndex(), m_ViewCount, total - 1);
    m_ViewCount = total;
    endInsertRows();
    m_Syncing = false;
}

void ListboxModel::Compact() {
    if (m_Removed == 0)
        return;
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t i = m_LowestRemoved; i < m_Marks.size(); ++i) {
        if (!m_Marks[i].removed)
            continue;
        if (!runs.empty() && runs.back().second == i - 1)
            runs.back().second = i;
        else
            runs.emplace_back(i, i);
    }
    m_Syncing = true;
    bool reset = runs.size() > kMostRunsRemovedOneByOne;
    if (reset) {
        beginResetModel();
        EraseRemoved();
        m_ViewCount = static_cast<int>(m_Texts.size());
        endResetModel();
    } else {
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            beginRemoveRows(QModelIndex(), static_cast<int>(run->first), static_cast<int>(run->second));
            EraseRows(run->first, run->second + 1);
            m_ViewCount -= static_cast<int>(run->second - run->first + 1);
            endRemoveRows();
        }
    }
    m_Removed = 0;
    m_LowestRemoved = 0;
    // The view is given back the selection it lost in the reset, which is no change of selection.
    if (reset && m_SelCount > 0 && SelectionResetByModel)
        SelectionResetByModel();
    m_Syncing = false;
}

// Texts and marks move together, so that each row keeps its own marks.
void ListboxModel::EraseRemoved() {
    size_t kept = m_LowestRemoved;
    for (size_t i = m_LowestRemoved; i < m_Marks.size(); ++i) {
        if (m_Marks[i].removed)
            continue;
        if (kept != i)
            m_Texts[kept] = std::move(m_Texts[i]);
        m_Marks[kept] = m_Marks[i];
        ++kept;
    }
    m_Texts.resize(kept);
    m_Marks.resize(kept);
}

void ListboxModel::EraseRows(size_t first, size_t end) {
    m_Texts.erase(m_Texts.begin() + static_cast<std::ptrdiff_t>(first),
                  m_Texts.begin() + static_cast<std::ptrdiff_t>(end));
    m_Marks.erase(m_Marks.begin() + static_cast<std::ptrdiff_t>(first),
                  m_Marks.begin() + static_cast<std::ptrdiff_t>(end));
}
