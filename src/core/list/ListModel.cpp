#include "core/list/ListModel.h"

#include <algorithm>
#include <iterator>

namespace quillet {

namespace {

const char* const columnTitles[ListModel::ColumnCount] = {"Name", "City", "ST", "Zip", "Home", "Cell", "Email Address"};

QStringView trimmedEnds(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ListModel::cellText(const ListEntry& entry, int column)
{
    if (entry.recordNumber == 0)
        return column == 0 ? entry.text : QString();
    const QList<QStringView> parts = QStringView(entry.text).split(u'\t');
    return column < parts.size() ? trimmedEnds(parts[column]).toString() : QString();
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ListEntry& line = entry(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return cellText(line, index.column());
    if (role == RecordNumberRole)
        return line.recordNumber;
    return {};
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(columnTitles[section]);
}

bool ListModel::lessThan(const ListEntry& a, const ListEntry& b) const
{
    const ListEntry& first = m_sortOrder == Qt::AscendingOrder ? a : b;
    const ListEntry& second = m_sortOrder == Qt::AscendingOrder ? b : a;
    if (m_sortColumn > 0) {
        const int byColumn = m_order.compare(cellText(first, m_sortColumn), cellText(second, m_sortColumn));
        if (byColumn != 0)
            return byColumn < 0;
    }
    return m_order.lessThan(first.text, second.text);
}

void ListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowOf(m_entries.size());
    std::vector<std::size_t> places(m_entries.size());
    for (std::size_t i = 0; i < places.size(); ++i)
        places[i] = i;
    m_sortColumn = column;
    m_sortOrder = order;
    std::stable_sort(places.begin(), places.end(),
                     [this](std::size_t a, std::size_t b) { return lessThan(m_entries[a], m_entries[b]); });
    std::vector<ListEntry> sorted;
    sorted.reserve(m_entries.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        rowOf[places[i]] = static_cast<int>(i);
        sorted.push_back(std::move(m_entries[places[i]]));
    }
    m_entries = std::move(sorted);
    // The selection and the current line move with their lines.
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after << this->index(rowOf[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListModel::clear()
{
    if (m_entries.empty())
        return;
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

void ListModel::addSorted(std::vector<ListEntry> sorted)
{
    if (sorted.empty())
        return;
    beginResetModel();
    if (!inListOrder())
        std::stable_sort(sorted.begin(), sorted.end(),
                         [this](const ListEntry& a, const ListEntry& b) { return lessThan(a, b); });
    if (m_entries.empty()) {
        m_entries = std::move(sorted);
    } else {
        std::vector<ListEntry> merged;
        merged.reserve(m_entries.size() + sorted.size());
        // Listed lines first among equals, as if the new ones were inserted after them.
        std::merge(std::make_move_iterator(m_entries.begin()), std::make_move_iterator(m_entries.end()),
                   std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()),
                   std::back_inserter(merged),
                   [this](const ListEntry& a, const ListEntry& b) { return lessThan(a, b); });
        m_entries = std::move(merged);
    }
    endResetModel();
}

int ListModel::insert(const ListEntry& entry)
{
    const auto place = std::upper_bound(m_entries.begin(), m_entries.end(), entry,
                                        [this](const ListEntry& a, const ListEntry& b) { return lessThan(a, b); });
    const int row = static_cast<int>(place - m_entries.begin());
    beginInsertRows({}, row, row);
    m_entries.insert(place, entry);
    endInsertRows();
    return row;
}

void ListModel::removeRowsAt(QList<int> rows)
{
    rows.removeIf([this](int row) { return row < 0 || row >= rowCount(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the last run of neighbouring rows to the first, so the rows still to
    // remove keep their numbers; a whole run goes at once.
    qsizetype end = rows.size();
    while (end > 0) {
        qsizetype begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1)
            --begin;
        const int first = rows[begin];
        const int last = rows[end - 1];
        beginRemoveRows({}, first, last);
        m_entries.erase(m_entries.begin() + first, m_entries.begin() + last + 1);
        endRemoveRows();
        end = begin;
    }
}

QStringList ListModel::lines() const
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const ListEntry& line : m_entries)
        texts << line.text;
    return texts;
}

QStringList ListModel::lines(const QList<int>& rows) const
{
    QStringList texts;
    for (int row : rows)
        texts << entry(row).text;
    return texts;
}

} // namespace quillet
