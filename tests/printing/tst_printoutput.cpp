#include "support/PdfWords.h"

#include "core/printing/GridTranscript.h"
#include "core/printing/LabelSheet.h"
#include "core/printing/ReturnAddress.h"
#include "core/printing/TypedLines.h"
#include "core/printing/pdf/GridPdfRenderer.h"
#include "output/CupsPrintTarget.h"
#include "output/PdfPrintTarget.h"
#include "support/ChildRun.h"
#include "support/ScriptedPlatform.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace {

GridDocument typedLines(PrintMedia media, PageOrientation orientation, LineAlignment alignment, int left, int top,
                        bool bold)
{
    TypedLinesRequest request;
    request.media = media;
    request.envelopeSizeNo = QStringLiteral("1");
    request.orientation = orientation;
    request.alignment = alignment;
    request.bold = bold;
    request.leftPadText = QString::number(left);
    request.topPadText = QString::number(top);
    request.lines = {"John Smith", "1 Main St", "Springfield, IL  62701", "", "USA"};
    return *composeTypedLines(request);
}

// A tab that wraps, three sizes and a page broken by a text line.
GridDocument wrapsAndBreaks()
{
    GridDocument document;
    document.setFont(QStringLiteral("Courier New"), 9);
    document.printLine({GridItem{10, 0, QStringLiteral("abcdefghij")}, GridItem{5, 2, QStringLiteral("wrapped")}});
    document.setFont(QStringLiteral("Courier New"), 11, true);
    for (int i = 0; i < 80; ++i)
        document.printEmptyLine();
    document.printLine(20, QStringLiteral("next page"));
    document.setOrientation(PageOrientation::Landscape);
    document.newPage();
    document.setFontSize(12);
    document.printLine(60, QStringLiteral("landscape"));
    return document;
}

// Typed lines on portrait label stock: 10.8-point lines from 2 points below the
// paper's top, columns from 12 points in.
const PdfGrid labelStock{12, 2, 10.8, {}};

// The return-address sheet: each row's first line 5 points below its label's top.
PdfGrid returnAddressSheet()
{
    PdfGrid grid{12, 18, 0, {}};
    for (int row = 1; row <= 20; ++row)
        grid.rowStarts << qMakePair(6 + 4 * (row - 1) + (row > 8) + (row > 13), 36 + 36 * (row - 1) + 5.0);
    return grid;
}

// Every word of the transcript is in the PDF at its page, line and column, and
// the PDF holds nothing else.
void compareWithTranscript(const QString& pdf, const QString& transcript, const PdfGrid& grid = {})
{
    int pages = 0;
    QList<PdfWord> printed = pdfWords(pdf, &pages);
    const QList<GridWord> expected = transcriptWords(transcript);
    QCOMPARE(pages, int(transcript.count(QStringLiteral("page "))));
    QCOMPARE(printed.size(), expected.size());
    for (const GridWord& word : expected) {
        const auto found = std::find_if(printed.begin(), printed.end(), [&word, &grid](const PdfWord& candidate) {
            return candidate.page == word.page && candidate.text == word.text &&
                   pdfColumn(candidate, word.size, grid) == word.column &&
                   pdfLine(candidate, word.size, grid) == word.line;
        });
        QVERIFY2(found != printed.end(), qPrintable(QStringLiteral("\"%1\" not found on page %2 line %3 column %4")
                                                        .arg(word.text)
                                                        .arg(word.page)
                                                        .arg(word.line)
                                                        .arg(word.column)));
        printed.erase(found);
    }
}

