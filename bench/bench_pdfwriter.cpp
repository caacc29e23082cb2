// Our print jobs beside the floor (a C program that maps the contacts file, sorts
// it and writes the same text at the same places as an uncompressed PDF, with no
// checks and no embedded font): 100,000 list labels and the 100,000-contact
// report, the CPU time of each job measured in turns, and the ratio; the peak
// memory of a job run alone in a child process, at 100,000 and 500,000 contacts.
#include "BenchContacts.h"

#include "core/contacts/ContactsFile.h"
#include "core/list/ListOrder.h"
#include "core/list/ListReport.h"
#include "core/list/ListSearch.h"
#include "core/list/ListedLabels.h"
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
#include <cstring>
#include <ctime>

extern char** environ;

using namespace quillet;

namespace {

// The argument that makes this program run one job and exit, as a child process.
constexpr char childJob[] = "--one-job";

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

// The CPU seconds of listing (reading, surveying and sorting) and of printing
// (reading the labels again and writing the pages).
struct JobTimes
{
    double list = 0;
    double print = 0;
    double total() const { return list + print; }
};

ContactsFile& opened(ContactsFile& file, const QString& contacts)
{
    if (!file.open(contacts).ok())
        qFatal("cannot open %s", qPrintable(contacts));
    return file;
}

void writePdf(GridStream& stream, const QString& pdf)
{
    QFile out(pdf);
    if (!out.open(QIODevice::WriteOnly) || !writeGridPdf(stream, out, PdfDocumentInfo{}).ok())
        qFatal("cannot write %s", qPrintable(pdf));
}

// What "quillet-cli labels FILE --pdf OUT" does: list and survey the contacts,
// then lay out and write page by page, reading the labels again as it goes.
JobTimes labelsJob(const QString& contacts, const SheetTemplate& sheet, const QString& pdf)
{
    const double start = cpuSeconds();
    ContactsFile file;
    Result<ListedLabels> listed = listLabels(opened(file, contacts), ListQuery{}, ListOrder());
    if (!listed)
        qFatal("cannot list %s", qPrintable(contacts));
    const double listedAt = cpuSeconds();
    const ListLabelsJob job = prepareListLabels(file, std::move(*listed), sheet, 1);
    GridStream stream = job.stream();
    writePdf(stream, pdf);
    return {listedAt - start, cpuSeconds() - listedAt};
}

// What "quillet-cli report FILE --pdf OUT" does.
JobTimes reportJob(const QString& contacts, const QString& pdf)
{
    const double start = cpuSeconds();
    ContactsFile file;
    Result<ListedReport> listed = listReport(opened(file, contacts), ListQuery{}, ListOrder());
    if (!listed || !listed->check.ok())
        qFatal("cannot list %s", qPrintable(contacts));
    const double listedAt = cpuSeconds();
    GridStream stream = reportStream(file, *listed, QStringLiteral("Bench"));
    writePdf(stream, pdf);
    return {listedAt - start, cpuSeconds() - listedAt};
}

double childSeconds(const rusage& usage)
{
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs a program to its end: its CPU seconds and peak resident megabytes, or
// nothing when it failed.
std::optional<std::pair<double, double>> runChild(const QList<QByteArray>& arguments)
{
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
        wait4(child, &status, 0, &usage) < 0 || status != 0)
        return std::nullopt;
    return std::pair{childSeconds(usage), double(usage.ru_maxrss) / 1024};
}

// The floor's CPU time (user + system) for the same file, run as its own process.
double floorJob(const QString& contacts, bool a4, const QString& pdf)
{
#ifdef QUILLET_FLOOR
    QList<QByteArray> arguments{QUILLET_FLOOR, QFile::encodeName(contacts), QFile::encodeName(pdf)};
    if (a4)
        arguments << "a4";
    const auto run = runChild(arguments);
    return run ? run->first : -1;
#else
    Q_UNUSED(contacts)
    Q_UNUSED(a4)
    Q_UNUSED(pdf)
    return -1;
#endif
}

// The peak memory of one job, alone in a child process of this program, as the
// child reads it at its end (VmHWM). Its ru_maxrss would not do: a process keeps
// the resident size its parent had when it was spawned through exec.
double jobPeakMegabytes(const QByteArray& kind, const QString& contacts, int a4)
{
    const QString pdf = bench::workDir().filePath(QStringLiteral("alone.pdf"));
    const QString peak = bench::workDir().filePath(QStringLiteral("peak.txt"));
    QFile::remove(peak);
    if (!runChild({QFile::encodeName(QCoreApplication::applicationFilePath()), childJob, kind,
                   QFile::encodeName(contacts), QByteArray::number(a4), QFile::encodeName(pdf),
                   QFile::encodeName(peak)}))
        return -1;
    QFile file(peak);
    bool ok = false;
    const double kilobytes = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toDouble(&ok) : 0;
    return ok ? kilobytes / 1024 : -1;
}

// The high-water mark of this process's resident memory, in kilobytes.
QByteArray residentPeakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0);
    }
    return {};
}

