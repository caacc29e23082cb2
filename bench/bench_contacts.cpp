// Opening a 100,000-contact file, reminder pass included: the chunked scan the
// program uses beside the literal one-record-at-a-time reading (a seek and a read
// of 400 bytes per record, every record decoded).
#include "core/contacts/ContactsFile.h"
#include "core/reminders/Reminders.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quillet;

namespace {

constexpr int contactCount = 100000;
const QDate today(2023, 6, 1);

// One file for the whole run: every 50th contact has a birthday in the next fortnight.
const QString& sampleFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = QDir(dir.path()).filePath(QStringLiteral("bench.DAT"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file));
        QByteArray bytes;
        bytes.reserve(qsizetype(contactCount) * recordSize);
        for (int i = 0; i < contactCount; ++i) {
            ContactRecord record;
            record.set(Field::FirstName, QStringLiteral("First%1").arg(i));
            record.set(Field::LastName, QStringLiteral("Last%1").arg(i));
            record.set(Field::City, QStringLiteral("Springfield"));
            record.set(Field::Email, QStringLiteral("person%1@example.org").arg(i));
            const QDate birthday = i % 50 == 0 ? today.addDays(1 + i % 15) : QDate(1980, 1, 1).addDays(i % 365);
            record.set(Field::Birthdate, birthday.toString(QStringLiteral("1970MMdd")));
            record.set(Field::ReminderFlag, QStringLiteral("1"));
            bytes += record.toBytes();
        }
        out.write(bytes);
        return file;
    }();
    return path;
}

void openWithRemindersChunked(benchmark::State& state)
{
    const QString& path = sampleFile();
    qsizetype announced = 0;
    for (auto _ : state) {
        ContactsFile file;
        if (!file.open(path, quillet::Creation::CreateIfMissing).ok())
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(reminders::switchAtOpening(file));
        const Result<QStringList> announcements = reminders::runPass(file, today);
        if (!announcements)
            state.SkipWithError("pass failed");
        else
            announced = announcements->size();
    }
    state.counters["announced"] = double(announced);
}
BENCHMARK(openWithRemindersChunked)->Unit(benchmark::kMillisecond);

void openWithRemindersRecordAtATime(benchmark::State& state)
{
    const QString& path = sampleFile();
    qsizetype announced = 0;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
            state.SkipWithError("open failed");
        const int count = ContactsFile::countForLength(file.size());
        QStringList announcements;
        QByteArray bytes(recordSize, ' ');
        for (int number = 1; number <= count; ++number) {
            file.seek(qint64(number - 1) * recordSize);
            const qint64 got = file.read(bytes.data(), recordSize);
            const ContactRecord record =
                ContactRecord::fromBytes(QByteArrayView(bytes.constData(), qMax<qint64>(0, got)));
            if (std::optional<QString> text = reminders::announcementFor(record, today))
                announcements.append(*text);
        }
        announced = announcements.size();
    }
    state.counters["announced"] = double(announced);
}
BENCHMARK(openWithRemindersRecordAtATime)->Unit(benchmark::kMillisecond);

// What a list or an export pays to see every record decoded.
void forEachDecoded(benchmark::State& state)
{
    ContactsFile file;
    if (!file.open(sampleFile(), quillet::Creation::CreateIfMissing).ok())
        state.SkipWithError("open failed");
    for (auto _ : state) {
        qsizetype characters = 0;
        (void)file.forEach([&](int, const ContactRecord& record) {
            characters += record.value(Field::LastName).size();
            return true;
        });
        benchmark::DoNotOptimize(characters);
    }
}
BENCHMARK(forEachDecoded)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
