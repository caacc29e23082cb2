// Contacts files opened without the file dialog: `quillet FILE` and File > Open Recent.
#include "support/MainWindowFixture.h"

#include "app/CommandLine.h"
#include "core/common/ProgramFolder.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ExportWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

using namespace quillet;
using quillet::test::MainWindowFixture;

namespace {

QString newContactsFile(const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    ContactsFile file;
    if (!file.open(path, Creation::CreateIfMissing))
        return {};
    ContactRecord record;
    record.set(Field::FirstName, QStringLiteral("Ann"));
    record.set(Field::LastName, QStringLiteral("Cole"));
    record.set(Field::ReminderFlag, QStringLiteral("0"));
    return file.append(record) ? path : QString();
}

QStringList recentItems(const MainWindowFixture& f)
{
    auto* menu = f.get<QMenu>("mnuFileRecent");
    emit menu->aboutToShow();
    QStringList items;
    for (const QAction* item : menu->actions())
        items << item->text();
    return items;
}

QAction* recentItem(const MainWindowFixture& f, int index)
{
    return f.get<QMenu>("mnuFileRecent")->actions().value(index);
}

} // namespace

class TestOpenRecent : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().remove(QStringLiteral("Settings/RecentFiles")); }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<QString>("messageStart");
        QTest::newRow("nothing") << QStringList{"quillet"} << "" << false << "";
        QTest::newRow("a file") << QStringList{"quillet", "Club Members.DAT"} << "Club Members.DAT" << false << "";
        QTest::newRow("version") << QStringList{"quillet", "--version"} << "" << false << "Quillet Version ";
        QTest::newRow("help") << QStringList{"quillet", "--help"} << "" << false << "Usage: ";
        QTest::newRow("unknown option") << QStringList{"quillet", "--print"} << "" << true << "Unknown option";
        QTest::newRow("two files") << QStringList{"quillet", "a.DAT", "b.DAT"} << "" << true << "Give one";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(bool, failed);
        QFETCH(QString, messageStart);
        const CommandLine read = readCommandLine(arguments);
        QCOMPARE(read.file, file);
        QCOMPARE(read.failed, failed);
        if (messageStart.isEmpty())
            QCOMPARE(read.message, QString());
        else
            QVERIFY2(read.message.startsWith(messageStart), qPrintable(read.message));
    }

    // A file named on the command line, also relative to the current folder.
    void opensTheFileGiven()
    {
        MainWindowFixture f;
        const QDir home(f.home.path());
        const QString path = newContactsFile(home, QStringLiteral("Friends.DAT"));
        QVERIFY(!path.isEmpty());
        const QString before = QDir::currentPath();
        QDir::setCurrent(home.path());
        f.window->openFile(QStringLiteral("Friends.DAT"));
        QDir::setCurrent(before);
        QVERIFY(f.window->session().hasFile());
        QCOMPARE(f.window->session().filePath(), path);
        QCOMPARE(f.window->session().file().count(), 1);
        QCOMPARE(recentItems(f), QStringList{"&1 " + QDir::toNativeSeparators(path)});

        // A name that names nothing is reported; the open file stays open.
        f.window->openFile(home.filePath(QStringLiteral("Gone.DAT")));
        QCOMPARE(f.scripted.prompter.messages.last().title, QStringLiteral("File not found"));
        QCOMPARE(f.window->session().filePath(), path);
    }

    // The program's folder is made by the first file written into it, not by opening
    // and closing contacts files.
    void programFolderWaitsForAWrite()
    {
        MainWindowFixture f;
        const QString folder = QDir(f.home.path()).filePath(QStringLiteral("Quillet"));
        qputenv("QUILLET_HOME", folder.toUtf8());
        f.window->openFile(newContactsFile(QDir(f.home.path()), QStringLiteral("Friends.DAT")));
        QVERIFY(f.window->session().hasFile());
        f.action("mnuFileClose")->trigger();
        QVERIFY(!QFileInfo::exists(folder));
        ContactsFile file;
        QVERIFY(file.open(QDir(f.home.path()).filePath(QStringLiteral("Friends.DAT")), Creation::ExistingOnly));
        const Result<ExportSummary> exported = exportContacts(file, ExportKind::Csv, programFolder());
        QVERIFY(exported.ok());
        QVERIFY(QFileInfo(exported->path).isFile());
        QCOMPARE(QFileInfo(exported->path).absolutePath(), folder);
    }

    // The last five files, newest first; one that is gone is taken off with a message.
    void openRecentKeepsFiveAndDropsTheMissing()
    {
        MainWindowFixture f;
        const QDir home(f.home.path());
        QStringList paths;
        for (int i = 1; i <= 6; ++i) {
            paths << newContactsFile(home, QStringLiteral("Club%1.DAT").arg(i));
            f.window->openFile(paths.last());
        }
        QStringList expected;
        for (int i = 6; i >= 2; --i)
            expected << QStringLiteral("&%1 ").arg(7 - i) + QDir::toNativeSeparators(paths[i - 1]);
        QCOMPARE(recentItems(f), expected);

        // Club4.DAT is third; it is gone when chosen.
        QVERIFY(QFile::remove(paths[3]));
        recentItem(f, 2)->trigger();
        QCOMPARE(f.scripted.prompter.messages.last().title, QStringLiteral("File not found"));
        QVERIFY(f.scripted.prompter.messages.last().text.contains(QDir::toNativeSeparators(paths[3])));
        QCOMPARE(f.window->session().filePath(), paths[5]);
        expected.removeAt(2);
        expected[2].replace(0, 2, QStringLiteral("&3"));
        expected[3].replace(0, 2, QStringLiteral("&4"));
        QCOMPARE(recentItems(f), expected);

        // Chosen, a file is opened and goes first.
        recentItem(f, 3)->trigger();
        QCOMPARE(f.window->session().filePath(), paths[1]);
        QCOMPARE(recentItems(f).first(), "&1 " + QDir::toNativeSeparators(paths[1]));
    }
};

QTEST_MAIN(TestOpenRecent)
#include "tst_openrecent.moc"
