#include "core/printing/GridTranscript.h"
#include "core/printing/LabelSheet.h"
#include "core/printing/TypedLines.h"
#include "support/ScriptedPlatform.h"

#include <QtTest>

using namespace quillet;

Q_DECLARE_METATYPE(PrintMedia)

namespace {

TypedLinesRequest labelRequest(int position, std::array<QString, 5> lines)
{
    TypedLinesRequest request;
    request.media = PrintMedia::Label;
    request.lines = std::move(lines);
    const GridMargins margins = labelsheet::positionMargins(position);
    request.leftPadText = margins.indentsText();
    request.topPadText = margins.padRowsText();
    return request;
}

QStringList transcriptOf(const TypedLinesRequest& request)
{
    const std::optional<GridDocument> document = composeTypedLines(request);
    if (!document)
        return {};
    return gridTranscript(*document).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString gridLine(int number, const QString& size, int column, const QString& text)
{
    return QStringLiteral("%1 %2 |").arg(number).arg(size) + QString(column - 1, QLatin1Char(' ')) + text;
}

PrintChoice copies(int count)
{
    PrintChoice choice;
    choice.cancelled = false;
    choice.copies = count;
    return choice;
}

// Fails the n-th job it is given.
class FailingTarget : public PrintTarget
{
public:
    explicit FailingTarget(int failingJob) : m_failingJob(failingJob) {}
    Status print(const GridDocument&, const PrintJob&) override
    {
        return ++jobs == m_failingJob ? Status(errors::deviceIO()) : Status::success();
    }
    int jobs = 0;

private:
    int m_failingJob;
};

} // namespace

class TestTypedLines : public QObject
{
    Q_OBJECT
private slots:
    void checks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<PrintMedia>("media");
        QTest::addColumn<QString>("sizeNo");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("nothing typed") << "" << PrintMedia::Label << "1"
                                       << "No information entered"
                                       << "Missing Data";
        QTest::newRow("nothing typed beats no media") << "" << PrintMedia::None << ""
                                                      << "No information entered"
                                                      << "Missing Data";
        QTest::newRow("no media") << "x" << PrintMedia::None << "1"
                                  << "Select Label stock or Envelope"
                                  << "Media Selection";
        QTest::newRow("envelope without size") << "x" << PrintMedia::Envelope << "0"
                                               << "Select Envelope size"
                                               << "Envelope Size";
        QTest::newRow("envelope, size never chosen") << "x" << PrintMedia::Envelope << ""
                                                     << "Select Envelope size"
                                                     << "Envelope Size";
        QTest::newRow("a space is information") << " " << PrintMedia::Label << ""
                                                << ""
                                                << "";
        QTest::newRow("envelope with size") << "x" << PrintMedia::Envelope << "3"
                                            << ""
                                            << "";
    }
    void checks()
    {
        QFETCH(QString, line);
        QFETCH(PrintMedia, media);
        QFETCH(QString, sizeNo);
        QFETCH(QString, message);
        QFETCH(QString, title);
        TypedLinesRequest request;
        request.lines[4] = line;
        request.media = media;
        request.envelopeSizeNo = sizeNo;
        request.leftPadText = QStringLiteral("40"); // typed margins do not stand in for a size
        const std::optional<PrintRejection> rejection = checkTypedLines(request);
        QCOMPARE(rejection ? rejection->message : QString(), message);
        QCOMPARE(rejection ? rejection->title : QString(), title);
    }

    void positionFiveLeftJustified()
    {
        const QStringList lines =
            transcriptOf(labelRequest(5, {"John Smith", "1 Main St", "Springfield, IL  62701", "", ""}));
        QCOMPARE(lines.size(), 1 + 11 + 5);
        QCOMPARE(lines[0], QStringLiteral("page 1 portrait"));
        QCOMPARE(lines[1], QStringLiteral("1 10 |"));
        QCOMPARE(lines[11], QStringLiteral("11 10 |"));
        QCOMPARE(lines[12], gridLine(12, "10", 35, "John Smith"));
        QCOMPARE(lines[14], gridLine(14, "10", 35, "Springfield, IL  62701"));
        QCOMPARE(lines[16], QStringLiteral("16 10 |"));
    }

    void onlyLineThreeFilled_data()
    {
        QTest::addColumn<QString>("padRows");
        QTest::addColumn<int>("t");
        QTest::newRow("T 3") << "3" << 3;
        QTest::newRow("T 30") << "30" << 30;
        QTest::newRow("T 0") << "0" << 0;
    }
    void onlyLineThreeFilled()
    {
        QFETCH(QString, padRows);
        QFETCH(int, t);
        TypedLinesRequest request = labelRequest(1, {"", "", "third", "", ""});
        request.topPadText = padRows;
        const QStringList lines = transcriptOf(request);
        QCOMPARE(lines.size(), 1 + 1 + t + 5); // page, the leading empty line, T, five text lines
        QCOMPARE(lines[t + 4], gridLine(t + 4, "10", 2, "third"));
        QCOMPARE(lines[t + 3], QStringLiteral("%1 10 |").arg(t + 3));
        QCOMPARE(lines[t + 6], QStringLiteral("%1 10 |").arg(t + 6));
    }

