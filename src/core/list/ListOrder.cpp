#include "core/list/ListOrder.h"

#include <algorithm>
#include <cstring>

namespace quillet {

namespace {

char16_t asciiFold(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// The same result as QStringView::compare(..., Qt::CaseInsensitive), which the C
// locale's collator uses, without its per-character cost on ASCII text.
int foldedCompare(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    for (qsizetype i = 0; i < common; ++i) {
        // Lines share long prefixes: skip equal stretches four characters at a time.
        while (i + 4 <= common && std::memcmp(pa + i, pb + i, 4 * sizeof(char16_t)) == 0)
            i += 4;
        if (i == common)
            break;
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        if (x < 128 && y < 128) {
            const char16_t fx = asciiFold(x);
            const char16_t fy = asciiFold(y);
            if (fx != fy)
                return fx < fy ? -1 : 1;
            continue;
        }
        // Beyond ASCII, Qt folds whole code points: start at a pair's first half.
        const qsizetype from = i > 0 && QChar::isHighSurrogate(a[i - 1].unicode()) ? i - 1 : i;
        const int rest = a.sliced(from).compare(b.sliced(from), Qt::CaseInsensitive);
        return rest < 0 ? -1 : (rest > 0 ? 1 : 0);
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

ListOrder::ListOrder(const QLocale& locale) : m_collator(locale), m_folded(locale.language() == QLocale::C)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

int ListOrder::compare(QStringView a, QStringView b) const
{
    return m_folded ? foldedCompare(a, b) : m_collator.compare(a, b);
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
