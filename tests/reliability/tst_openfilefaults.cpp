#include "FaultRecords.h"
#include "support/TestFiles.h"

#include "gui/editing/AddContactWindow.h"
#include "gui/editing/ContactWindow.h"
#include "gui/exchange/ExportWindow.h"
#include "gui/exchange/ImportWindow.h"
#include "gui/main/MainWindow.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace quillet;
using namespace quillet::test;

namespace {

class QuietHost : public WindowHost
{
public:
    void returnToMainWindow() override {}
    void quitProgram() override {}
    void showAbout() override {}
    QStringList labelLines() const override { return QStringList(5, QString()); }
    void fillLabelLines(const QStringList&) override {}
    void openContactWindow(int) override {}
    QWidget* openContactOver(QWidget*, int, const ContactEdits&) override { return nullptr; }
};

enum class Change { Removed, Replaced };

} // namespace

Q_DECLARE_METATYPE(Change)

// The open contacts file removed, or replaced by another file, while a window
// holds it: every writer shows its error box, writes nothing anywhere, and a
// replacement keeps every byte it has.
class TestOpenFileFaults : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_home; // the program's folder
    QString m_path;
    QByteArray m_replacement;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<ScriptedPlatform> m_scripted;
    std::unique_ptr<Platform> m_platform;
    QuietHost m_host;

    void change(Change how)
    {
        QVERIFY(QFile::remove(m_path));
        if (how == Change::Replaced)
            QVERIFY(writeBytes(m_path, m_replacement));
    }

    // The error box the writer showed, answered with Retry.
    QString shownError() const
    {
        const QList<ShownMessage>& shown = m_scripted->prompter.messages;
        return shown.isEmpty() ? QString() : shown.last().title + u'|' + shown.last().text;
    }

    // A removed file is reported; over a replaced one a contact on show is not
    // written, since the record under its number is another one now.
    static QString expectedBox(Change how, const char* notify = "author")
    {
        if (how == Change::Replaced)
            return QStringLiteral("Contact changed|This contact was changed by another program. Reload it?");
        return QStringLiteral(
                   "Error|An error has occurred. Error number 53 -- File not found.  Try again, or notify %1.")
            .arg(QLatin1String(notify));
    }

    void checkFolderAfter(Change how)
    {
        if (how == Change::Removed) {
            QCOMPARE(folderEntries(m_dir.path()), QStringList());
        } else {
            QCOMPARE(folderEntries(m_dir.path()), QStringList{"Friends.DAT"});
            QCOMPARE(readBytes(m_path), m_replacement);
        }
    }

    static void addCases()
    {
        QTest::addColumn<Change>("how");
        QTest::newRow("removed") << Change::Removed;
        QTest::newRow("replaced") << Change::Replaced;
    }

