#include "core/reminders/Reminders.h"

#include "core/common/ReplacementFile.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactsFile.h"

#include <algorithm>
#include <cstring>

namespace quillet::reminders {

namespace {

const QString flagOn = QStringLiteral("1");

// A month or day text of the stored Birthdate: one or two digits.
std::optional<int> dateNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 2)
        return std::nullopt;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return text.toInt();
}

// The due birthday of a record whose flag is on, given its stored Birthdate and names.
template <typename Names>
std::optional<DueBirthday> dueBirthday(const QString& storedBirthdate, const QDate& today, Names names)
{
    QString birthdate = text::trimSpaces(storedBirthdate);
    birthdate.remove(u' ');
    if (birthdate.isEmpty())
        return std::nullopt;
    // Month from characters 5-6, day from the last two, as the stored form YYYYMMDD has them.
    const QString month = text::mid(birthdate, 5, 2);
    const QString day = text::right(birthdate, 2);
    const std::optional<int> m = dateNumber(month);
    const std::optional<int> d = dateNumber(day);
    if (!m || !d)
        return std::nullopt;
    // Not a date this year (29 February outside a leap year, a damaged field): no
    // announcement, and the pass goes on with the next record.
    const QDate birthday(today.year(), *m, *d);
    if (!birthday.isValid())
        return std::nullopt;
    const qint64 daysAhead = today.daysTo(birthday);
    if (daysAhead < 1 || daysAhead > reminderWindowDays)
        return std::nullopt;
    const auto [first, last] = names();
    DueBirthday due;
    due.name = text::trimSpaces(first) + u' ' + text::trimSpaces(last);
    due.date = birthday;
    due.daysAhead = static_cast<int>(daysAhead);
    due.text = due.name + QStringLiteral(" has a birthday coming up on ") + month + u'/' + day;
    return due;
}

std::optional<DueBirthday> dueFor(QByteArrayView recordBytes, const QDate& today)
{
    // Look at the flag byte first: most records of a file with reminders off stop here.
    const FieldLayout flag = fieldLayout(Field::ReminderFlag);
    if (recordBytes.size() <= flag.offset || recordBytes[flag.offset] != '1')
        return std::nullopt;
    return dueBirthday(ContactRecord::fieldFromBytes(recordBytes, Field::Birthdate), today, [&] {
        return std::pair{ContactRecord::fieldFromBytes(recordBytes, Field::FirstName),
                         ContactRecord::fieldFromBytes(recordBytes, Field::LastName)};
    });
}

std::optional<QString> textOf(const std::optional<DueBirthday>& due)
{
    if (!due)
        return std::nullopt;
    return due->text;
}

} // namespace

Result<Switch> switchAtOpening(const ContactsFile& file)
{
    if (file.count() < 1)
        return Switch::None;
    const Result<ContactRecord> first = file.read(1);
    if (!first)
        return first.status();
    return first->value(Field::ReminderFlag) == flagOn ? Switch::On : Switch::Off;
}

QString flagFor(Switch state)
{
    return state == Switch::Off ? QStringLiteral("0") : flagOn;
}

MenuItems menuItemsFor(Switch state)
{
    switch (state) {
    case Switch::On:
        return {false, true};
    case Switch::Off:
        return {true, false};
    case Switch::None:
        break;
    }
    return {false, false};
}

std::optional<QString> announcementFor(const ContactRecord& record, const QDate& today)
{
    if (record.value(Field::ReminderFlag) != flagOn)
        return std::nullopt;
    return textOf(dueBirthday(record.value(Field::Birthdate), today, [&] {
        return std::pair{record.value(Field::FirstName), record.value(Field::LastName)};
    }));
}

std::optional<QString> announcementFor(QByteArrayView recordBytes, const QDate& today)
{
    return textOf(dueFor(recordBytes, today));
}

Result<QList<DueBirthday>> dueBirthdays(const ContactsFile& file, const QDate& today)
{
    QList<DueBirthday> due;
    const Status read = file.forEachBytes([&](int, QByteArrayView bytes) {
        if (std::optional<DueBirthday> birthday = dueFor(bytes, today))
            due.append(*birthday);
        return true;
    });
    if (!read)
        return read;
    return due;
}

Result<QStringList> runPass(const ContactsFile& file, const QDate& today)
{
    const Result<QList<DueBirthday>> due = dueBirthdays(file, today);
    if (!due)
        return due.status();
    QStringList announcements;
    for (const DueBirthday& birthday : *due)
        announcements.append(birthday.text);
    return announcements;
}

QList<DueBirthday> sortedByDate(QList<DueBirthday> due)
{
    std::stable_sort(due.begin(), due.end(),
                     [](const DueBirthday& a, const DueBirthday& b) { return a.date < b.date; });
    return due;
}

Status setAll(ContactsFile& file, bool on)
{
    // One transaction: a copy with every flag set takes the file's place, so a switch
    // stopped half way leaves all flags as they were, never some of each.
    const ContactsFileLock locked(file, LockKind::Exclusive, WriteCheck::Rewritable);
    if (!locked.status())
        return locked.status();
    ReplacementFile switched(file.nativePath());
    if (Status opened = switched.open(); !opened)
        return opened;
    const FieldLayout layout = fieldLayout(Field::ReminderFlag);
    const QByteArray flag = encodeField(Field::ReminderFlag, on ? flagOn : QStringLiteral("0"));
    const qint64 length = file.byteSize();
    const int count = file.count();
    QByteArray record;
    Status written;
    // Records 1 to count() get the flag, a counted short last record completed as
    // appending completes it; a shorter tail that the count leaves out stays as it is.
    const Status read = file.forEachBytes(
        [&](int number, QByteArrayView bytes) {
            const qint64 present = std::clamp<qint64>(length - qint64(number - 1) * recordSize, 0, recordSize);
            record = present == recordSize ? bytes.toByteArray() : completedRecord(bytes.first(present));
            if (number <= count)
                std::memcpy(record.data() + layout.offset, flag.constData(), size_t(layout.width));
            else
                record.truncate(present);
            written = switched.write(record);
            return written.ok();
        },
        1, int((length + recordSize - 1) / recordSize));
    if (!read)
        return read;
    if (!written)
        return written;
    return length == 0 ? Status() : file.replaceWith(switched);
}

} // namespace quillet::reminders