    void centring_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::newRow("20 characters") << "abcdefghijklmnopqrst" << 40;
        QTest::newRow("5 characters, 12.5 spaces round to 12") << "abcde" << 47;
        QTest::newRow("7 characters, 11.5 spaces round to 12") << "abcdefg" << 47;
        QTest::newRow("30 characters") << QString(30, QLatin1Char('x')) << 35;
        QTest::newRow("longer lines get no spaces") << QString(40, QLatin1Char('x')) << 35;
    }
    void centring()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        TypedLinesRequest request = labelRequest(5, {text, "", "", "", ""});
        request.alignment = LineAlignment::Centered;
        QCOMPARE(transcriptOf(request).at(12), gridLine(12, "10", column, text));
    }

    void marginsThatReadAsNothing()
    {
        TypedLinesRequest request = labelRequest(5, {"John", "", "", "", ""});
        request.leftPadText = QStringLiteral("abc");
        request.topPadText = QStringLiteral("abc");
        const QStringList lines = transcriptOf(request);
        QCOMPARE(lines[1], QStringLiteral("1 10 |"));
        QCOMPARE(lines[2], QStringLiteral("2 10 |John"));
    }

    void marginOutsideSixteenBits_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::newRow("indents") << "70000"
                                 << "3";
        QTest::newRow("pad rows") << "2"
                                  << "70000";
        QTest::newRow("negative") << "-40000"
                                  << "3";
    }
    void marginOutsideSixteenBits()
    {
        QFETCH(QString, left);
        QFETCH(QString, top);
        TypedLinesRequest request = labelRequest(1, {"x", "", "", "", ""});
        request.leftPadText = left;
        request.topPadText = top;
        QVERIFY(!composeTypedLines(request));
        RecordingPrintTarget target;
        const Status status = printTypedLines(request, copies(2), target);
        QVERIFY(!status.ok());
        QCOMPARE(target.jobs.size(), 0);
    }

    void eachCopyIsItsOwnJob()
    {
        RecordingPrintTarget target;
        const TypedLinesRequest request = labelRequest(5, {"John", "Main St", "", "", ""});
        QVERIFY(printTypedLines(request, copies(2), target).ok());
        QCOMPARE(target.jobs.size(), 2);
        QCOMPARE(gridTranscript(target.jobs[1].document), gridTranscript(target.jobs[0].document));
        QCOMPARE(gridTranscript(target.jobs[0].document), transcriptOf(request).join(QLatin1Char('\n')) + '\n');
    }

    void cancelledDialogPrintsNothing()
    {
        RecordingPrintTarget target;
        PrintChoice choice = copies(1);
        choice.cancelled = true;
        QVERIFY(printTypedLines(labelRequest(1, {"x", "", "", "", ""}), choice, target).ok());
        QCOMPARE(target.jobs.size(), 0);
    }

    void failedCopyStopsTheRest()
    {
        FailingTarget target(2);
        const Status status = printTypedLines(labelRequest(1, {"x", "", "", "", ""}), copies(3), target);
        QVERIFY(!status.ok());
        QCOMPARE(target.jobs, 2);
    }

    void envelope_data()
    {
        QTest::addColumn<PageOrientation>("orientation");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("size");
        QTest::newRow("landscape bold") << PageOrientation::Landscape << true << "page 1 landscape"
                                        << "12b";
        QTest::newRow("landscape") << PageOrientation::Landscape << false << "page 1 landscape"
                                   << "12";
        QTest::newRow("portrait bold") << PageOrientation::Portrait << true << "page 1 portrait"
                                       << "10b";
    }
    void envelope()
    {
        QFETCH(PageOrientation, orientation);
        QFETCH(bool, bold);
        QFETCH(QString, page);
        QFETCH(QString, size);
        TypedLinesRequest request;
        request.media = PrintMedia::Envelope;
        request.envelopeSizeNo = QStringLiteral("1");
        request.orientation = orientation;
        request.bold = bold;
        request.leftPadText = QStringLiteral("43");
        request.topPadText = QStringLiteral("39");
        request.lines = {"Jane Doe", "", "", "", "Zip"};
        const QStringList lines = transcriptOf(request);
        QCOMPARE(lines.size(), 1 + 1 + 39 + 5); // all of it on one page
        QCOMPARE(lines[0], page);
        QCOMPARE(lines[39], QStringLiteral("39 %1 |").arg(size.left(2))); // pad rows are printed before bold
        QCOMPARE(lines[41], gridLine(41, size, 43, "Jane Doe"));
        QCOMPARE(lines[45], gridLine(45, size, 43, "Zip"));
    }

    void labelStockIsNeverBold()
    {
        TypedLinesRequest request = labelRequest(1, {"x", "", "", "", ""});
        request.bold = true;
        QCOMPARE(transcriptOf(request).at(5), gridLine(5, "10", 2, "x"));
    }
};

QTEST_MAIN(TestTypedLines)
#include "tst_typedlines.moc"
