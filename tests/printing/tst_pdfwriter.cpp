#include "support/PdfWords.h"

#include "core/contacts/ContactRecord.h"
#include "core/editing/ContactPrinting.h"
#include "core/list/ListLabels.h"
#include "core/list/ListLine.h"
#include "core/list/ListReport.h"
#include "core/list/SheetLabels.h"
#include "core/printing/ReturnAddress.h"
#include "core/printing/SheetCatalogue.h"
#include "core/printing/TypedLines.h"
#include "core/printing/pdf/GridPdfRenderer.h"
#include "core/printing/pdf/PrintFonts.h"
#include "output/PdfPrintTarget.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
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

// The words of a first page as pdftotext -bbox read them from the PDF Qt's
// painter wrote before we wrote our own (see tests/data/pdf-places/README.md).
QList<PdfWord> recordedWords(const QString& name)
{
    QFile file(QStringLiteral(QUILLET_TEST_DATA "/pdf-places/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<PdfWord> words;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 5)
            words << PdfWord{1,
                             fields[0].toDouble(),
                             fields[1].toDouble(),
                             fields[2].toDouble(),
                             fields[3].toDouble(),
                             QString::fromUtf8(fields[4])};
    }
    return words;
}

// The first page in grey at 144 dpi, two pixels a point.
QImage firstPage(const QString& pdf)
{
    run(QStringLiteral("pdftoppm"), {"-gray", "-r", "144", "-f", "1", "-l", "1", "-singlefile", pdf, pdf});
    return QImage(pdf + ".pgm");
}

// Whether a viewer draws ink within a pixel of a point given in points.
bool inkNear(const QImage& page, QPointF point)
{
    const QPoint centre = (point * 2).toPoint();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (page.valid(centre.x() + dx, centre.y() + dy) && qGray(page.pixel(centre + QPoint(dx, dy))) < 224)
                return true;
    return false;
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

    // Every layout: a file qpdf finds sound, its first page's words where Qt's
    // painter put them, within a tenth of a point.
    void samePlacesAsBefore_data()
    {
        QTest::addColumn<GridDocument>("document");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("typed lines on a label")
            << typedLines(PrintMedia::Label, PageOrientation::Portrait, false) << "typed-lines-on-a-label";
        QTest::newRow("envelope, bold") << typedLines(PrintMedia::Envelope, PageOrientation::Landscape, true)
                                        << "envelope-bold";
        QTest::newRow("return-address sheet")
            << returnaddress::compose({"Ann Lee", "12 Elm Rd", "Troy, NY", "", ""}) << "return-address-sheet";
        QTest::newRow("list labels") << composeListLabels(labels(31)) << "list-labels";
        const SheetLabelFit fit = fitSheetLabels(unitsSheet(), labels(9));
        QTest::newRow("labels on an A4 sheet")
            << composeSheetLabels(unitsSheet(), labels(9), 2, fit) << "labels-on-an-A4-sheet";
        QTest::newRow("report") << *composeReport(listLines(60), QStringLiteral("Friends")) << "report";
        QTest::newRow("selected list lines") << selection(5) << "selected-list-lines";
        QTest::newRow("contact details") << contactDetailsDocument(formFromRecord(contact(7)), "6/15/26")
                                         << "contact-details";
        QTest::newRow("calibration page") << composeCalibrationPage(unitsSheet()) << "calibration-page";
    }
    void samePlacesAsBefore()
    {
        if (!pdftotextAvailable() || QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty())
            QSKIP("pdftotext and qpdf (poppler-utils, qpdf) are needed");
        QFETCH(GridDocument, document);
        QFETCH(QString, recorded);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
        QVERIFY(PdfPrintTarget(path).print(document, PrintJob{}).ok());
        int exitCode = -1;
        const QString check = run(QStringLiteral("qpdf"), {"--check", path}, &exitCode);
        QVERIFY2(exitCode == 0 && check.contains("No syntax or stream encoding errors"), qPrintable(check));
        QList<PdfWord> ours = pdfWords(path);
        ours.removeIf([](const PdfWord& word) { return word.page != 1; });
        const QList<PdfWord> before = recordedWords(recorded);
        QVERIFY(!before.isEmpty());
        QCOMPARE(ours.size(), before.size());
        for (qsizetype index = 0; index < ours.size(); ++index) {
            const PdfWord &a = ours[index], &b = before[index];
            const double off =
                std::max({qAbs(a.xMin - b.xMin), qAbs(a.xMax - b.xMax), qAbs(a.yMin - b.yMin), qAbs(a.yMax - b.yMax)});
            QVERIFY2(a.text == b.text && off < 0.1, qPrintable(describeWord(a) + " against " + describeWord(b)));
        }
    }

    // The calibration page draws each label of the sheet file (two across, three
    // down, 2 in x 36 pt from 1 cm, 18 pt, a pitch of 2.5 in x 0.5 in, corners
    // rounded 1 pc) with a cross of 9 pt arms at its centre. Its title and how-to
    // lie over the first row, so that row is not looked at for blank paper.
    void calibrationLinesOnTheLabels()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        const QString path = m_dir.filePath(QStringLiteral("calibration.pdf"));
        QVERIFY(PdfPrintTarget(path).print(composeCalibrationPage(unitsSheet()), PrintJob{}).ok());
        const QImage page = firstPage(path);
        QVERIFY(!page.isNull());
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column) {
                const QPointF corner(72 / 2.54 + 180 * column, 18 + 36 * row);
                const QPointF centre = corner + QPointF(72, 18);
                const QString where = QStringLiteral("label %1,%2").arg(column).arg(row);
                for (const QPointF& line : {corner + QPointF(40, 0), corner + QPointF(0, 18), corner + QPointF(144, 18),
                                            corner + QPointF(40, 36), centre - QPointF(6, 0), centre - QPointF(0, 6)})
                    QVERIFY2(inkNear(page, line), qPrintable(where));
                for (const QPointF& blank : {corner + QPointF(1, 1), corner + QPointF(30, 9), centre - QPointF(13, 0),
                                             centre + QPointF(0, 13) - QPointF(20, 0)})
                    QVERIFY2(row == 0 || !inkNear(page, blank), qPrintable(where));
            }
        }
    }

    // What people see: Liberation Mono, regular and bold, embedded as subsets.
    void fontsAreEmbeddedSubsets()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
            QSKIP("pdffonts (poppler-utils) is not installed");
        GridDocument document = typedLines(PrintMedia::Label, PageOrientation::Portrait, false);
        document.setFont(QStringLiteral("Courier New"), 10, true);
        document.printLine(1, QStringLiteral("bold"));
        const QString path = m_dir.filePath(QStringLiteral("fonts.pdf"));
        QVERIFY(PdfPrintTarget(path).print(document, PrintJob{}).ok());
        const QStringList lines = run(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n')).mid(2);
        QStringList fonts;
        for (const QString& line : lines) {
            const QStringList fields = line.simplified().split(QLatin1Char(' '));
            if (fields.size() >= 6)
                fonts << fields.mid(0, 6).join(QLatin1Char(' ')).replace(QRegularExpression("^[A-Z]{6}\\+"), "+");
        }
        QCOMPARE(fonts, (QStringList{"+LiberationMono TrueType WinAnsi yes yes no",
                                     "+LiberationMono-Bold TrueType WinAnsi yes yes no"}));
    }
};

QTEST_MAIN(TestPdfWriter)
#include "tst_pdfwriter.moc"
