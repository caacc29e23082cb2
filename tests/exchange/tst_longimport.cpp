// A 500,000-contact import, as the Import window runs it: the window keeps
// answering while the contacts are read, and Cancel leaves the file as it was.
#include "core/contacts/ContactsFile.h"
#include "gui/exchange/ImportWindow.h"
#include "support/TestFiles.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
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

constexpr int contactCount = 500000;

// Quillet's own CSV layout, one distinct contact a line.
QString writeBigCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QByteArray text = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                      "Work Phone,Email,Birthdate,Category,Notes\r\n";
    for (int i = 1; i <= contactCount; ++i) {
        const QByteArray n = QByteArray::number(i);
        text +=
            "Pat" + n + ",Q,Lee" + n + "," + n + " Main St,,Springfield,IL,62701,,,,,pat" + n + "@example.org,,,\r\n";
        if (text.size() > (1 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    file.write(text);
    return path;
}

// The longest time between two turns of the event loop while it runs.
class GapMeter : public QObject
{
public:
    GapMeter()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 gap = m_sinceLast.restart();
            if (gap > m_longest) {
                m_longest = gap;
                m_longestEnded = m_total.elapsed();
            }
        });
        m_timer.start(5);
        m_sinceLast.start();
        m_total.start();
    }
    qint64 longest() const { return m_longest; }
    // When the longest gap ended, from the start.
    qint64 longestEnded() const { return m_longestEnded; }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    QElapsedTimer m_total;
    qint64 m_longest = 0;
    qint64 m_longestEnded = 0;
};

} // namespace

class TestLongImport : public QObject, test::WindowFixture
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_csv;

    // The Import window with the big file chosen; Import still to be clicked.
    std::unique_ptr<ImportWindow> importWindow(const QString& contactsName)
    {
        const QString path = m_dir.filePath(contactsName);
        if (!openContacts(path, contactsName))
            return nullptr;
        auto window = std::make_unique<ImportWindow>(*m_session, *m_platform, m_host);
        window->show();
        return window;
    }

    void chooseBigFile(ImportWindow& window)
    {
        m_scripted->fileDialogs.answers.enqueue({m_csv, QStringLiteral("big.csv")});
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        qputenv("QUILLET_HOME", m_dir.path().toUtf8());
        QStandardPaths::setTestModeEnabled(true);
        m_csv = writeBigCsv(m_dir.filePath(QStringLiteral("big.csv")));
        QVERIFY(!m_csv.isEmpty());
    }
    void init() { resetWindowFixture(); }

    void windowKeepsAnswering()
    {
        auto window = importWindow(QStringLiteral("Big.DAT"));
        QVERIFY(window);
        // From choosing the file, which reads it for the summary, to the end of the import.
        GapMeter gaps;
        chooseBigFile(*window);
        bool progressShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] { progressShown = progressShown || shownProgress(); });
        watch.start(50);
        QTest::mouseClick(child<QPushButton>(*window, "cmdStartImport"), Qt::LeftButton);
        const qint64 longest = gaps.longest();
        QCOMPARE(m_scripted->prompter.messages.last().text,
                 QStringLiteral("D O N E !  500000 contacts successfully imported."));
        QCOMPARE(m_session->file().count(), contactCount);
        QVERIFY(progressShown);
        QVERIFY2(longest <= 100, qPrintable(QStringLiteral("the event loop stood still for %1 ms, until %2 ms")
                                                .arg(longest)
                                                .arg(gaps.longestEnded())));
    }

    void cancelLeavesTheFileAsItWas()
    {
        const QString name = QStringLiteral("Kept.DAT");
        auto window = importWindow(name);
        QVERIFY(window);
        chooseBigFile(*window);
        ContactRecord record;
        record.set(Field::FirstName, QStringLiteral("Ann"));
        record.set(Field::LastName, QStringLiteral("Cole"));
        QVERIFY(m_session->file().append(record).ok());
        const QByteArray before = test::readBytes(m_dir.filePath(name));
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, this, [&] {
            if (QProgressDialog* progress = shownProgress()) {
                cancel.stop();
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            }
        });
        cancel.start(50);
        QTest::mouseClick(child<QPushButton>(*window, "cmdStartImport"), Qt::LeftButton);
        QVERIFY(!cancel.isActive()); // it was shown, and cancelled
        QCOMPARE(m_scripted->prompter.messages.last().text,
                 QStringLiteral("Import cancelled: no contacts were imported."));
        QCOMPARE(test::readBytes(m_dir.filePath(name)), before);
        QCOMPARE(m_session->file().count(), 1);
        // The window is the user's again.
        QVERIFY(window->isEnabled());
        QVERIFY(child<QPushButton>(*window, "cmdStartImport")->isEnabled());
    }
};

QTEST_MAIN(TestLongImport)
#include "tst_longimport.moc"
