#pragma once

#include "core/list/ListLine.h"
#include "core/list/ListOrder.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace quillet {

// The contact list's lines as a table of seven columns (Name, City, ST, Zip, Home,
// Cell, Email Address), kept in the order the view shows: the list order, or the
// column the user sorted by. Labels, the report and Copy read the lines in this
// order. A load hands over lines already sorted (one sort, not one insertion per
// line), so a long list appears at once; pasted lines are inserted at their place.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int RecordNumberRole = Qt::UserRole;
    static constexpr int ColumnCount = 7;

    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Column 0 (Name) sorts by the whole line, so it follows the first/last name order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    void clear();
    // Adds lines sorted by ListOrder, merging them with the lines already listed.
    void addSorted(std::vector<ListEntry> sorted);
    // Inserts one line at its place; returns its row.
    int insert(const ListEntry& entry);
    // Removes these rows (any order, duplicates ignored).
    void removeRowsAt(QList<int> rows);

    const ListOrder& order() const { return m_order; }
    const std::vector<ListEntry>& entries() const { return m_entries; }
    const ListEntry& entry(int row) const { return m_entries.at(static_cast<std::size_t>(row)); }
    QStringList lines() const;
    QStringList lines(const QList<int>& rows) const;

    // What a cell shows: the line's column trimmed of its padding; a pasted line
    // (record 0) shows whole in the Name column.
    static QString cellText(const ListEntry& entry, int column);

private:
    bool lessThan(const ListEntry& a, const ListEntry& b) const;
    bool inListOrder() const { return m_sortColumn == 0 && m_sortOrder == Qt::AscendingOrder; }

    std::vector<ListEntry> m_entries;
    ListOrder m_order;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace quillet
