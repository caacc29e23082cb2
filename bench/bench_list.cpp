// The contact list against the literal way of filling it: one read per record and
// each line inserted into a sorted list one at a time.
#include "BenchContacts.h"

#include "core/contacts/ContactsFile.h"
#include "core/list/ListLabels.h"
#include "core/list/ListLine.h"
#include "core/list/ListModel.h"
#include "core/list/ListOrder.h"
#include "core/list/ListReport.h"
#include "core/list/ListSearch.h"
#include "core/list/SheetLabels.h"
#include "core/printing/GridDocument.h"
#include "core/printing/SheetCatalogue.h"
#include "output/PdfPrintTarget.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <memory>

using namespace quillet;

namespace {

// What "Get report" does: one pass over the file, one sort, handed to the list.
void getReport(benchmark::State& state)
{
    ContactsFile file;
    if (!file.open(bench::contactsFile(QStringLiteral("list"), int(state.range(0))), quillet::Creation::CreateIfMissing)
             .ok())
        state.SkipWithError("cannot open the contacts file");
    for (auto _ : state) {
        auto model = std::make_unique<ListModel>();
        Partial<std::vector<ListEntry>> entries = loadList(file, ListQuery{}, model->order());
        if (!entries.complete())
            state.SkipWithError("read failed");
        model->addSorted(std::move(entries.value));
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
    if (!file.open(bench::contactsFile(QStringLiteral("list"), int(state.range(0))), quillet::Creation::CreateIfMissing)
             .ok())
        state.SkipWithError("cannot open the contacts file");
    const ListOrder order;
    for (auto _ : state) {
        auto lines = std::make_unique<QStringList>();
        auto numbers = std::make_unique<QList<int>>();
        for (int n = 1; n <= file.count(); ++n) {
            const Result<ContactRecord> record = file.read(n);
            if (!record) {
                state.SkipWithError("read failed");
                break;
            }
            if (!matchesSearch(*record, SearchField::All, QString()))
                continue;
            const QString line = listLine(*record, SortOrder::FirstName);
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

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

struct Listed
{
    ContactsFile file;
    ListModel model;
    QList<int> numbers;
};

// A listed file as "Get report" leaves it.
bool listFile(Listed& listed, int count)
{
    if (!listed.file.open(bench::contactsFile(QStringLiteral("list"), count)).ok())
        return false;
    Partial<std::vector<ListEntry>> entries = loadList(listed.file, ListQuery{}, listed.model.order());
    if (!entries.complete())
        return false;
    for (const ListEntry& entry : entries.value)
        listed.numbers << entry.recordNumber;
    listed.model.addSorted(std::move(entries.value));
    return true;
}

// "Print labels" for a listed file into a PDF: every record read back by number
// and checked, then a sheet at a time composed, laid out and painted. Argument 1:
// an A4 catalogue sheet instead of the built-in one. Run one at a time
// (--benchmark_filter) for a peak memory of that job alone.
void labelsToPdf(benchmark::State& state)
{
    Listed listed;
    if (!listFile(listed, int(state.range(0))))
        state.SkipWithError("cannot list the contacts file");
    const SheetTemplate* catalogue = SheetCatalogue::system().find(QStringLiteral("Avery L7160"));
    if (state.range(1) == 1 && !catalogue)
        state.SkipWithError("the label template catalogue is not installed");
    const SheetTemplate sheet = state.range(1) == 1 && catalogue ? *catalogue : builtInSheet();
    const QString pdf = QDir(bench::workDir().path()).filePath(QStringLiteral("labels.pdf"));
    for (auto _ : state) {
        PdfPrintTarget target(pdf);
        const Result<ListLabelsJob> job = prepareListLabels(listed.file, listed.numbers, sheet, 1);
        if (!job) {
            state.SkipWithError("reading failed");
            break;
        }
        GridStream stream = job->stream();
        if (!target.printStream(stream, PrintJob{}).ok())
            state.SkipWithError("printing failed");
    }
    state.counters["pdf_bytes"] = double(QFile(pdf).size());
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(labelsToPdf)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// File > Print of the whole list as a report into a PDF: every line checked, then
// streamed.
void reportToPdf(benchmark::State& state)
{
    Listed listed;
    if (!listFile(listed, int(state.range(0))))
        state.SkipWithError("cannot list the contacts file");
    const QString pdf = QDir(bench::workDir().path()).filePath(QStringLiteral("report.pdf"));
    const QStringList lines = listed.model.lines();
    for (auto _ : state) {
        PdfPrintTarget target(pdf);
        GridStream stream = reportStream(lines, QStringLiteral("Bench"));
        if (!checkReportLines(lines).ok() || !target.printStream(stream, PrintJob{}).ok())
            state.SkipWithError("printing failed");
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(reportToPdf)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

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
