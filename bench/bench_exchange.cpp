// Import and export at the sizes the program must handle: 10,000 CSV lines into a
// file of 10,000 contacts, with the in-memory duplicate index beside the plain
// rereading of every record for every line, and an export of 100,000 contacts.
#include "BenchMain.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/DuplicateIndex.h"
#include "core/exchange/ExportWriter.h"
#include "core/exchange/ImportRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quillet;

namespace {

constexpr int existingContacts = 10000;
constexpr int importedLines = 10000;
constexpr int rereadLines = 200; // the plain rereading costs a pass over the file per line
constexpr int exportedContacts = 100000;

const char* const syllables[] = {"an", "bel", "cor", "da", "el", "fin", "gar", "ho", "is", "jo",
                                 "ka", "li",  "mon", "ne", "or", "pa",  "qui", "ro", "sa", "ty"};

// Names built from syllables, so that substrings of one another occur as in real lists.
QString nameFor(int seed, int parts)
{
    QString name;
    for (int i = 0; i < parts; ++i) {
        name += QString::fromLatin1(syllables[seed % 20]);
        seed /= 20;
    }
    name[0] = name[0].toUpper();
    return name;
}

ContactRecord contact(int i)
{
    ContactRecord record;
    record.set(Field::FirstName, nameFor(i * 7 + 3, 3));
    record.set(Field::LastName, nameFor(i * 13 + 5, 4));
    record.set(Field::Street1, QStringLiteral("%1 Main Street").arg(i));
    record.set(Field::City, QStringLiteral("Springfield"));
    record.set(Field::State, QStringLiteral("IL"));
    record.set(Field::Zip, QStringLiteral("62701"));
    record.set(Field::HomePhone, QStringLiteral("555-%1").arg(i % 10000, 4, 10, QChar(u'0')));
    record.set(Field::Email, QStringLiteral("person%1@example.com").arg(i));
    record.set(Field::Birthdate, QStringLiteral("19800410"));
    record.set(Field::ReminderFlag, QStringLiteral("1"));
    return record;
}

void writeContacts(const QString& path, int count)
{
    QFile::remove(path);
    ContactsFile file;
    (void)file.open(path, quillet::Creation::CreateIfMissing);
    QFile raw(path);
    (void)raw.open(QIODevice::WriteOnly);
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += contact(i).toBytes();
    raw.write(bytes);
}

// Lines in our own export layout: every third one repeats a contact on file by e-mail,
// every third one by name, the rest are new.
void writeCsv(const QString& path, int lines)
{
    QByteArray csv = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                     "Work Phone,Email,Birthdate,Category,Notes\r\n";
    for (int i = 0; i < lines; ++i) {
        const int other = existingContacts + i;
        const ContactRecord on = contact((i * 37) % existingContacts);
        const QString first = i % 3 == 1 ? on.value(Field::FirstName) : nameFor(other * 7 + 11, 3);
        const QString last = i % 3 == 1 ? on.value(Field::LastName) : nameFor(other * 13 + 1, 4);
        const QString email = i % 3 == 0 ? on.value(Field::Email) : QStringLiteral("new%1@example.net").arg(i);
        csv += QStringLiteral("%1,Q,%2,%3 Oak Road,,Portland,or,97201,USA,555-0100,,,%4,04-10-1980,Friends,\r\n")
                   .arg(first, last)
                   .arg(i)
                   .arg(email)
                   .toUtf8();
    }
    QFile file(path);
    (void)file.open(QIODevice::WriteOnly);
    file.write(csv);
}

struct Fixture
{
    QTemporaryDir dir;
    QString base = dir.filePath("base.DAT");
    QString work = dir.filePath("work.DAT");
    QString csv = dir.filePath("lines.csv");
    QString shortCsv = dir.filePath("short.csv");
    QString big = dir.filePath("Big.DAT");
    Fixture()
    {
        writeContacts(base, existingContacts);
        writeCsv(csv, importedLines);
        writeCsv(shortCsv, rereadLines);
        writeContacts(big, exportedContacts);
    }
};

Fixture& fixture()
{
    static Fixture shared;
    return shared;
}

void runImport(benchmark::State& state, const QString& csv, int lines, bool reread)
{
    Fixture& f = fixture();
    int imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(f.work);
        QFile::copy(f.base, f.work);
        ContactsFile file;
        (void)file.open(f.work, quillet::Creation::CreateIfMissing);
        RereadDuplicateTest rereading;
        state.ResumeTiming();
        const Result<ImportSummary> summary =
            importContacts(csv, file, QStringLiteral("1"), reread ? &rereading : nullptr);
        if (!summary || summary->stoppedBy)
            state.SkipWithError("import failed");
        else
            imported = summary->imported;
    }
    state.counters["lines"] = lines;
    state.counters["imported"] = imported;
    state.counters["lines_per_s"] = benchmark::Counter(double(lines) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_ImportWithIndex(benchmark::State& state)
{
    runImport(state, fixture().csv, importedLines, false);
}
void BM_ImportRereadingEveryLine(benchmark::State& state)
{
    runImport(state, fixture().shortCsv, rereadLines, true);
}

void BM_Export(benchmark::State& state)
{
    Fixture& f = fixture();
    ContactsFile file;
    (void)file.open(f.big, quillet::Creation::CreateIfMissing);
    int written = 0;
    for (auto _ : state) {
        const Result<ExportSummary> summary = exportContacts(file, ExportKind::Csv, f.dir.path());
        if (!summary)
            state.SkipWithError("export failed");
        else
            written = summary->written;
    }
    state.counters["contacts"] = written;
}

// The duplicate test alone, 10,000 lines against 100,000 contacts, where names are
// alike: lines of a surname 20,000 contacts share, and names of two letters only.
constexpr int crowdedContacts = 100000;
constexpr int crowdedLines = 10000;

QString twoLetters(int seed)
{
    return QString(QChar(u'A' + seed % 26)) + QChar(u'a' + (seed / 26) % 26);
}

ContactRecord crowdedContact(bool twoLetterNames, int i)
{
    ContactRecord record;
    record.set(Field::FirstName, twoLetterNames ? twoLetters(i * 7 + 3) : nameFor(i * 7 + 3, 2 + i % 2));
    const QString last = i % 5 == 0 ? QStringLiteral("Smith") : nameFor(i * 13 + 5, 4);
    record.set(Field::LastName, twoLetterNames ? twoLetters(i * 11 + 1) : last);
    record.set(Field::Email, QStringLiteral("person%1@example.com").arg(i));
    return record;
}

struct CrowdedFile
{
    QTemporaryDir dir;
    ContactsFile file;
    explicit CrowdedFile(bool twoLetterNames)
    {
        const QString path = dir.filePath("crowded.DAT");
        QByteArray bytes;
        for (int i = 0; i < crowdedContacts; ++i)
            bytes += crowdedContact(twoLetterNames, i).toBytes();
        QFile raw(path);
        (void)raw.open(QIODevice::WriteOnly);
        raw.write(bytes);
        raw.close();
        (void)file.open(path);
    }
};

void runCrowded(benchmark::State& state, bool twoLetterNames)
{
    static CrowdedFile smiths(false);
    static CrowdedFile twoLetter(true);
    const ContactsFile& file = twoLetterNames ? twoLetter.file : smiths.file;
    int duplicates = 0;
    for (auto _ : state) {
        DuplicateIndex index;
        if (!index.start(file, crowdedContacts))
            state.SkipWithError("reading failed");
        duplicates = 0;
        for (int i = 0; i < crowdedLines; ++i) {
            const ComparedFields line{twoLetterNames ? twoLetters(i * 5 + 2) : nameFor(i * 17 + 9, 2 + i % 3),
                                      twoLetterNames ? twoLetters(i * 3 + 7) : QStringLiteral("Smith"),
                                      QStringLiteral("new%1@example.net").arg(i)};
            const Result<bool> duplicate = index.test(line);
            duplicates += duplicate.ok() && *duplicate ? 1 : 0;
        }
    }
    state.counters["lines"] = crowdedLines;
    state.counters["duplicates"] = duplicates;
}

void BM_DuplicatesCommonSurname(benchmark::State& state)
{
    runCrowded(state, false);
}
void BM_DuplicatesTwoLetterNames(benchmark::State& state)
{
    runCrowded(state, true);
}

BENCHMARK(BM_DuplicatesCommonSurname)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_DuplicatesTwoLetterNames)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ImportWithIndex)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ImportRereadingEveryLine)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return quillet::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
