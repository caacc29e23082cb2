// Labels for 300,000 listed contacts, printed to a PDF file as the list window
// runs them: a progress dialog with Cancel shows while they print (at once here),
// the file comes out whole, and Cancel leaves no file behind.
#include "ListTestData.h"
#include "gui/list/ContactListWindow.h"
#include "gui/widgets/LongWorkWait.h"
#include "output/PdfPrintTarget.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace quillet;
using test::child;
using test::shownProgress;

namespace {

constexpr int contactCount = 300000;

bool writeManyContacts(const QString& path)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    for (int i = 1; i <= contactCount; ++i) {
        const QString n = QString::number(i);
        if (out.write(
                test::person(QStringLiteral("Pat") + n, QStringLiteral("Lee"), QStringLiteral("Leeds")).toBytes()) !=
            recordSize)
            return false;
    }
    return true;
}

} // namespace

class TestLongPrint : public QObject, test::WindowFixture
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_pdf;
    std::unique_ptr<PdfPrintTarget> m_target;
    std::unique_ptr<ContactListWindow> m_window;
    QString m_progressLabel;

    // Lists every contact, then prints its labels; `cancel` presses Cancel on
    // the print's progress as soon as it shows.
    void printLabels(bool cancel)
    {
        PrintChoice choice;
        choice.cancelled = false;
        m_scripted->printDialog.answers << choice;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            QProgressDialog* progress = shownProgress();
            if (!progress || progress->labelText() != QStringLiteral("Printing labels…"))
                return;
            m_progressLabel = progress->labelText();
            if (cancel) {
                watch.stop();
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            }
        });
        watch.start(20);
        child<QPushButton>(*m_window, "cmdPrintLabels")->click();
    }

private slots:
    void initTestCase()
    {
        qputenv("QUILLET_HOME", m_dir.path().toUtf8());
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(writeManyContacts(m_dir.filePath(QStringLiteral("Many.DAT"))));
        // These labels print in well under half a second on a fast machine.
        LongWorkWait::showAfterMs = 0;
    }
    void init()
    {
        resetWindowFixture();
        QVERIFY(openContacts(m_dir.filePath(QStringLiteral("Many.DAT")), QStringLiteral("Many")));
        m_pdf = m_dir.filePath(QStringLiteral("labels.pdf"));
        QFile::remove(m_pdf);
        m_target = std::make_unique<PdfPrintTarget>(m_pdf);
        m_platform = std::make_unique<Platform>(Platform{m_scripted->prompter, m_scripted->fileDialogs,
                                                         m_scripted->printDialog, *m_target, m_scripted->desktop,
                                                         m_scripted->labelDialogs, nullptr, nullptr});
        m_host.platform = m_platform.get();
        m_window = std::make_unique<ContactListWindow>(*m_session, *m_platform, m_host);
        m_window->startFromMenu();
        child<QPushButton>(*m_window, "cmdACGetReport")->click();
        m_progressLabel.clear();
    }
    void cleanup() { m_window.reset(); }

    void printsEveryPageWithProgress()
    {
        printLabels(false);
        QCOMPARE(m_progressLabel, QStringLiteral("Printing labels…"));
        QVERIFY(m_scripted->prompter.messages.isEmpty());
        QVERIFY(QFile::exists(m_pdf));
        const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
        if (qpdf.isEmpty())
            QSKIP("qpdf is not installed to count the pages");
        QProcess count;
        count.start(qpdf, {QStringLiteral("--show-npages"), m_pdf});
        QVERIFY(count.waitForFinished(60000));
        QCOMPARE(count.readAllStandardOutput().trimmed(), QByteArray("10000")); // 30 labels a page
    }

    void cancelLeavesNoFile()
    {
        printLabels(true);
        QCOMPARE(m_progressLabel, QStringLiteral("Printing labels…"));
        // The user's own cancel needs no box.
        QVERIFY(m_scripted->prompter.messages.isEmpty());
        QVERIFY(!QFile::exists(m_pdf));
        QVERIFY(m_window->isEnabled());
    }
};

QTEST_MAIN(TestLongPrint)
#include "tst_longprint.moc"