private slots:
    void initTestCase() { QVERIFY(qputenv("QUILLET_HOME", QFile::encodeName(m_home.path()))); }

    void init()
    {
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("Friends.DAT"));
        QVERIFY(writeBytes(m_path, people(3)));
        m_replacement = people(5, QStringLiteral("0")).replace("First", "Other");
        m_session = std::make_unique<Session>();
        QVERIFY(m_session->file().open(m_path, quillet::Creation::CreateIfMissing).ok());
        m_session->setOpenFile(m_path, QStringLiteral("Friends"));
        m_session->setReminderSwitch(reminders::Switch::On);
        m_scripted = std::make_unique<ScriptedPlatform>();
        m_platform = std::make_unique<Platform>(m_scripted->platform());
        m_scripted->prompter.messageAnswers << MessageResult::Retry;
    }
    void cleanup()
    {
        m_session.reset();
        for (const QString& name : folderEntries(m_dir.path()))
            QFile::remove(QDir(m_dir.path()).filePath(name));
    }

    void addContact_data() { addCases(); }
    void addContact()
    {
        QFETCH(Change, how);
        QPointer<AddContactWindow> window = new AddContactWindow(*m_session, *m_platform, m_host);
        window->show();
        window->findChild<QLineEdit*>(QStringLiteral("txtACLName"))->setText(QStringLiteral("Late"));
        change(how);
        window->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        if (how == Change::Replaced) {
            // A new contact goes at the end of the file that replaced the old one.
            QCOMPARE(shownError(), QStringLiteral("Contact saved to file|S A V E D"));
            QCOMPARE(readBytes(m_path).left(m_replacement.size()), m_replacement);
            QCOMPARE(readBytes(m_path).size(), m_replacement.size() + recordSize);
        } else {
            QCOMPARE(shownError(), expectedBox(how));
            checkFolderAfter(how);
        }
        delete window;
    }

    void saveChanges_data() { addCases(); }
    void saveChanges()
    {
        QFETCH(Change, how);
        QPointer<ContactWindow> window = new ContactWindow(*m_session, *m_platform, m_host);
        window->show();
        auto* find = window->findChild<QComboBox*>(QStringLiteral("cboFindContact"));
        emit find->activated(1);
        window->findChild<QLineEdit*>(QStringLiteral("txtACNotes"))->setText(QStringLiteral("changed"));
        change(how);
        window->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        QCOMPARE(shownError(), expectedBox(how));
        checkFolderAfter(how);
        delete window;
    }

    // A backup restored in place swapped the contact on show: Save asks; Yes shows
    // the record as it is now, No keeps what was typed. Nothing is written.
    void contactSwappedInPlace_data()
    {
        QTest::addColumn<bool>("reload");
        QTest::newRow("reload") << true;
        QTest::newRow("keep typed values") << false;
    }
    void contactSwappedInPlace()
    {
        QFETCH(bool, reload);
        QPointer<ContactWindow> window = new ContactWindow(*m_session, *m_platform, m_host);
        window->show();
        emit window->findChild<QComboBox*>(QStringLiteral("cboFindContact"))->activated(1);
        const int shown = m_session->currentRecord();
        auto* notes = window->findChild<QLineEdit*>(QStringLiteral("txtACNotes"));
        notes->setText(QStringLiteral("typed"));
        QByteArray restored = readBytes(m_path);
        restored.replace(qsizetype(shown - 1) * recordSize, recordSize, person("Cy", "Swapped").toBytes());
        QFile inPlace(m_path);
        QVERIFY(inPlace.open(QIODevice::ReadWrite));
        QCOMPARE(inPlace.write(restored), restored.size());
        inPlace.close();
        m_scripted->prompter.messageAnswers.clear();
        m_scripted->prompter.messageAnswers.enqueue(reload ? MessageResult::Yes : MessageResult::No);
        window->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        QCOMPARE(shownError(), expectedBox(Change::Replaced));
        QCOMPARE(readBytes(m_path), restored);
        QCOMPARE(notes->text(), reload ? QString() : QStringLiteral("typed"));
        QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("txtACLName"))->text(),
                 reload ? QStringLiteral("Swapped") : QStringLiteral("Last%1").arg(shown));
        delete window;
    }

    // A file with another name: deleting asks first, and the default keeps it whole.
    void deleteFromLinkedFileAsks()
    {
        const QString other = QDir(m_dir.path()).filePath(QStringLiteral("Other.DAT"));
        QVERIFY(::link(QFile::encodeName(m_path).constData(), QFile::encodeName(other).constData()) == 0);
        QPointer<ContactWindow> window = new ContactWindow(*m_session, *m_platform, m_host);
        window->show();
        emit window->findChild<QComboBox*>(QStringLiteral("cboFindContact"))->activated(1);
        const QByteArray before = readBytes(m_path);
        m_scripted->prompter.messageAnswers.clear(); // the question's default: No
        window->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
        QCOMPARE(shownError().section(u'|', 0, 0), QStringLiteral("File has other names"));
        QCOMPARE(readBytes(m_path), before);
        QCOMPARE(readBytes(other), before);
        delete window;
    }

    void deleteContact_data() { addCases(); }
    void deleteContact()
    {
        QFETCH(Change, how);
        QPointer<ContactWindow> window = new ContactWindow(*m_session, *m_platform, m_host);
        window->show();
        auto* find = window->findChild<QComboBox*>(QStringLiteral("cboFindContact"));
        emit find->activated(1);
        change(how);
        m_scripted->prompter.messageAnswers.prepend(MessageResult::Yes);
        window->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
        QCOMPARE(shownError(), expectedBox(how));
        checkFolderAfter(how);
        delete window;
    }

    void importContacts_data() { addCases(); }
    void importContacts()
    {
        QFETCH(Change, how);
        const QString csv = QDir(m_home.path()).filePath(QStringLiteral("new.csv"));
        QVERIFY(writeBytes(csv, "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,"
                                "Cell Phone,Work Phone,Email,Birthdate,Category,Notes\r\n"
                                "Late,,Comer,,,,,,,,,,late@example.org,,,\r\n"));
        m_scripted->fileDialogs.answers.enqueue({csv, QStringLiteral("new.csv")});
        QPointer<ImportWindow> window = new ImportWindow(*m_session, *m_platform, m_host);
        window->show();
        window->findChild<QPushButton*>(QStringLiteral("cmdCsvOpen"))->click();
        change(how);
        window->findChild<QPushButton*>(QStringLiteral("cmdStartImport"))->click();
        if (how == Change::Replaced) {
            QCOMPARE(shownError().section(u'|', 0, 0), QStringLiteral("Import completed"));
            QCOMPARE(readBytes(m_path).size(), m_replacement.size() + recordSize);
            QCOMPARE(readBytes(m_path).mid(m_replacement.size(), 4), QByteArray("Late"));
        } else {
            QCOMPARE(shownError(), expectedBox(how, "Quillet"));
            checkFolderAfter(how);
        }
        delete window;
    }

    // Export writes no contacts file: it exports the file the window has open.
    void exportContacts_data() { addCases(); }
    void exportContacts()
    {
        QFETCH(Change, how);
        QPointer<ExportWindow> window = new ExportWindow(*m_session, *m_platform, m_host);
        window->show();
        window->findChild<QRadioButton*>(QStringLiteral("optExpCGCSV"))->click();
        change(how);
        window->findChild<QPushButton*>(QStringLiteral("cmdExpCreate"))->click();
        if (how == Change::Removed) {
            // A file that is gone is reported, not exported from the copy still open.
            QCOMPARE(shownError(), expectedBox(how));
            QVERIFY(!QFile::exists(QDir(m_home.path()).filePath(QStringLiteral("QLTC_Friends.csv"))));
            delete window;
            return;
        }
        QCOMPARE(shownError().section(u'|', 0, 0), QStringLiteral("Export file created"));
        const QByteArray exported = readBytes(QDir(m_home.path()).filePath(QStringLiteral("QLTC_Friends.csv")));
        // The contacts of the file its path names when the export runs.
        QCOMPARE(exported.count("\r\nFirst"), how == Change::Replaced ? 0 : 3);
        QCOMPARE(exported.count("\r\nOther"), how == Change::Replaced ? 5 : 0);
        checkFolderAfter(how);
        delete window;
    }

    // The main window's File > Disable Birthday Reminders.
    void reminderSwitch_data() { addCases(); }
    void reminderSwitch()
    {
        QFETCH(Change, how);
        m_session.reset(); // the main window opens the file itself
        MainWindow window(m_scripted->platform());
        window.start();
        m_scripted->fileDialogs.answers.enqueue({m_path, QStringLiteral("Friends.DAT")});
        window.findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
        QAction* off = window.findChild<QAction*>(QStringLiteral("mnuFileBdayOff"));
        QVERIFY(off->isEnabled());
        change(how);
        off->trigger();
        if (how == Change::Replaced)
            QCOMPARE(shownError().section(u'|', 0, 0), QStringLiteral("Birthday reminders disabled"));
        else
            QCOMPARE(shownError(), expectedBox(how));
        checkFolderAfter(how);
        window.close();
    }
};

QTEST_MAIN(TestOpenFileFaults)
#include "tst_openfilefaults.moc"
