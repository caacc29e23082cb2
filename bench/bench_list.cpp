// The contact list against the literal way of filling it: one read per record and
// each line inserted into a sorted list one at a time.
#include "contacts/ContactsFile.h"
#include "list/ListLabels.h"
#include "list/ListLine.h"
#include "list/ListModel.h"
#include "list/ListOrder.h"
#include "list/ListSearch.h"
#include "printing/GridDocument.h"
#include "printing/PdfPrintTarget.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace quillet;

namespace {

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A contacts file of `count` varied contacts, made once per count.
QString contactsFile(int count)
{
    const QString path = QDir(workDir().path()).filePath(QStringLiteral("list%1.DAT").arg(count));
    if (QFile::exists(path))
        return path;
    static const QStringList first{"John", "ann", "Mary", "Émile", "Zoe", "bob", "Chen", "Olga", "Raj", "Fatima"};
    static const QStringList last{"Smith", "lee", "O'Brien", "García", "Nguyen", "Adams", "de Vries", "Kowalski"};
    static const QStringList cities{"New York", "York", "Leeds", "Springfield", "Montréal", "Austin", ""};
    QRandomGenerator random(20240);
    const auto pick = [&random](const QStringList& from) { return from.at(random.bounded(from.size())); };
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray chunk;
    for (int n = 1; n <= count; ++n) {
        ContactRecord record;
        record.set(Field::FirstName, pick(first));
        record.set(Field::MI, QString(QChar(u'A' + random.bounded(26))));
        record.set(Field::LastName, pick(last) + QString::number(random.bounded(1000)));
        record.set(Field::Street1, QStringLiteral("%1 Oak Street").arg(random.bounded(9999)));
        record.set(Field::City, pick(cities));
        record.set(Field::State, QStringLiteral("NY"));
        record.set(Field::Zip, QString::number(10000 + random.bounded(89999)));
        record.set(Field::HomePhone, random.bounded(2) ? QStringLiteral("555-123-4567") : QStringLiteral("(555) 1"));
        record.set(Field::Email, QStringLiteral("contact%1@example.com").arg(n));
        chunk += record.toBytes();
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
    return path;
}

// What "Get report" does: one pass over the file, one sort, handed to the list.
void getReport(benchmark::State& state)
{
    ContactsFile file;
    if (!file.open(contactsFile(int(state.range(0))), quillet::Creation::CreateIfMissing).ok())
        state.SkipWithError("cannot open the contacts file");
    for (auto _ : state) {
        auto model = std::make_unique<ListModel>();
        std::vector<ListEntry> entries;
        if (!loadList(file, ListQuery{}, model->order(), entries).ok())
            state.SkipWithError("read failed");
        model->addSorted(std::move(entries));
        benchmark::DoNotOptimize(model->rowCount());
        // Closing the window is not part of loading it.
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(getReport)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The literal baseline: read record n by number, build its line, insert it at its
// place in a sorted list, for n from 1 to the record count.
void getReportLiteral(benchmark::State& state)
{
    ContactsFile file;
    if (!file.open(contactsFile(int(state.range(0))), quillet::Creation::CreateIfMissing).ok())
        state.SkipWithError("cannot open the contacts file");
    const ListOrder order;
    for (auto _ : state) {
        auto lines = std::make_unique<QStringList>();
        auto numbers = std::make_unique<QList<int>>();
        for (int n = 1; n <= file.count(); ++n) {
            const ContactRecord record = file.read(n);
            if (!matchesSearch(record, SearchField::All, QString()))
                continue;
            const QString line = listLine(record, SortOrder::FirstName);
            const auto place =
                std::upper_bound(lines->begin(), lines->end(), line,
                                 [&order](const QString& a, const QString& b) { return order.lessThan(a, b); });
            const qsizetype at = place - lines->begin();
            lines->insert(at, line);
            numbers->insert(at, n);
        }
        benchmark::DoNotOptimize(lines->size());
        state.PauseTiming();
        lines.reset();
        numbers.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(getReportLiteral)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// "Print labels" for a listed file into a PDF: records read back by number, composed, laid out and painted.
void labelsToPdf(benchmark::State& state)
{
    ContactsFile file;
    if (!file.open(contactsFile(int(state.range(0))), quillet::Creation::CreateIfMissing).ok())
        state.SkipWithError("cannot open the contacts file");
    ListModel model;
    std::vector<ListEntry> entries;
    if (!loadList(file, ListQuery{}, model.order(), entries).ok())
        state.SkipWithError("read failed");
    QList<int> numbers;
    for (const ListEntry& entry : entries)
        numbers << entry.recordNumber;
    const QString pdf = QDir(workDir().path()).filePath(QStringLiteral("labels.pdf"));
    for (auto _ : state) {
        GridDocument document;
        PdfPrintTarget target(pdf);
        if (!composeListLabels(file, numbers, document).ok() || !target.print(document, PrintJob{}).ok())
            state.SkipWithError("printing failed");
    }
    state.counters["pdf_bytes"] = double(QFile(pdf).size());
}
BENCHMARK(labelsToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
