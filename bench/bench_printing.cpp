#include "core/printing/GridLayout.h"
#include "core/printing/GridTranscript.h"
#include "core/printing/ReturnAddress.h"
#include "core/printing/pdf/GridPdfRenderer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

using namespace quillet;

namespace {

const std::array<QString, 5> returnLines{"Quillet Example", "1234 Longwood Avenue", "Springfield, IL  62701", "", ""};

// Rows of three labels as the list prints them: three lines at 10 points, one at
// 11 and three at 9 (one inch a row), breaking pages by itself.
GridDocument listLabels(int labels)
{
    const QString courierNew = QStringLiteral("Courier New");
    const std::array<double, 7> sizes{10, 10, 10, 11, 9, 9, 9};
    GridDocument document;
    for (int first = 0; first < labels; first += 3) {
        for (std::size_t line = 0; line < sizes.size(); ++line) {
            document.setFont(courierNew, sizes[line]);
            QList<GridItem> items;
            for (int label = first; label < std::min(first + 3, labels); ++label) {
                const QString text = line < 3 ? QStringLiteral("Contact %1 line %2").arg(label).arg(line) : QString();
                items.append(GridItem{2 + 33 * (label - first), 0, text});
            }
            document.printLine(std::move(items));
        }
    }
    return document;
}

qint64 renderToPdf(const GridDocument& document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeGridPdf(document, buffer, PdfDocumentInfo{}).ok())
        return -1;
    return buffer.size();
}

void layoutReturnAddressSheet(benchmark::State& state)
{
    const GridDocument document = returnaddress::compose(returnLines);
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutGrid(document, PageGeometry::pdfLetter()));
}
BENCHMARK(layoutReturnAddressSheet);

void transcriptReturnAddressSheet(benchmark::State& state)
{
    const GridDocument document = returnaddress::compose(returnLines);
    for (auto _ : state)
        benchmark::DoNotOptimize(gridTranscript(document));
}
BENCHMARK(transcriptReturnAddressSheet);

void returnAddressSheetToPdf(benchmark::State& state)
{
    const GridDocument document = returnaddress::compose(returnLines);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderToPdf(document));
}
BENCHMARK(returnAddressSheetToPdf)->Unit(benchmark::kMillisecond);

// 30 labels a page: 30 pages, and the 10,000 labels a large list prints.
void listLabelsToPdf(benchmark::State& state)
{
    for (auto _ : state) {
        const GridDocument document = listLabels(int(state.range(0)));
        benchmark::DoNotOptimize(renderToPdf(document));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(listLabelsToPdf)->Arg(900)->Arg(10000)->Unit(benchmark::kMillisecond);

void listLabelsLayout(benchmark::State& state)
{
    for (auto _ : state) {
        const GridDocument document = listLabels(int(state.range(0)));
        benchmark::DoNotOptimize(layoutGrid(document, PageGeometry::pdfLetter()));
    }
}
BENCHMARK(listLabelsLayout)->Arg(10000)->Unit(benchmark::kMillisecond);

// The baseline it beats: painting each character at its own column, as a
// renderer that knows only single grid cells would.
void listLabelsToPdfCellByCell(benchmark::State& state)
{
    const GridDocument document = listLabels(int(state.range(0)));
    for (auto _ : state) {
        const GridLayout layout = layoutGrid(document, PageGeometry::pdfLetter());
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(layoutMargin, layoutMargin, layoutMargin, layoutMargin),
                                         QPageLayout::Point));
        writer.setResolution(1200);
        QPainter painter(&writer);
        painter.setFont(QFont(QStringLiteral("Courier New"), 10));
        const double scale = 1200 / 72.0;
        for (std::size_t page = 0; page < layout.pages.size(); ++page) {
            if (page > 0)
                writer.newPage();
            for (const PlacedLine& line : layout.pages[page].lines)
                for (const PlacedText& text : line.texts)
                    for (qsizetype i = 0; i < text.text.size(); ++i)
                        painter.drawText(QPointF((text.x + i * 6.0) * scale, line.baseline * scale), text.text.at(i));
        }
        painter.end();
        benchmark::DoNotOptimize(buffer.size());
    }
}
BENCHMARK(listLabelsToPdfCellByCell)->Arg(900)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
