#pragma once

#include "core/list/ListLine.h"

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

    int compare(QStringView a, QStringView b) const;
    bool lessThan(QStringView a, QStringView b) const { return compare(a, b) < 0; }
    void sort(std::vector<ListEntry>& entries) const;
    // Where a new line goes: after every line that does not sort after it.
    std::size_t insertionPoint(const std::vector<ListEntry>& sorted, const QString& text) const;
    // Whether lines compare character by character after case folding (the C
    // locale), so that a line's first characters already place it (ListSorter).
    bool comparesFolded() const { return m_folded; }

private:
    QCollator m_collator;
    // The C locale compares case-folded characters; done here with a fast path for
    // ASCII, as Qt's own case-insensitive comparison is slow on long lines.
    bool m_folded = false;
};

} // namespace quillet
