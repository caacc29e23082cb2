#include "core/contacts/ContactsFile.h"
#include "core/reminders/Reminders.h"
#include "gui/main/MainCaption.h"
#include "gui/main/WindowSettings.h"
#include "gui/platform/FileDialogMemory.h"
#include "gui/platform/FileFilter.h"
#include "gui/session/FileCommands.h"
#include "gui/session/Session.h"
#include "support/ScriptedPlatform.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {
void createFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}
} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void captions()
    {
        QCOMPARE(startupCaption(), QStringLiteral("Quillet - labels, envelopes and an address book"));
        QCOMPARE(fileCaption(QStringLiteral("Friends")), QStringLiteral("Quillet  [Friends]"));
    }

    void contactsFileTitle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper case") << "Friends.DAT"
                                    << "Friends";
        QTest::newRow("lower case stays") << "friends.dat"
                                          << "friends.dat";
        QTest::newRow("mixed case stays") << "Friends.Dat"
                                          << "Friends.Dat";
        QTest::newRow("every occurrence") << "A.DAT.DAT"
                                          << "A";
        QTest::newRow("inside a name") << "my.DATA"
                                       << "myA";
        QTest::newRow("no extension") << "Friends"
                                      << "Friends";
    }
    void contactsFileTitle()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QCOMPARE(quillet::contactsFileTitle(name), title);
    }

    void installerDataFile_data()
    {
        QTest::addColumn<bool>("datBefore");
        QTest::addColumn<bool>("dakBefore");
        QTest::addColumn<bool>("datAfterHide");
        QTest::addColumn<bool>("dakAfterHide");
        QTest::newRow("only .DAT") << true << false << false << true;
        QTest::newRow("neither") << false << false << false << false;
        QTest::newRow("already hidden") << false << true << false << true;
        QTest::newRow("both names taken") << true << true << true << true;
    }
    void installerDataFile()
    {
        QFETCH(bool, datBefore);
        QFETCH(bool, dakBefore);
        QFETCH(bool, datAfterHide);
        QFETCH(bool, dakAfterHide);
        QTemporaryDir folder;
        const QString dat = quillet::installerDataFile(folder.path());
        const QString dak = hiddenInstallerDataFile(folder.path());
        QCOMPARE(dat, folder.filePath(QStringLiteral("unins000.DAT")));
        if (datBefore)
            createFile(dat);
        if (dakBefore)
            createFile(dak);
        QVERIFY(hideInstallerDataFile(folder.path()).ok());
        QCOMPARE(QFile::exists(dat), datAfterHide);
        QCOMPARE(QFile::exists(dak), dakAfterHide);
        QVERIFY(restoreInstallerDataFile(folder.path()).ok());
        QCOMPARE(QFile::exists(dat), datBefore || dakBefore);
        QCOMPARE(QFile::exists(dak), datBefore && dakBefore);
    }

    void qtNameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("data files") << "Data Files (*.DAT)|*.DAT" << QStringList{"Data Files (*.DAT) (*.[dD][aA][tT])"};
        QTest::newRow("two entries, two patterns")
            << "CSV (*.csv)|*.csv;*.txt|All (*.*)|*.*"
            << QStringList{"CSV (*.csv) (*.[cC][sS][vV] *.[tT][xX][tT])", "All (*.*) (*.*)"};
    }
    void qtNameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(quillet::qtNameFilters(filter), expected);
    }

    // New and Open are one dialog; a CSV picked for import is never offered there.
    void fileDialogMemory()
    {
        const FileDialogRequest newDialog = contactsFileDialogRequest(FileCommand::New, QStringLiteral("/q"));
        const FileDialogRequest openDialog = contactsFileDialogRequest(FileCommand::Open, QStringLiteral("/q"));
        const FileDialogRequest importDialog{QStringLiteral("Open"), QStringLiteral("/q"),
                                             QStringLiteral("CSV Files (*.CSV)|*.CSV"), false};
        FileDialogMemory memory;
        QCOMPARE(memory.lastChosen(openDialog), QString());
        memory.remember(openDialog, QStringLiteral("/home/ann/Friends.DAT"));
        memory.remember(importDialog, QStringLiteral("/q/google.csv"));
        QCOMPARE(memory.lastChosen(newDialog), QStringLiteral("/home/ann/Friends.DAT"));
        QCOMPARE(memory.lastChosen(openDialog), QStringLiteral("/home/ann/Friends.DAT"));
        QCOMPARE(memory.lastChosen(importDialog), QStringLiteral("/q/google.csv"));
        memory.remember(newDialog, QString()); // a cancelled dialog keeps the name
        QCOMPARE(memory.lastChosen(openDialog), QStringLiteral("/home/ann/Friends.DAT"));
    }

    // The bracket form must be read by Qt's own wildcard matching as case-blind.
    void caseInsensitivePatternMatches_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("matches");
        QTest::newRow("upper") << "Friends.DAT" << true;
        QTest::newRow("lower") << "friends.dat" << true;
        QTest::newRow("mixed") << "friends.Dat" << true;
        QTest::newRow("other extension") << "friends.dab" << false;
        QTest::newRow("longer extension") << "friends.data" << false;
    }
    void caseInsensitivePatternMatches()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, matches);
        const QRegularExpression pattern =
            QRegularExpression::fromWildcard(caseInsensitivePattern(QStringLiteral("*.DAT")), Qt::CaseSensitive);
        QCOMPARE(pattern.match(fileName).hasMatch(), matches);
    }

    void twips_data()
    {
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("96 dpi") << QRect(10, 20, 640, 480) << 96.0 << QList<int>{150, 300, 9600, 7200};
        QTest::newRow("120 dpi") << QRect(10, 20, 640, 480) << 120.0 << QList<int>{120, 240, 7680, 5760};
        QTest::newRow("rounded") << QRect(-1, 1, 7, 1) << 137.0 << QList<int>{-11, 11, 74, 11};
    }
    void twips()
    {
        QFETCH(QRect, pixels);
        QFETCH(double, dpi);
        QFETCH(QList<int>, expected);
        const TwipsRect t = toTwips(pixels, dpi);
        QCOMPARE(QList<int>({t.left, t.top, t.width, t.height}), expected);
    }

    // Record 1, which holds the reminder switch, cannot be read while another program
    // writes: Open fails instead of taking the switch for off (new contacts would get
    // flag "0") and leaves no file open.
    void openWithUnreadableSwitchFails()
    {
        qputenv("QUILLET_LOCK_WAIT_MS", "50");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Club.DAT"));
        ContactsFile writer;
        QVERIFY(writer.open(path, Creation::CreateIfMissing).ok());
        ContactRecord record;
        record.set(Field::ReminderFlag, QStringLiteral("1"));
        QVERIFY(writer.append(record).ok());
        const ContactsFileLock writing(writer, LockKind::Exclusive);
        QVERIFY(writing.status().ok());
        Session session;
        ScriptedFileDialogs dialogs;
        dialogs.answers.enqueue({path, QStringLiteral("Club.DAT")});
        const FileCommandOutcome outcome =
            runFileCommand(FileCommand::Open, session, dialogs, dir.path(), QDate(2024, 5, 1));
        QCOMPARE(outcome.status.error().description, fileInUseText);
        QVERIFY(!session.hasFile());
        QCOMPARE(int(session.reminderSwitch()), int(reminders::Switch::None));
        qunsetenv("QUILLET_LOCK_WAIT_MS");
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
