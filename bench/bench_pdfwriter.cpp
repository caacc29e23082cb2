// Our PDF writer beside the floor (a C program that maps the contacts file, sorts
// it and writes the same text at the same places as an uncompressed PDF, with no
// checks and no embedded font): 100,000 list labels, the CPU time of each job
// measured in turns, and the ratio.
#include "BenchContacts.h"

#include "core/contacts/ContactsFile.h"
#include "core/list/ListLabels.h"
#include "core/list/ListOrder.h"
#include "core/list/ListSearch.h"
#include "core/list/SheetLabels.h"
#include "core/printing/SheetCatalogue.h"
#include "core/printing/pdf/GridPdfRenderer.h"
#include "core/printing/pdf/PrintFonts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <ctime>

extern char** environ;

using namespace quillet;

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

const SheetTemplate* sheetFor(int a4)
{
    static const SheetTemplate builtIn = builtInSheet();
    return a4 ? SheetCatalogue::system().find(QStringLiteral("Avery L7160")) : &builtIn;
}

// What "quillet-cli labels FILE --pdf OUT" does: list (read and sort), read each
// listed contact back and fit the sheet, then lay out and write page by page.
// The CPU seconds of listing, of reading the labels back and of printing.
struct JobTimes
{
    double list = 0;
    double labels = 0;
    double print = 0;
    double total() const { return list + labels + print; }
};
// The labels read back in one pass over the file, as a streaming job will read
// them, instead of one locked read a record.
Result<ListLabelsJob> readInOnePass(const ContactsFile& file, const QList<int>& numbers, const SheetTemplate& sheet)
{
    std::vector<int> place(std::size_t(file.count()) + 1, -1);
    for (qsizetype index = 0; index < numbers.size(); ++index)
        place[std::size_t(numbers[index])] = int(index);
    ListLabelsJob job{sheet, 1, std::vector<LabelTexts>(std::size_t(numbers.size())), {}};
    const Status read = file.forEachBytes([&](int number, QByteArrayView bytes) {
        if (place[std::size_t(number)] >= 0)
            job.labels[std::size_t(place[std::size_t(number)])] = labelTexts(ContactRecord::fromBytes(bytes));
        return true;
    });
    if (!read)
        return read;
    job.fit = sheet.builtIn ? SheetLabelFit{} : fitSheetLabels(sheet, job.labels);
    return job;
}

JobTimes ourJob(const QString& contacts, const SheetTemplate& sheet, const QString& pdf, bool onePass)
{
    const double start = cpuSeconds();
    ContactsFile file;
    if (!file.open(contacts).ok())
        qFatal("cannot open %s", qPrintable(contacts));
    Partial<std::vector<ListEntry>> loaded = loadList(file, ListQuery{}, ListOrder());
    if (!loaded.complete())
        qFatal("cannot list %s", qPrintable(contacts));
    const std::vector<ListEntry> entries = std::move(loaded.value);
    QList<int> numbers;
    numbers.reserve(qsizetype(entries.size()));
    for (const ListEntry& entry : entries)
        numbers << entry.recordNumber;
    const double listed = cpuSeconds();
    const Result<ListLabelsJob> job =
        onePass ? readInOnePass(file, numbers, sheet) : prepareListLabels(file, numbers, sheet, 1);
    if (!job)
        qFatal("cannot read the labels");
    const double read = cpuSeconds();
    QFile out(pdf);
    GridStream stream = job->stream();
    if (!out.open(QIODevice::WriteOnly) || !writeGridPdf(stream, out, PdfDocumentInfo{}).ok())
        qFatal("cannot write %s", qPrintable(pdf));
    out.close();
    return {listed - start, read - listed, cpuSeconds() - read};
}

