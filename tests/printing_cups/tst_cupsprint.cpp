#include "core/contacts/ContactRecord.h"
#include "core/list/ListReport.h"
#include "core/printing/PrintRunner.h"
#include "core/printing/ReturnAddress.h"
#include "core/printing/TypedLines.h"
#include "core/printing/pdf/PrintFonts.h"
#include "output/CupsPrintTarget.h"
#include "output/PdfPrintTarget.h"
#include "support/ChildRun.h"
#include "support/PdfWords.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cups/cups.h>

using namespace quillet;

namespace {

// Label position 5 of a 30-label sheet: one page.
GridDocument labelDocument()
{
    TypedLinesRequest request;
    request.lines = {QStringLiteral("John Smith"), QStringLiteral("1 Main St"),
                     QStringLiteral("Springfield, IL  62701"), QString(), QString()};
    request.media = PrintMedia::Label;
    request.leftPadText = QStringLiteral("35");
    request.topPadText = QStringLiteral("10");
    const std::optional<GridDocument> document = composeTypedLines(request);
    return document ? *document : GridDocument();
}

// A title no other job has, so that this run's PDFs can be told apart.
QString uniqueTitle(const char* what)
{
    return QStringLiteral("quillet-test-%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(QLatin1String(what));
}

// The PDFs cups-pdf has finished for jobs titled `title`: it names each file
// after the title and the job number.
QStringList arrivedPdfs(const QString& folder, const QString& title)
{
    QStringList found;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
    for (const QFileInfo& file : files)
        if (file.fileName().contains(title) && file.size() > 0)
            found << file.absoluteFilePath();
    return found;
}

QStringList waitForPdfs(const QString& folder, const QString& title, int count)
{
    QElapsedTimer timer;
    timer.start();
    QStringList found;
    while (timer.elapsed() < 90000) {
        found = arrivedPdfs(folder, title);
        if (found.size() >= count)
            break;
        QTest::qWait(250);
    }
    // A file appears before cups-pdf has finished writing it; let it settle.
    QTest::qWait(1000);
    return arrivedPdfs(folder, title);
}

// "595 x 842" from pdfinfo's "Page size:" line.
QString pdfPageSize(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0)
        return {};
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+ x [0-9.]+)"))
                                              .match(QString::fromUtf8(pdfinfo.readAllStandardOutput()));
    return match.captured(1);
}

int pdfPages(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0)
        return -1;
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(QString::fromUtf8(pdfinfo.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The newest job of the queue, finished or not, with this title; 0 when none.
// `state` receives its state.
int jobTitled(const QString& queue, const QString& title, ipp_jstate_t* state = nullptr)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int found = 0;
    for (int index = 0; index < count; ++index) {
        if (QString::fromUtf8(jobs[index].title) == title && jobs[index].id > found) {
            found = jobs[index].id;
            if (state)
                *state = jobs[index].state;
        }
    }
    cupsFreeJobs(count, jobs);
    return found;
}

// A job attribute as the scheduler holds it ("media": the paper).
QString jobAttribute(int job, const char* name)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
                 QStringLiteral("ipp://localhost/jobs/%1").arg(job).toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    const QString value = attribute ? QString::fromUtf8(ippGetString(attribute, 0, nullptr)) : QString();
    ippDelete(response);
    return value;
}

// The PDF the queue made of a job: cups-pdf and the private test queue both end
// its name with the job number.
QString pdfOfJob(const QString& folder, int job)
{
    const QRegularExpression name(QStringLiteral("job_?%1\\.pdf$").arg(job));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 90000) {
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QFileInfo& file : files) {
            if (name.match(file.fileName()).hasMatch() && file.size() > 0) {
                QTest::qWait(1000); // cups-pdf may still be writing it
                return file.absoluteFilePath();
            }
        }
        QTest::qWait(250);
    }
    return {};
}

constexpr double renderDpi = 144;

// The first page of a PDF rendered in grey.
QImage renderedPage(const QString& pdf, const QString& stem)
{
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"),
                                                QString::number(renderDpi), QStringLiteral("-singlefile"), pdf, stem});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(stem + QStringLiteral(".pgm"));
}

