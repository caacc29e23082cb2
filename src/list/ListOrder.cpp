#include "list/ListOrder.h"

#include <algorithm>

namespace quillet {

ListOrder::ListOrder(const QLocale& locale) : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

void ListOrder::sort(std::vector<ListEntry>& entries) const
{
    std::stable_sort(entries.begin(), entries.end(),
                     [this](const ListEntry& a, const ListEntry& b) { return lessThan(a.text, b.text); });
}

std::size_t ListOrder::insertionPoint(const std::vector<ListEntry>& sorted, const QString& text) const
{
    const auto place = std::upper_bound(sorted.begin(), sorted.end(), text,
                                        [this](const QString& t, const ListEntry& e) { return lessThan(t, e.text); });
    return static_cast<std::size_t>(place - sorted.begin());
}

} // namespace quillet
