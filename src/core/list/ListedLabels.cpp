#include "core/list/ListedLabels.h"

#include "core/list/ListLabels.h"

#include <algorithm>
#include <vector>

namespace quillet {

namespace {

// Characters of a line of bytes without its trailing spaces.
int visibleCount(QByteArrayView line)
{
    while (!line.isEmpty() && line.back() == ' ')
        line.chop(1);
    return int(line.size());
}

// Sees every listed record once while the listing reads it: the longest line, and
// which records have a line too long for the built-in sheet.
class Surveyor
{
public:
    void see(int number, QByteArrayView bytes)
    {
        bool tooLong = false;
        m_lines.resize(0);
        appendLabelLines(m_lines, bytes);
        for (const QByteArrayView line : labelLinesIn(m_lines)) {
            const int visible = visibleCount(line);
            m_longest = std::max(m_longest, visible);
            tooLong = tooLong || visible > listLabelCharacters;
        }
        if (!tooLong)
            return;
        if (std::size_t(number) >= m_tooLong.size())
            m_tooLong.resize(std::size_t(number) + 1);
        m_tooLong[std::size_t(number)] = true;
    }

    // The survey of the listed labels; the first long one is read again for its name.
    Result<ListedLabels> finish(const ContactsFile& file, ListedContacts contacts) const
    {
        ListedLabels listed{std::move(contacts), {m_longest, std::nullopt}};
        int count = 0;
        qsizetype first = -1;
        for (qsizetype position = 0; position < listed.contacts.size(); ++position) {
            const std::size_t number = std::size_t(listed.contacts.number(position));
            if (number < m_tooLong.size() && m_tooLong[number]) {
                first = first < 0 ? position : first;
                ++count;
            }
        }
        if (count == 0)
            return listed;
        std::vector<LabelTexts> firstLong;
        const Status read = listed.contacts.read(
            file, first, first + 1, [&](qsizetype, QByteArrayView bytes) { firstLong.push_back(labelTexts(bytes)); });
        if (!read)
            return read;
        listed.survey.longLines = findLongLabelLines(firstLong);
        if (listed.survey.longLines)
            listed.survey.longLines->labels = count;
        return listed;
    }

private:
    int m_longest = 0;
    std::vector<bool> m_tooLong; // by record number
    QByteArray m_lines;
};

} // namespace

Result<ListedLabels> listLabels(const ContactsFile& file, const ListQuery& query, const ListOrder& order)
{
    Surveyor surveyor;
    Result<ListedContacts> contacts = ListedContacts::list(
        file, query, order, [&surveyor](int number, QByteArrayView bytes) { surveyor.see(number, bytes); });
    if (!contacts)
        return contacts.status();
    return surveyor.finish(file, std::move(*contacts));
}

Result<ListedLabels> listLabels(const ContactsFile& file, const QList<int>& recordNumbers, WorkControl* control)
{
    Surveyor surveyor;
    Result<ListedContacts> contacts = ListedContacts::ofNumbers(
        file, recordNumbers, [&surveyor](int number, QByteArrayView bytes) { surveyor.see(number, bytes); }, control);
    if (!contacts)
        return contacts.status();
    return surveyor.finish(file, std::move(*contacts));
}

} // namespace quillet
