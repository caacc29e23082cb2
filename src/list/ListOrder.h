#pragma once

#include "list/ListLine.h"

#include <QCollator>
#include <QLocale>

#include <vector>

namespace quillet {

// The order of a sorted list control: ascending by the whole line, without regard
// to case, in the user's locale. Lines that compare equal keep the order in which
// they arrived (record order, then pasted lines after their equals).
class ListOrder
{
public:
    explicit ListOrder(const QLocale& locale = QLocale());

    bool lessThan(const QString& a, const QString& b) const { return m_collator.compare(a, b) < 0; }
    void sort(std::vector<ListEntry>& entries) const;
    // Where a new line goes: after every line that does not sort after it.
    std::size_t insertionPoint(const std::vector<ListEntry>& sorted, const QString& text) const;

private:
    QCollator m_collator;
};

} // namespace quillet