// quillet-cli run where fontconfig knows no font at all.
QProcess* runCliWithoutFonts(const QTemporaryDir& dir, const QStringList& args)
{
    QFile config(dir.filePath(QStringLiteral("fonts.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return nullptr;
    config.write(
        QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%1</cachedir></fontconfig>\n")
            .arg(dir.path())
            .toUtf8());
    config.close();
    auto* cli = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
    cli->setProcessEnvironment(environment);
    cli->start(test::cliPath(), args);
    cli->waitForFinished(60000);
    return cli;
}

using CliResult = test::ChildResult;
using test::runCli;

} // namespace

class TestPrintOutput : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void pdfTextSitsWhereTheTranscriptSays_data()
    {
        QTest::addColumn<GridDocument>("document");
        QTest::addColumn<PdfGrid>("grid");
        const auto label = PrintMedia::Label;
        const auto envelope = PrintMedia::Envelope;
        const auto portrait = PageOrientation::Portrait;
        const auto landscape = PageOrientation::Landscape;
        const auto left = LineAlignment::LeftJustified;
        const auto centred = LineAlignment::Centered;
        QTest::newRow("label 5") << typedLines(label, portrait, left, 35, 10, false) << labelStock;
        QTest::newRow("label 30 centred") << typedLines(label, portrait, centred, 68, 63, false) << labelStock;
        QTest::newRow("label stock in landscape") << typedLines(label, landscape, left, 35, 10, false) << PdfGrid{};
        QTest::newRow("envelope bold") << typedLines(envelope, landscape, left, 43, 39, true) << PdfGrid{};
        QTest::newRow("return addresses")
            << returnaddress::compose({"Ann Lee", "12 Elm Rd", "Troy, NY", "", ""}) << returnAddressSheet();
        QTest::newRow("wrap, sizes and page break") << wrapsAndBreaks() << PdfGrid{};
    }
    void pdfTextSitsWhereTheTranscriptSays()
    {
        if (!pdftotextAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QFETCH(GridDocument, document);
        QFETCH(PdfGrid, grid);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
        PdfPrintTarget target(path);
        QVERIFY(target.print(document, PrintJob{}).ok());
        compareWithTranscript(path, gridTranscript(document), grid);
    }

    void pdfCopiesAreSeparateFiles()
    {
        PdfPrintTarget target(m_dir.filePath(QStringLiteral("copies.pdf")));
        const GridDocument document = returnaddress::compose({"a", "b", "c", "", ""});
        QVERIFY(target.print(document, PrintJob{}).ok());
        QVERIFY(target.print(document, PrintJob{}).ok());
        QCOMPARE(target.writtenFiles(), (QStringList{m_dir.filePath(QStringLiteral("copies.pdf")),
                                                     m_dir.filePath(QStringLiteral("copies-2.pdf"))}));
        for (const QString& file : target.writtenFiles()) {
            QFile pdf(file);
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QVERIFY(pdf.read(5) == "%PDF-");
        }
    }

    void pdfIntoMissingFolderFails()
    {
        const QString path = m_dir.filePath(QStringLiteral("no/such/folder/x.pdf"));
        PdfPrintTarget target(path);
        const Status status = target.print(returnaddress::compose({"a", "", "", "", ""}), PrintJob{});
        QVERIFY(!status.ok());
        QCOMPARE(status.error().number, errors::pathNotFound().number);
        QVERIFY(!QFile::exists(path));
    }

    // A stream that reads its source as it runs can stop half way (a contacts file
    // changed by another program): each target fails the job with that error, and
    // a PDF file target leaves no file behind.
    void streamStoppedHalfWayFailsTheJob_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("PDF file") << "file";
        QTest::newRow("PDF writer") << "writer";
        QTest::newRow("a target that takes documents whole") << "whole";
    }
    void streamStoppedHalfWayFailsTheJob()
    {
        QFETCH(QString, target);
        GridStream stream;
        stream.next = [pieces = 0](GridDocument& chunk) mutable {
            chunk.printLine(2, QStringLiteral("Page %1").arg(pieces + 1));
            chunk.newPage();
            return ++pieces <= 2;
        };
        stream.stoppedBy = [] { return Status(errors::fileChanged()); };
        const QString path = m_dir.filePath(QStringLiteral("stopped-%1.pdf").arg(target));
        QBuffer bytes;
        QVERIFY(bytes.open(QIODevice::WriteOnly));
        Status status;
        RecordingPrintTarget recording;
        if (target == QLatin1String("file")) {
            status = PdfPrintTarget(path).printStream(stream, PrintJob{});
        } else if (target == QLatin1String("writer")) {
            status = writeGridPdf(stream, bytes, PdfDocumentInfo{});
        } else {
            status = recording.printStream(stream, PrintJob{});
        }
        QCOMPARE(status.error().description, fileChangedText);
        QVERIFY(!QFile::exists(path));
        QVERIFY(recording.jobs.isEmpty());
        if (target == QLatin1String("writer"))
            QVERIFY(!bytes.data().contains("%%EOF"));
    }

    void unknownPrinterFails()
    {
        CupsPrintTarget target;
        const Status status =
            target.print(returnaddress::compose({"a", "", "", "", ""}), PrintJob{QStringLiteral("NoSuchQuilletQueue")});
        QVERIFY(!status.ok());
    }

    void cli_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outLine"); // a line standard output must hold
        QTest::addColumn<QString>("err");     // text standard error must hold
        const QString smith = QStringLiteral("12 10 |") + QString(34, QLatin1Char(' ')) + "John Smith";
        QTest::newRow("label 5")
            << QStringList{"print-lines", "--label", "5", "--grid", "John Smith", "1 Main St", "Springfield, IL  62701"}
            << 0 << smith << "";
        QTest::newRow("line longer than the label")
            << QStringList{"print-lines", "--label", "5", "--grid", QString(31, u'x')} << 0
            << QStringLiteral("12 10 |") + QString(34, QLatin1Char(' ')) + QString(31, u'x')
            << "1 label has lines longer than the label (first: " + QString(31, u'x') + ").";
        QTest::newRow("label 31") << QStringList{"print-lines", "--label", "31", "--grid", "x"} << 1 << ""
                                  << "Cannot be greater than 30";
        QTest::newRow("label abc") << QStringList{"print-lines", "--label", "abc", "--grid", "x"} << 1 << ""
                                   << "Enter a number between 1 and 30";
        QTest::newRow("label cancelled: no media")
            << QStringList{"print-lines", "--label", "", "--grid", "x"} << 1 << ""
            << "Select Label stock or Envelope";
        QTest::newRow("no lines") << QStringList{"print-lines", "--label", "5", "--grid"} << 1 << ""
                                  << "No information entered";
        QTest::newRow("envelope preset") << QStringList{"print-lines", "--envelope", "1", "--bold", "--grid", "Jane"}
                                         << 0 << QStringLiteral("35 12b |") + QString(37, QLatin1Char(' ')) + "Jane"
                                         << "";
        QTest::newRow("envelope in portrait takes the portrait margins")
            << QStringList{"print-lines", "--envelope", "1", "--portrait", "--grid", "Jane"} << 0
            << QStringLiteral("5 10 | Jane") << "";
        QTest::newRow("hand-edited margins, centred")
            << QStringList{"print-lines", "--label", "5",          "--indents", "35",
                           "--pad-rows",  "abc",     "--centered", "--grid",    "abcdefghijklmnopqrst"}
            << 0 << QStringLiteral("2 10 |") + QString(39, QLatin1Char(' ')) + "abcdefghijklmnopqrst"
            << "";
        QTest::newRow("margin out of range")
            << QStringList{"print-lines", "--label", "5", "--indents", "70000", "--grid", "x"} << 1 << ""
            << "A printer problem exists.  Check printer.";
        QTest::newRow("return address") << QStringList{"return-address", "--grid", "a", "b", "c"} << 0
                                        << QStringLiteral("87 8 |") << "";
        QTest::newRow("return address with line 4")
            << QStringList{"return-address", "--grid", "a", "b", "c", "d"} << 1 << ""
            << "Leave Lines 4 and 5 blank";
        QTest::newRow("unknown printer") << QStringList{"return-address", "--printer", "NoSuchQuilletQueue", "a"} << 1
                                         << ""
                                         << "A printer problem exists.  Check printer.";
        QTest::newRow("no destination") << QStringList{"print-lines", "--label", "5", "x"} << 2 << ""
                                        << "--printer NAME, --pdf FILE or --grid";
        QTest::newRow("bad copies") << QStringList{"print-lines", "--copies", "0", "--grid", "x"} << 2 << ""
                                    << "--copies";
    }
    void cli()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, outLine);
        QFETCH(QString, err);
        const CliResult result = runCli(args);
        QCOMPARE(result.exitCode, exitCode);
        if (!outLine.isEmpty())
            QVERIFY2(result.out.split(QLatin1Char('\n')).contains(outLine), qPrintable(result.out));
        if (exitCode != 0)
            QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains(err), qPrintable(result.err));
        if (!err.isEmpty())
            QVERIFY2(result.err.startsWith(QStringLiteral("quillet-cli: %1: ").arg(args[0])), qPrintable(result.err));
    }

    void cliCopiesAreSeparateJobs()
    {
        const CliResult result = runCli({"print-lines", "--label", "1", "--copies", "2", "--grid", "x"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out.count(QStringLiteral("page 1 portrait\n")), 2);
    }

    // Without Liberation Mono nothing is printed, and the message names the font
    // and its package; no file is left behind.
    void cliWithoutTheFont()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("label.pdf"));
        const std::unique_ptr<QProcess> cli(
            runCliWithoutFonts(dir, {"print-lines", "--label", "5", "--pdf", pdf, "John Smith"}));
        QVERIFY(cli);
        QCOMPARE(cli->exitCode(), 1);
        QCOMPARE(
            QString::fromUtf8(cli->readAllStandardError()),
            QStringLiteral("quillet-cli: print-lines: Liberation Mono was not found (package fonts-liberation2)\n"));
        QVERIFY(!QFile::exists(pdf));
    }

    void cliPdfMatchesItsTranscript()
    {
        if (!pdftotextAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QStringList lines{"John Smith", "1 Main St", "Springfield, IL  62701"};
        const QString path = m_dir.filePath(QStringLiteral("cli.pdf"));
        const CliResult grid = runCli(QStringList{"print-lines", "--label", "5", "--grid"} + lines);
        const CliResult pdf = runCli(QStringList{"print-lines", "--label", "5", "--pdf", path} + lines);
        QCOMPARE(grid.exitCode, 0);
        QCOMPARE(pdf.exitCode, 0);
        compareWithTranscript(path, grid.out, labelStock);
    }
};

QTEST_MAIN(TestPrintOutput)
#include "tst_printoutput.moc"
