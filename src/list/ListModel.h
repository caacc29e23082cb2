#pragma once

#include "list/ListLine.h"
#include "list/ListOrder.h"

#include <QAbstractListModel>
#include <QStringList>

#include <vector>

namespace quillet {

// The contact list's lines, kept in list order. A load hands over lines already
// sorted (one sort, not one insertion per line), so a long list appears at once;
// pasted lines are inserted at their place one by one.
class ListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int RecordNumberRole = Qt::UserRole;

    explicit ListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

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

private:
    std::vector<ListEntry> m_entries;
    ListOrder m_order;
};

} // namespace quillet
