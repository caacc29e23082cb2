#include "list/ListModel.h"

#include <algorithm>
#include <iterator>

namespace quillet {

ListModel::ListModel(QObject* parent) : QAbstractListModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ListEntry& line = entry(index.row());
    if (role == Qt::DisplayRole)
        return line.text;
    if (role == RecordNumberRole)
        return line.recordNumber;
    return {};
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
    if (m_entries.empty()) {
        m_entries = std::move(sorted);
    } else {
        std::vector<ListEntry> merged;
        merged.reserve(m_entries.size() + sorted.size());
        // Listed lines first among equals, as if the new ones were inserted after them.
        std::merge(std::make_move_iterator(m_entries.begin()), std::make_move_iterator(m_entries.end()),
                   std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()),
                   std::back_inserter(merged),
                   [this](const ListEntry& a, const ListEntry& b) { return m_order.lessThan(a.text, b.text); });
        m_entries = std::move(merged);
    }
    endResetModel();
}

int ListModel::insert(const ListEntry& entry)
{
    const auto place = m_order.insertionPoint(m_entries, entry.text);
    const int row = static_cast<int>(place);
    beginInsertRows({}, row, row);
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(place), entry);
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