// The bounds of the ink inside `area`, both in points from the page's corner.
QRectF inkIn(const QImage& page, const QRectF& area)
{
    const double scale = renderDpi / 72;
    const QRect pixels = QRectF(area.topLeft() * scale, area.bottomRight() * scale).toAlignedRect() & page.rect();
    QRect ink;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink.isEmpty() ? QRectF() : QRectF(QPointF(ink.topLeft()) / scale, QSizeF(ink.size()) / scale);
}

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(!labelDocument().isEmpty());
        m_queue = qEnvironmentVariable("QUILLET_TEST_PRINTER");
        m_out = qEnvironmentVariable("QUILLET_TEST_PRINTER_OUT");
    }

    void init()
    {
        const char* test = QTest::currentTestFunction();
        if (qstrcmp(test, "missingQueue_fails") == 0)
            return;
        if (m_queue.isEmpty() || m_out.isEmpty())
            QSKIP("no PDF print queue: run through scripts/test, which sets QUILLET_TEST_PRINTER up");
        if (QPrinterInfo::printerInfo(m_queue).isNull())
            QSKIP("the CUPS queue named by QUILLET_TEST_PRINTER is not available (is cupsd running?)");
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo (poppler-utils) is not installed");
    }

    void oneLabel_arrivesAsOnePagePdf()
    {
        const QString title = uniqueTitle("one");
        CupsPrintTarget target;
        const Status status = target.print(labelDocument(), PrintJob{m_queue, title});
        QVERIFY2(status.ok(), qPrintable(status.error().description));
        const QStringList pdfs = waitForPdfs(m_out, title, 1);
        m_arrived << pdfs;
        QCOMPARE(pdfs.size(), 1);
        QCOMPARE(pdfPages(pdfs.first()), 1);
    }

    void twoCopies_arriveAsTwoJobs()
    {
        const QString title = uniqueTitle("two");
        CupsPrintTarget target;
        PrintChoice choice;
        choice.cancelled = false;
        choice.printerName = m_queue;
        choice.copies = 2;
        const Status status = printCopies(labelDocument(), choice, target, title);
        QVERIFY2(status.ok(), qPrintable(status.error().description));
        const QStringList pdfs = waitForPdfs(m_out, title, 2);
        m_arrived << pdfs;
        QCOMPARE(pdfs.size(), 2);
        for (const QString& pdf : pdfs)
            QCOMPARE(pdfPages(pdf), 1);
    }

    // The job's paper, not the queue's default, reaches the printer.
    void jobPaper_arrives_data()
    {
        QTest::addColumn<bool>("a4");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("media");
        QTest::newRow("A4") << true << "595 x 842"
                            << "iso_a4_210x297mm";
        QTest::newRow("Letter") << false << "612 x 792"
                                << "na_letter_8.5x11in";
    }
    void jobPaper_arrives()
    {
        QFETCH(bool, a4);
        QFETCH(QString, size);
        QFETCH(QString, media);
        const QString title = uniqueTitle(a4 ? "a4" : "letter");
        GridDocument document = labelDocument();
        document.setPaper(a4 ? Paper::a4() : Paper::letter());
        CupsPrintTarget target;
        const Status status = target.print(document, PrintJob{m_queue, title});
        QVERIFY2(status.ok(), qPrintable(status.error().description));
        const QStringList pdfs = waitForPdfs(m_out, title, 1);
        m_arrived << pdfs;
        QCOMPARE(pdfs.size(), 1);
        QCOMPARE(pdfPageSize(pdfs.first()), size);
        QCOMPARE(jobAttribute(jobTitled(m_queue, title), "media"), media);
    }

    // quillet-cli's labels for a whole file: one job on Letter, titled after the
    // file and its contacts, 30 labels a page.
    void cliLabels_arriveTitledOnTheirPaper()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Friends.DAT"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int n = 1; n <= 1234; ++n) {
            ContactRecord record;
            record.set(Field::FirstName, QStringLiteral("Ann%1").arg(n));
            record.set(Field::LastName, QStringLiteral("Lee"));
            record.set(Field::Street1, QStringLiteral("%1 Elm Rd").arg(n));
            record.set(Field::City, QStringLiteral("Troy"));
            QCOMPARE(file.write(record.toBytes()), qint64(recordSize));
        }
        file.close();
        const QString title = QStringLiteral("Labels – Friends (1,234 contacts)");
        const int before = jobTitled(m_queue, title);
        const test::ChildResult cli = test::runCli({"labels", path, "--printer", m_queue});
        QVERIFY2(cli.exitCode == 0, qPrintable(cli.err));
        const int job = jobTitled(m_queue, title);
        QVERIFY(job > before);
        QCOMPARE(jobAttribute(job, "media"), QStringLiteral("na_letter_8.5x11in"));
        const QString pdf = pdfOfJob(m_out, job);
        QVERIFY(!pdf.isEmpty());
        m_arrived << pdf;
        QCOMPARE(pdfPageSize(pdf), QStringLiteral("612 x 792"));
        QCOMPARE(pdfPages(pdf), 42); // 1,234 / 30, rounded up
    }

    // The printer gets the places a PDF file gets. The queue's PDF carries the text
    // as bitmap glyphs whose boxes pdftotext cannot tell, so the ink on each label
    // of a return-address sheet is compared, rendered: within 1.4 points of the
    // file's, and inside the label.
    void returnAddressSheet_landsWhereTheFileDoes()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        const GridDocument document =
            returnaddress::compose({QString(24, u'A'), QString(24, u'B'), QString(24, u'C'), {}, {}});
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
        QVERIFY(PdfPrintTarget(file).print(document, PrintJob{}).ok());
        const QString title = uniqueTitle("places");
        PrintJob job;
        job.printerName = m_queue;
        job.documentName = title;
        job.offsetMm = QPointF(); // whatever offset this machine stores for the queue
        const Status status = CupsPrintTarget().print(document, job);
        QVERIFY2(status.ok(), qPrintable(status.error().description));
        const QStringList pdfs = waitForPdfs(m_out, title, 1);
        m_arrived << pdfs;
        QCOMPARE(pdfs.size(), 1);

        const QImage written = renderedPage(file, dir.filePath(QStringLiteral("written")));
        const QImage arrived = renderedPage(pdfs.first(), dir.filePath(QStringLiteral("arrived")));
        QVERIFY(!written.isNull() && !arrived.isNull());
        for (int label = 0; label < 80; ++label) {
            const QRectF cell = test::avery5167Label(label).adjusted(-11, 0, 11, 0); // half the gap across
            const QRectF expected = inkIn(written, cell);
            const QRectF got = inkIn(arrived, cell);
            const QString where = QString::asprintf(
                "label %d: file %.1f,%.1f-%.1f,%.1f, printer %.1f,%.1f-%.1f,%.1f", label + 1, expected.left(),
                expected.top(), expected.right(), expected.bottom(), got.left(), got.top(), got.right(), got.bottom());
            QVERIFY2(!got.isEmpty(), qPrintable(where));
            for (const double edge : {got.left() - expected.left(), got.top() - expected.top(),
                                      got.right() - expected.right(), got.bottom() - expected.bottom()})
                QVERIFY2(qAbs(edge) <= 1.4, qPrintable(where));
            QVERIFY2(test::avery5167Label(label).adjusted(0.5, 0.5, -0.5, -0.5).contains(got), qPrintable(where));
        }
    }

    // A landscape report with the dialog's automatic duplex binds on the short
    // edge: the target reads the stream's first piece ahead for its orientation.
    void reportStream_automaticDuplex()
    {
        const QString title = uniqueTitle("report");
        QStringList lines;
        for (int n = 1; n <= 80; ++n)
            lines << QStringLiteral("Lee, Ann%1\t%1 Elm Rd\tTroy").arg(n);
        GridStream stream = reportStream(lines, QStringLiteral("Friends"));
        PrintJob job{m_queue, title};
        job.settings.duplex = Duplex::Auto;
        const Status status = CupsPrintTarget().printStream(stream, job);
        QVERIFY2(status.ok(), qPrintable(status.error().description));
        const int sent = jobTitled(m_queue, title);
        QVERIFY(sent > 0);
        QCOMPARE(jobAttribute(sent, "sides"), QStringLiteral("two-sided-short-edge"));
        const QString pdf = pdfOfJob(m_out, sent);
        QVERIFY(!pdf.isEmpty());
        m_arrived << pdf;
        QCOMPARE(pdfPages(pdf), 2);
    }

    // A stream that stops after its first hundred pages (another program changed
    // the contacts file) cancels the job the scheduler has begun to receive.
    void stoppedStream_cancelsTheJob()
    {
        GridStream stream;
        stream.next = [pages = 0](GridDocument& chunk) mutable {
            for (int line = 1; line <= 60; ++line)
                chunk.printLine(2, QStringLiteral("page %1 line %2 %3").arg(pages).arg(line).arg(pages * line * 7919));
            chunk.newPage();
            return ++pages <= 100;
        };
        stream.stoppedBy = [] { return Status(errors::fileChanged()); };
        const QString title = uniqueTitle("stopped");
        const Status status = CupsPrintTarget().printStream(stream, PrintJob{m_queue, title});
        QCOMPARE(status.error().description, fileChangedText);
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        QVERIFY(jobTitled(m_queue, title, &state) > 0);
        QCOMPARE(int(state), int(IPP_JSTATE_CANCELED));
    }

    // Without Liberation Mono no job reaches the queue.
    void missingFont_sendsNoJob()
    {
        QTemporaryDir noFonts;
        PrintFonts fonts({noFonts.path()});
        const QString title = uniqueTitle("no-font");
        const Status status = CupsPrintTarget(&fonts).print(labelDocument(), PrintJob{m_queue, title});
        QCOMPARE(status.error().description,
                 QStringLiteral("Liberation Mono was not found (package fonts-liberation2)"));
        QCOMPARE(jobTitled(m_queue, title), 0);
    }

    void missingQueue_fails()
    {
        CupsPrintTarget target;
        const Status status =
            target.print(labelDocument(), PrintJob{uniqueTitle("no-such-queue"), QStringLiteral("x")});
        QVERIFY(!status.ok());
    }

    void cleanupTestCase()
    {
        for (const QString& pdf : std::as_const(m_arrived))
            QFile::remove(pdf);
    }

private:
    QStringList m_arrived; // this run's PDFs, removed at the end
    QString m_queue;
    QString m_out;
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