// The floor's CPU time (user + system) for the same file, run as its own process.
double floorJob(const QString& contacts, bool a4, const QString& pdf)
{
#ifdef QUILLET_FLOOR
    const QByteArray program = QUILLET_FLOOR, file = QFile::encodeName(contacts), out = QFile::encodeName(pdf);
    char a4Argument[] = "a4";
    char* argv[] = {const_cast<char*>(program.data()), const_cast<char*>(file.data()), const_cast<char*>(out.data()),
                    a4 ? a4Argument : nullptr, nullptr};
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ) != 0 || wait4(child, &status, 0, &usage) < 0 ||
        status != 0)
        return -1;
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
#else
    Q_UNUSED(contacts)
    Q_UNUSED(a4)
    Q_UNUSED(pdf)
    return -1;
#endif
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

// Five turns each, alternating, and the best of each: the ratio of our whole job
// to the floor's. Argument 1: Avery L7160 (A4) instead of the built-in sheet;
// argument 2: the labels read back in one pass instead of record by record.
void labelsBesideTheFloor(benchmark::State& state)
{
    const SheetTemplate* sheet = sheetFor(int(state.range(1)));
    if (!sheet) {
        state.SkipWithError("the label template catalogue is not installed");
        return;
    }
    const QString contacts = bench::contactsFile(QStringLiteral("labels"), int(state.range(0)));
    const QString ours = bench::workDir().filePath(QStringLiteral("ours.pdf")),
                  floor = bench::workDir().filePath("floor.pdf");
    double bestFloor = 1e9;
    JobTimes best{1e9, 1e9, 1e9};
    for (auto _ : state) {
        for (int turn = 0; turn < 5; ++turn) {
            bestFloor = std::min(bestFloor, floorJob(contacts, state.range(1) == 1, floor));
            const JobTimes times = ourJob(contacts, *sheet, ours, state.range(2) == 1);
            if (times.total() < best.total())
                best = times;
        }
    }
    if (bestFloor < 0)
        state.SkipWithError("the floor was not built (configure with -DQUILLET_FLOOR_C=path/to/floor.c)");
    state.counters["floor_ms"] = bestFloor * 1000;
    state.counters["ours_ms"] = best.total() * 1000;
    state.counters["list_ms"] = best.list * 1000;
    state.counters["labels_ms"] = best.labels * 1000;
    state.counters["print_ms"] = best.print * 1000;
    state.counters["ratio"] = best.total() / bestFloor;
    state.counters["pdf_KB"] = double(QFile(ours).size()) / 1024;
    state.counters["floor_pdf_KB"] = double(QFile(floor).size()) / 1024;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(labelsBesideTheFloor)->ArgsProduct({{100000}, {0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(1);

// The page compression level: CPU time and size of 100,000 labels' pages.
void pageCompression(benchmark::State& state)
{
    std::vector<LabelTexts> labels;
    for (int n = 0; n < 100000; ++n)
        labels.push_back({QStringLiteral("Contact %1 Q Smith%1").arg(n), QStringLiteral("%1 Oak Street").arg(n % 9999),
                          QStringLiteral("Springfield, IL  %1").arg(10000 + n % 89999)});
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        PdfWriter writer(pdf, PdfDocumentInfo{}, int(state.range(0)));
        GridPdfRenderer renderer(writer, PrintFonts::system(), Paper::letter(), {});
        if (!renderer.prepare().ok())
            state.SkipWithError("Liberation Mono is not installed");
        GridLayoutStream layout(PageGeometry::forPaper(Paper::letter()),
                                [&](LaidOutPage&& page, const std::vector<GridFont>& fonts) {
                                    static_cast<void>(renderer.page(page, fonts));
                                });
        GridStream stream = listLabelsStream(labels);
        for (GridDocument chunk; stream.next(chunk); chunk = GridDocument())
            layout.feed(chunk);
        layout.finish();
        static_cast<void>(writer.finish());
        bytes = pdf.size();
    }
    state.counters["pdf_KB"] = double(bytes) / 1024;
}
BENCHMARK(pageCompression)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Arg(6)
    ->Arg(9)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

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