// Five turns each, alternating, and the best of each: the ratio of our whole job
// to the floor's labels. Argument 1: labels on the built-in sheet (0), on Avery
// L7160 (1), or the report (2) beside the floor's labels on the built-in sheet.
void besideTheFloor(benchmark::State& state)
{
    const int kind = int(state.range(1));
    const SheetTemplate* sheet = sheetFor(kind == 1);
    if (!sheet) {
        state.SkipWithError("the label template catalogue is not installed");
        return;
    }
    const QString contacts = bench::contactsFile(QStringLiteral("labels"), int(state.range(0)));
    const QString ours = bench::workDir().filePath(QStringLiteral("ours.pdf")),
                  floor = bench::workDir().filePath("floor.pdf");
    double bestFloor = 1e9;
    JobTimes best{1e9, 1e9};
    for (auto _ : state) {
        for (int turn = 0; turn < 5; ++turn) {
            bestFloor = std::min(bestFloor, floorJob(contacts, kind == 1, floor));
            const JobTimes times = kind == 2 ? reportJob(contacts, ours) : labelsJob(contacts, *sheet, ours);
            if (times.total() < best.total())
                best = times;
        }
    }
    if (bestFloor < 0)
        state.SkipWithError("the floor was not built (configure with -DQUILLET_FLOOR_C=path/to/floor.c)");
    state.counters["floor_ms"] = bestFloor * 1000;
    state.counters["ours_ms"] = best.total() * 1000;
    state.counters["list_ms"] = best.list * 1000;
    state.counters["print_ms"] = best.print * 1000;
    state.counters["ratio"] = best.total() / bestFloor;
    state.counters["pdf_KB"] = double(QFile(ours).size()) / 1024;
    state.counters["floor_pdf_KB"] = double(QFile(floor).size()) / 1024;
    state.counters["peak_MB"] = jobPeakMegabytes(kind == 2 ? "report" : "labels", contacts, kind == 1);
}
BENCHMARK(besideTheFloor)->ArgsProduct({{100000}, {0, 1, 2}})->Unit(benchmark::kMillisecond)->Iterations(1);

// Peak memory of the labels job alone at 100,000 and 500,000 contacts, and what it
// grows by per contact in between.
void labelsMemory(benchmark::State& state)
{
    double small = -1, large = -1;
    for (auto _ : state) {
        small = jobPeakMegabytes("labels", bench::contactsFile(QStringLiteral("labels"), 100000), 0);
        large = jobPeakMegabytes("labels", bench::contactsFile(QStringLiteral("labels"), 500000), 0);
    }
    if (small < 0 || large < 0)
        state.SkipWithError("the job failed");
    state.counters["peak_MB_100k"] = small;
    state.counters["peak_MB_500k"] = large;
    state.counters["growth_B_per_contact"] = (large - small) * 1024 * 1024 / 400000;
}
BENCHMARK(labelsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The PDF of a single label.
void oneLabel(benchmark::State& state)
{
    const QString pdf = bench::workDir().filePath(QStringLiteral("one.pdf"));
    for (auto _ : state)
        labelsJob(bench::contactsFile(QStringLiteral("labels"), 1), *sheetFor(0), pdf);
    state.counters["pdf_KB"] = double(QFile(pdf).size()) / 1024;
}
BENCHMARK(oneLabel)->Unit(benchmark::kMillisecond)->Iterations(1);

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

// The child's job: KIND CONTACTS A4 PDF PEAK, its peak memory written to PEAK.
int runOneJob(char** argv)
{
    const QString contacts = QFile::decodeName(argv[3]), pdf = QFile::decodeName(argv[5]);
    if (std::strcmp(argv[2], "report") == 0)
        reportJob(contacts, pdf);
    else
        labelsJob(contacts, *sheetFor(std::atoi(argv[4])), pdf);
    QFile peak(QFile::decodeName(argv[6]));
    return peak.open(QIODevice::WriteOnly) && peak.write(residentPeakKilobytes()) > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 7 && std::strcmp(argv[1], childJob) == 0)
        return runOneJob(argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
