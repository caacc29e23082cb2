#include "support/PdfWords.h"

#include "core/contacts/ContactRecord.h"
#include "core/list/ListLabels.h"
#include "core/list/ListLine.h"
#include "core/list/ListReport.h"
#include "core/list/SheetLabels.h"
#include "core/printing/GridRenderer.h"
#include "core/printing/ReturnAddress.h"
#include "core/printing/SheetCatalogue.h"
#include "core/printing/TypedLines.h"
#include "core/printing/pdf/GridPdfRenderer.h"
#include "core/printing/pdf/PrintFonts.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace {

GridDocument typedLines(PrintMedia media, PageOrientation orientation, bool bold)
{
    TypedLinesRequest request;
    request.media = media;
    request.envelopeSizeNo = QStringLiteral("1");
    request.orientation = orientation;
    request.bold = bold;
    request.leftPadText = QStringLiteral("35");
    request.topPadText = QStringLiteral("10");
    request.lines = {"John Smith", "1 Main St (rear)", "Montréal, QC  H2X 1Y4", "", "€ œ ß \\ Ÿ"};
    return *composeTypedLines(request);
}

ContactRecord contact(int n)
{
    ContactRecord record;
    record.set(Field::FirstName, QStringLiteral("Émile%1").arg(n));
    record.set(Field::MI, QStringLiteral("Q"));
    record.set(Field::LastName, QStringLiteral("O'Brien-Smith (%1)").arg(n));
    record.set(Field::Street1, QStringLiteral("%1 Oak Street").arg(n * 37));
    record.set(Field::City, QStringLiteral("Montréal"));
    record.set(Field::State, QStringLiteral("QC"));
    record.set(Field::Zip, QStringLiteral("H2X %1").arg(n));
    record.set(Field::HomePhone, QStringLiteral("555-123-4567"));
    record.set(Field::Email, QStringLiteral("e%1@example.com").arg(n));
    return record;
}

std::vector<LabelTexts> labels(int count)
{
    std::vector<LabelTexts> texts;
    for (int n = 1; n <= count; ++n)
        texts.push_back(labelTexts(contact(n)));
    return texts;
}

QStringList listLines(int count)
{
    QStringList lines;
    for (int n = 1; n <= count; ++n)
        lines << listLine(contact(n), SortOrder::LastName);
    return lines;
}

// The list lines as they are, tabs and all, in "MS Sans Serif".
GridDocument selection(int count)
{
    GridDocument document;
    composeLineSelection(listLines(count), document);
    return document;
}

const SheetTemplate& unitsSheet()
{
    static const SheetCatalogue catalogue = SheetCatalogue::load({QStringLiteral(QUILLET_TEST_DATA "/sheets")});
    return *catalogue.find(QStringLiteral("Test Units"));
}

// The document as the program printed it until now: painted on QPdfWriter.
void writePainted(const GridDocument& document, const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QPdfWriter writer(&file);
    writer.setPageLayout(pdfPageLayout());
    writer.setResolution(1200);
    QVERIFY(renderGrid(document, writer).ok());
}

void writeOurs(const GridDocument& document, const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(writeGridPdf(document, file, PdfDocumentInfo{QStringLiteral("Labels – Friends")}).ok());
}

QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// The first page in grey at 144 dpi: what a viewer shows of the lines and glyphs.
QImage firstPage(const QString& pdf)
{
    run(QStringLiteral("pdftoppm"), {"-gray", "-r", "144", "-f", "1", "-l", "1", "-singlefile", pdf, pdf});
    return QImage(pdf + ".pgm");
}

bool inked(const QImage& image, int x, int y)
{
    return image.valid(x, y) && qGray(image.pixel(x, y)) < 224;
}

// Pixels inked in `one` with no ink within a pixel of them in `other`, and all
// pixels inked in `one`. (The painter's A4 is whole points, 595 x 842, ours the
// paper's 595.28 x 841.89, so thin lines may fall a pixel apart.)
std::pair<int, int> strayInk(const QImage& one, const QImage& other)
{
    int stray = 0, ink = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            if (!inked(one, x, y))
                continue;
            ++ink;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = inked(other, x + dx, y + dy);
            stray += !near;
        }
    }
    return {stray, ink};
}

// A device that takes `room` bytes, then fails as a full disk does.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (m_written + size > m_room)
            return -1;
        m_written += size;
        return size;
    }

private:
    qint64 m_room;
    qint64 m_written = 0;
};

} // namespace

