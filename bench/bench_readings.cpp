// The readings of files other address books write, at the sizes the program must
// handle: 100,000 vCards and 100,000 lines of Google's CSV, each into a file of
// 100,000 contacts and into an empty one (goal: about 1 s of CPU each), a megabyte
// of the worst quoted-printable card (a soft break on every line; goal: well under
// a second), and 100,000 contacts exported as vCards (goal: under 0.5 s).
#include "BenchMain.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ExportWriter.h"
#include "core/exchange/ImportRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quillet;

namespace {

constexpr int contacts = 100000;

QString nameFor(int seed)
{
    static const char* const syllables[] = {"an", "bel", "cor", "da", "el", "fin", "gar", "ho", "is", "jo",
                                            "ka", "li",  "mon", "ne", "or", "pa",  "qui", "ro", "sa", "ty"};
    QString name;
    for (int i = 0; i < 4; ++i, seed /= 20)
        name += QString::fromLatin1(syllables[seed % 20]);
    name[0] = name[0].toUpper();
    return name;
}

void writeContacts(const QString& path)
{
    QByteArray bytes;
    for (int i = 0; i < contacts; ++i) {
        ContactRecord record;
        record.set(Field::FirstName, nameFor(i * 7 + 3));
        record.set(Field::LastName, nameFor(i * 13 + 5));
        record.set(Field::Street1, QStringLiteral("%1 Main Street").arg(i));
        record.set(Field::City, QStringLiteral("Springfield"));
        record.set(Field::State, QStringLiteral("IL"));
        record.set(Field::Zip, QStringLiteral("62701"));
        record.set(Field::Email, QStringLiteral("person%1@example.com").arg(i));
        record.set(Field::Birthdate, QStringLiteral("19800410"));
        record.set(Field::Notes, QStringLiteral("Met at the fair"));
        record.set(Field::ReminderFlag, QStringLiteral("1"));
        bytes += record.toBytes();
    }
    QFile file(path);
    (void)file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

void writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    (void)file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

// New people, so that every one is tested against the index and appended.
QByteArray googleCsv()
{
    QByteArray csv = "First Name,Middle Name,Last Name,Birthday,Notes,Labels,E-mail 1 - Label,E-mail 1 - Value,"
                     "Phone 1 - Label,Phone 1 - Value,Address 1 - Label,Address 1 - Formatted,Address 1 - Street,"
                     "Address 1 - City,Address 1 - Region,Address 1 - Postal Code,Address 1 - Country\r\n";
    for (int i = 0; i < contacts; ++i)
        csv += QStringLiteral("%1,Ann,Nguyễn%2,1951-03-14,\"Met at the fair, brought pie\",* myContacts ::: Friends,"
                              "* Home,new%3@example.net,Mobile,(555) 201-3344,Home,\"%3 Elm St\nSpringfield, MA "
                              "01103\",%3 Elm St,Springfield,Massachusetts,1103,United States\r\n")
                   .arg(nameFor(i * 11 + 1), nameFor(i * 17 + 2))
                   .arg(i)
                   .toUtf8();
    return csv;
}

QByteArray vcards()
{
    QByteArray text;
    for (int i = 0; i < contacts; ++i)
        text += QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Nguyễn%1;%2;Ann;;\r\nFN:%2 Ann Nguyễn%1\r\n"
                               "EMAIL;TYPE=INTERNET;TYPE=HOME:new%3@example.net\r\nTEL;TYPE=CELL:(555) 201-3344\r\n"
                               "ADR;TYPE=HOME:;;%3 Elm St;Springfield;MA;01103;USA\r\nBDAY:1951-03-14\r\n"
                               "NOTE:Met at the fair\\, brought pie\r\nCATEGORIES:Friends,Family\r\nEND:VCARD\r\n")
                    .arg(nameFor(i * 17 + 2), nameFor(i * 11 + 1))
                    .arg(i)
                    .toUtf8();
    return text;
}

QByteArray hostileCard()
{
    QByteArray card = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nNOTE;ENCODING=QUOTED-PRINTABLE:";
    while (card.size() < (1 << 20))
        card += "a=\r\n";
    return card + "b\r\nEND:VCARD\r\n";
}

struct Fixture
{
    QTemporaryDir dir;
    QString empty = dir.filePath("empty.DAT");
    QString hostile = dir.filePath("hostile.vcf");
    QString base = dir.filePath("base.DAT");
    QString work = dir.filePath("work.DAT");
    QString csv = dir.filePath("google.csv");
    QString vcf = dir.filePath("cards.vcf");
    Fixture()
    {
        writeContacts(base);
        writeText(empty, {});
        writeText(hostile, hostileCard());
        writeText(csv, googleCsv());
        writeText(vcf, vcards());
    }
};

Fixture& fixture()
{
    static Fixture shared;
    return shared;
}

void runImport(benchmark::State& state, const QString& source, bool intoEmpty = false)
{
    Fixture& f = fixture();
    int imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(f.work);
        QFile::copy(intoEmpty ? f.empty : f.base, f.work);
        ContactsFile file;
        (void)file.open(f.work);
        state.ResumeTiming();
        const Result<ImportSummary> summary = importContacts(source, file, QStringLiteral("1"));
        if (!summary)
            state.SkipWithError("import failed");
        else
            imported = summary->imported;
    }
    state.counters["imported"] = imported;
}

void BM_ImportGoogleCsv(benchmark::State& state)
{
    runImport(state, fixture().csv);
}
void BM_ImportVCards(benchmark::State& state)
{
    runImport(state, fixture().vcf);
}
void BM_ImportVCardsIntoEmptyFile(benchmark::State& state)
{
    runImport(state, fixture().vcf, true);
}
void BM_ImportHostileQuotedPrintableCard(benchmark::State& state)
{
    runImport(state, fixture().hostile, true);
}

void BM_ExportVCards(benchmark::State& state)
{
    ContactsFile file;
    (void)file.open(fixture().base);
    int written = 0;
    for (auto _ : state) {
        const Result<ExportSummary> summary = exportContacts(file, ExportKind::VCard, fixture().dir.path());
        if (!summary)
            state.SkipWithError("export failed");
        else
            written = summary->written;
    }
    state.counters["contacts"] = written;
}

BENCHMARK(BM_ImportGoogleCsv)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ImportVCards)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ImportVCardsIntoEmptyFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ImportHostileQuotedPrintableCard)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ExportVCards)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return quillet::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