class TestPdfWriter : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void oneLabelIsSmall()
    {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        const GridDocument label = typedLines(PrintMedia::Label, PageOrientation::Portrait, false);
        QVERIFY(writeGridPdf(label, pdf, PdfDocumentInfo{}).ok());
        QVERIFY2(pdf.size() > 1000 && pdf.size() < 50 * 1024, qPrintable(QString::number(pdf.size())));
        QVERIFY(pdf.data().startsWith("%PDF-1.4\n") && pdf.data().endsWith("%%EOF\n"));
    }

    void textAsItExtracts_data()
    {
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("extracted");
        QTest::newRow("parentheses, backslash") << "a(b))c\\d("
                                                << "a(b))c\\d(";
        QTest::newRow("Windows-1252 beyond Latin-1") << "€5 œuvre Ÿ ‰ – “x”"
                                                     << "€5 œuvre Ÿ ‰ – “x”";
        QTest::newRow("folded as contacts files are") << "Łódź Nguyễn"
                                                      << "Lódz Nguyen";
        QTest::newRow("nothing to fold to") << "東京 ok"
                                            << "?? ok";
    }
    void textAsItExtracts()
    {
        if (!pdftotextAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QFETCH(QString, printed);
        QFETCH(QString, extracted);
        GridDocument document;
        document.printLine(1, printed);
        const QString path = m_dir.filePath(QStringLiteral("text.pdf"));
        writeOurs(document, path);
        QCOMPARE(run(QStringLiteral("pdftotext"), {path, "-"}).trimmed(), extracted);
    }

    void missingFontStopsBeforeWriting()
    {
        QTemporaryDir noFonts;
        PrintFonts fonts({noFonts.path()});
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        const Status status = writeGridPdf(composeListLabels(labels(3)), pdf, PdfDocumentInfo{}, {}, &fonts);
        QVERIFY(!status.ok());
        QCOMPARE(status.error().description,
                 QStringLiteral("Liberation Mono was not found (package fonts-liberation2)"));
        QCOMPARE(errorBoxText(status.error()),
                 QStringLiteral("Liberation Mono was not found (package fonts-liberation2)"));
        QCOMPARE(pdf.size(), 0);
    }

    // A device that fails part way ends the job with its error.
    void failedWriteEndsTheJob()
    {
        FullDevice device(20000);
        const Status status = writeGridPdf(composeListLabels(labels(3000)), device, PdfDocumentInfo{});
        QVERIFY(!status.ok());
        QCOMPARE(status.error().number, errors::deviceIO().number);
    }

    void emptyDocumentWritesNothing()
    {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        GridDocument blank;
        blank.printEmptyLine();
        QVERIFY(writeGridPdf(blank, pdf, PdfDocumentInfo{}).ok());
        QCOMPARE(pdf.size(), 0);
    }

    void samePlacesAsThePainter_data()
    {
        QTest::addColumn<GridDocument>("document");
        QTest::newRow("typed lines on a label") << typedLines(PrintMedia::Label, PageOrientation::Portrait, false);
        QTest::newRow("envelope, bold") << typedLines(PrintMedia::Envelope, PageOrientation::Landscape, true);
        QTest::newRow("return-address sheet") << returnaddress::compose({"Ann Lee", "12 Elm Rd", "Troy, NY", "", ""});
        QTest::newRow("list labels") << composeListLabels(labels(31));
        const SheetLabelFit fit = fitSheetLabels(unitsSheet(), labels(9));
        QTest::newRow("labels on an A4 sheet") << composeSheetLabels(unitsSheet(), labels(9), 2, fit);
        QTest::newRow("report") << *composeReport(listLines(60), QStringLiteral("Friends"));
        QTest::newRow("selected list lines") << selection(5);
        QTest::newRow("calibration page") << composeCalibrationPage(unitsSheet());
    }
    // Every word of every page where the painter put it, the text as it extracted,
    // and a file qpdf finds sound.
    void samePlacesAsThePainter()
    {
        if (!pdftotextAvailable() || QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty())
            QSKIP("pdftotext and qpdf (poppler-utils, qpdf) are needed");
        QFETCH(GridDocument, document);
        const QString tag = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        writePainted(document, tag + "-painted.pdf");
        writeOurs(document, tag + ".pdf");
        int exitCode = -1;
        const QString check = run(QStringLiteral("qpdf"), {"--check", tag + ".pdf"}, &exitCode);
        QVERIFY2(exitCode == 0 && check.contains("No syntax or stream encoding errors"), qPrintable(check));
        QCOMPARE(run(QStringLiteral("pdftotext"), {tag + ".pdf", "-"}),
                 run(QStringLiteral("pdftotext"), {tag + "-painted.pdf", "-"}));
        int pages = 0, paintedPages = 0;
        const QList<PdfWord> ours = pdfWords(tag + ".pdf", &pages);
        const QList<PdfWord> painted = pdfWords(tag + "-painted.pdf", &paintedPages);
        QCOMPARE(pages, paintedPages);
        QCOMPARE(ours.size(), painted.size());
        for (qsizetype index = 0; index < ours.size(); ++index) {
            const PdfWord &a = ours[index], &b = painted[index];
            const QString where = QStringLiteral("\"%1\" page %2: %3,%4-%5,%6 against %7,%8-%9,%10")
                                      .arg(a.text)
                                      .arg(a.page)
                                      .arg(a.xMin)
                                      .arg(a.yMin)
                                      .arg(a.xMax)
                                      .arg(a.yMax)
                                      .arg(b.xMin)
                                      .arg(b.yMin)
                                      .arg(b.xMax)
                                      .arg(b.yMax);
            QVERIFY2(a.text == b.text && a.page == b.page, qPrintable(where));
            const double off =
                std::max({qAbs(a.xMin - b.xMin), qAbs(a.xMax - b.xMax), qAbs(a.yMin - b.yMin), qAbs(a.yMax - b.yMax)});
            QVERIFY2(off < 0.1, qPrintable(where));
        }
        // The glyphs and lines as a viewer draws them, to the pixel.
        const QImage image = firstPage(tag + ".pdf"), paintedImage = firstPage(tag + "-painted.pdf");
        QVERIFY(qAbs(image.width() - paintedImage.width()) <= 1 && qAbs(image.height() - paintedImage.height()) <= 1);
        for (const auto& [one, other] : {std::pair(image, paintedImage), std::pair(paintedImage, image)}) {
            const auto [stray, inked] = strayInk(one, other);
            QVERIFY2(inked > 0 && stray <= inked / 100, qPrintable(QStringLiteral("%1 of %2").arg(stray).arg(inked)));
        }
    }
};

QTEST_MAIN(TestPdfWriter)
#include "tst_pdfwriter.moc"
