#include "support/MainWindowFixture.h"

#include "core/common/AppError.h"
#include "core/contacts/ContactsFile.h"
#include "gui/main/MainCaption.h"

#include <QDialog>
#include <QFile>
#include <QTreeWidget>

using namespace quillet;
using quillet::test::MainWindowFixture;

namespace {

struct Contact
{
    QString first;
    QString last;
    QString birthdate; // stored form YYYYMMDD, empty for none
    QString flag;
};

bool writeContacts(const QString& path, const QList<Contact>& contacts)
{
    ContactsFile file;
    if (!file.open(path, quillet::Creation::CreateIfMissing))
        return false;
    for (const Contact& contact : contacts) {
        ContactRecord record;
        record.set(Field::FirstName, contact.first);
        record.set(Field::LastName, contact.last);
        record.set(Field::Birthdate, contact.birthdate);
        record.set(Field::ReminderFlag, contact.flag);
        if (!file.append(record))
            return false;
    }
    return true;
}

const char* const contactCommands[] = {"cmdAddContact", "cmdFindContact"};
const char* const contactItems[] = {"mnuAdd",    "mnuEdit",   "mnuFind",    "mnuDelete", "mnuSrchContacts",
                                    "mnuImport", "mnuExport", "mnuViewOne", "mnuViewAll"};

// The no-file state or the file-open state, with the two reminder items as given.
void verifyState(const MainWindowFixture& f, bool fileOpen, bool bdayOn = false, bool bdayOff = false)
{
    QCOMPARE(f.window->session().hasFile(), fileOpen);
    for (const char* name : contactCommands)
        QVERIFY2(f.get(name)->isEnabled() == fileOpen, name);
    for (const char* name : contactItems)
        QVERIFY2(f.action(name)->isEnabled() == fileOpen, name);
    QCOMPARE(f.action("mnuFileBdayOn")->isEnabled(), bdayOn);
    QCOMPARE(f.action("mnuFileBdayOff")->isEnabled(), bdayOff);
    if (!fileOpen) {
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillet - labels, envelopes and an address book"));
        QCOMPARE(f.get<QLineEdit>("txtFileNam")->text(), QString());
        QCOMPARE(f.get<QLineEdit>("txtFileTitle")->text(), QString());
    }
}

} // namespace

class TestMainWindowFile : public QObject
{
    Q_OBJECT
private slots:
    void newFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("upper-case extension goes") << "Friends.DAT"
                                                   << "Quillet  [Friends]";
        QTest::newRow("lower-case extension stays") << "friends.dat"
                                                    << "Quillet  [friends.dat]";
    }
    void newFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        MainWindowFixture f;
        const QString path = f.home.filePath(name);
        f.scripted.fileDialogs.answers.enqueue({path, name});
        f.action("mnuFileNew")->trigger();

        const FileDialogRequest request = f.scripted.fileDialogs.requests.constFirst();
        QCOMPARE(request.title, QStringLiteral("New"));
        QCOMPARE(request.initialFolder, f.home.path());
        QCOMPARE(request.filter, QStringLiteral("Data Files (*.DAT)|*.DAT"));
        QVERIFY(request.allowNewFile);
        QCOMPARE(f.window->windowTitle(), caption);
        QCOMPARE(f.get<QLineEdit>("txtFileNam")->text(), path);
        QCOMPARE(f.get<QLineEdit>("txtFileTitle")->text(), caption.mid(10).chopped(1));
        QVERIFY(QFile::exists(path));
        verifyState(f, true, false, true);
    }

    // Only New creates a file; a name Qt's text cannot carry (it arrives with a
    // replacement character) is refused, and nothing is created under another name.
    void namesThatOpenNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("open a missing file") << "mnuFileOpen"
                                             << "Missing.DAT"
                                             << "File not found";
        QTest::newRow("new with a name that is not text")
            << "mnuFileNew" << QStringLiteral("caf\uFFFD.DAT") << "Rename the file; its name is not valid text";
    }
    void namesThatOpenNothing()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QString, message);
        MainWindowFixture f;
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath(name), name});
        f.action(action.toLatin1().constData())->trigger();
        QVERIFY(f.scripted.prompter.messages.constLast().text.contains(message));
        QVERIFY(!QFile::exists(f.home.filePath(name)));
        QCOMPARE(QDir(f.home.path()).entryList(QDir::Files), QStringList());
    }

    void openSetsReminderItems_data()
    {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<bool>("bdayOn");
        QTest::addColumn<bool>("bdayOff");
        QTest::newRow("empty file") << QStringList{} << false << false;
        QTest::newRow("record 1 on") << QStringList{"1", "0"} << false << true;
        QTest::newRow("record 1 off") << QStringList{"0", "1"} << true << false;
        QTest::newRow("record 1 blank") << QStringList{" "} << true << false;
    }
    void openSetsReminderItems()
    {
        QFETCH(QStringList, flags);
        QFETCH(bool, bdayOn);
        QFETCH(bool, bdayOff);
        MainWindowFixture f;
        const QString path = f.home.filePath(QStringLiteral("Club.DAT"));
        QList<Contact> contacts;
        for (const QString& flag : flags)
            contacts << Contact{"Ann", "Lee", "", flag};
        QVERIFY(writeContacts(path, contacts));
        f.scripted.fileDialogs.answers.enqueue({path, "Club.DAT"});
        QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.scripted.fileDialogs.requests.constFirst().title, QStringLiteral("Open"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillet  [Club]"));
        verifyState(f, true, bdayOn, bdayOff);

        f.action("mnuFileClose")->trigger();
        verifyState(f, false);
        QVERIFY(QFile::exists(path));
    }

    void newOnExistingFileKeepsContactsAndTurnsRemindersOn()
    {
        MainWindowFixture f;
        const QString path = f.home.filePath(QStringLiteral("Club.DAT"));
        const QString tomorrow = f.scripted.desktop.todayDate.addDays(1).toString(QStringLiteral("yyyyMMdd"));
        QVERIFY(writeContacts(path, {{"Ann", "Lee", tomorrow, "0"}, {"Bob", "Roe", tomorrow, "1"}}));
        f.scripted.fileDialogs.answers.enqueue({path, "Club.DAT"});
        f.action("mnuFileNew")->trigger();
        QCOMPARE(f.window->session().file().count(), 2);
        verifyState(f, true, false, true);
        QVERIFY(f.scripted.prompter.messages.isEmpty()); // New runs no reminders
    }

    void installerDataFileRenamedAroundDialog()
    {
        MainWindowFixture f;
        const QString dat = f.home.filePath(QStringLiteral("unins000.DAT"));
        const QString dak = f.home.filePath(QStringLiteral("unins000.DAK"));
        QFile installer(dat);
        QVERIFY(installer.open(QIODevice::WriteOnly));
        installer.close();
        QList<bool> whileShown;
        f.scripted.fileDialogs.onShow = [&](const FileDialogRequest&) {
            whileShown = {QFile::exists(dat), QFile::exists(dak)};
        };
        // A cancelled dialog leaves the hidden name until a file is opened or the program ends.
        f.action("mnuFileOpen")->trigger();
        QCOMPARE(whileShown, QList<bool>({false, true}));
        QVERIFY(!QFile::exists(dat));

        QFile existing(f.home.filePath("A.DAT")); // Open creates no file
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("A.DAT"), "A.DAT"});
        f.action("mnuFileOpen")->trigger();
        QCOMPARE(whileShown, QList<bool>({false, true}));
        QVERIFY(QFile::exists(dat));
        QVERIFY(!QFile::exists(dak));

        f.action("mnuFileNew")->trigger(); // cancelled: hidden again
        QVERIFY(QFile::exists(dak));
        f.window->close();
        QVERIFY(QFile::exists(dat));
    }

    // The open file is closed only once another one has been chosen.
    void cancelledDialogKeepsTheOpenFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("new") << "mnuFileNew";
        QTest::newRow("open") << "mnuFileOpen";
    }
    void cancelledDialogKeepsTheOpenFile()
    {
        QFETCH(QString, command);
        MainWindowFixture f;
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("A.DAT"), "A.DAT"});
        f.action("mnuFileNew")->trigger();
        f.scripted.fileDialogs.onShow = [&](const FileDialogRequest&) { QVERIFY(f.window->session().file().isOpen()); };
        f.action(command.toLatin1().constData())->trigger();
        verifyState(f, true, false, true);
        QVERIFY(f.window->session().file().isOpen());
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillet  [A]"));
    }

    // New is a "Create" dialog (Ctrl+N) that adds ".DAT" to a bare name.
    void newAddsTheExtension()
    {
        MainWindowFixture f;
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("Friends"), "Friends"});
        QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
        const FileDialogRequest request = f.scripted.fileDialogs.requests.value(0);
        QVERIFY(request.createStyle);
        QCOMPARE(request.defaultSuffix, QStringLiteral("DAT"));
        QVERIFY(QFile::exists(f.home.filePath("Friends.DAT")));
        QVERIFY(!QFile::exists(f.home.filePath("Friends")));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillet  [Friends]"));
    }

    void errorBox_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("windowOpen");
        QTest::newRow("retry") << int(MessageResult::Retry) << true;
        QTest::newRow("cancel ends the program") << int(MessageResult::Cancel) << false;
    }
    void errorBox()
    {
        QFETCH(int, answer);
        QFETCH(bool, windowOpen);
        MainWindowFixture f;
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("A.DAT"), "A.DAT"});
        f.action("mnuFileNew")->trigger();
        const QString unreachable = f.home.filePath(QStringLiteral("no such folder/B.DAT"));
        f.scripted.fileDialogs.answers.enqueue({unreachable, "B.DAT"});
        f.scripted.prompter.messageAnswers.enqueue(MessageResult(answer));
        f.action("mnuFileOpen")->trigger();

        QCOMPARE(f.scripted.prompter.messages.size(), 1);
        const ShownMessage shown = f.scripted.prompter.messages.constFirst();
        QCOMPARE(shown.title, QStringLiteral("Error"));
        QVERIFY2(shown.text.startsWith(QLatin1String("An error has occurred. Error number ")), qPrintable(shown.text));
        QVERIFY(shown.text.endsWith(QLatin1String(".  Try again, or notify author.")));
        QCOMPARE(shown.buttons, MessageButtons::RetryCancel);
        QCOMPARE(shown.icon, MessageIcon::None);
        QCOMPARE(f.window->isVisible(), windowOpen);
        verifyState(f, false);
    }

    void remindersAnnouncedInRecordOrder()
    {
        MainWindowFixture f;
        const QDate today = f.scripted.desktop.todayDate;
        const auto day = [&](int ahead) { return today.addDays(ahead).toString(QStringLiteral("yyyyMMdd")); };
        const QString path = f.home.filePath(QStringLiteral("Club.DAT"));
        QVERIFY(writeContacts(path, {{"Ann", "Lee", day(15), "1"},
                                     {"Cy", "Day", day(3), "0"},
                                     {"Dee", "Fox", day(0), "1"},
                                     {"Eve", "Gum", QStringLiteral("19990229"), "1"},
                                     {"Bob", "Roe", day(1), "1"},
                                     {"Flo", "Hay", day(16), "1"}}));
        f.scripted.fileDialogs.answers.enqueue({path, "Club.DAT"});
        f.action("mnuFileOpen")->trigger();
        const QString on = QStringLiteral(" has a birthday coming up on ");
        QCOMPARE(f.scripted.prompter.events,
                 QStringList({"message:Ann Lee" + on + today.addDays(15).toString(QStringLiteral("MM/dd")),
                              "message:Bob Roe" + on + today.addDays(1).toString(QStringLiteral("MM/dd"))}));
        for (const ShownMessage& shown : f.scripted.prompter.messages) {
            QCOMPARE(shown.title, QStringLiteral("Birthday reminder"));
            QCOMPARE(shown.icon, MessageIcon::Information);
        }
        verifyState(f, true, false, true);
    }

    // Up to five due birthdays get a box each, in record order; from six on one
    // window lists them by date and no box is shown.
    void dueBirthdaysBoxedOrListed_data()
    {
        QTest::addColumn<QList<int>>("daysAhead"); // one contact each, in record order
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("five: a box each")
            << QList<int>{9, 2, 14, 5, 1} << QStringList{"P9 Lee", "P2 Lee", "P14 Lee", "P5 Lee", "P1 Lee"}
            << QStringList{};
        QTest::newRow("six: one list") << QList<int>{9, 2, 14, 5, 1, 7} << QStringList{}
                                       << QStringList{"P1 Lee 1", "P2 Lee 2", "P5 Lee 5",
                                                      "P7 Lee 7", "P9 Lee 9", "P14 Lee 14"};
    }
    void dueBirthdaysBoxedOrListed()
    {
        QFETCH(QList<int>, daysAhead);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, listed);
        MainWindowFixture f;
        const QDate today = f.scripted.desktop.todayDate;
        QList<Contact> contacts;
        for (int ahead : daysAhead)
            contacts << Contact{QStringLiteral("P%1").arg(ahead), "Lee",
                                today.addDays(ahead).toString(QStringLiteral("yyyyMMdd")), "1"};
        const QString path = f.home.filePath(QStringLiteral("Big.DAT"));
        QVERIFY(writeContacts(path, contacts));
        f.scripted.fileDialogs.answers.enqueue({path, "Big.DAT"});
        f.action("mnuFileOpen")->trigger();
        QStringList boxNames;
        for (const ShownMessage& shown : f.scripted.prompter.messages)
            boxNames << shown.text.section(QStringLiteral(" has a birthday"), 0, 0);
        QCOMPARE(boxNames, boxes);
        auto* list = f.window->findChild<QTreeWidget*>(QStringLiteral("lstBirthdays"));
        QCOMPARE(list != nullptr, !listed.isEmpty());
        if (!list)
            return;
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + ' ' + list->topLevelItem(i)->text(2);
        QCOMPARE(rows, listed);
        QCOMPARE(list->topLevelItem(0)->text(1), today.addDays(1).toString(QStringLiteral("MM/dd")));
        QDialog* window = qobject_cast<QDialog*>(list->window());
        QVERIFY(window->findChild<QLabel*>());
        QCOMPARE(window->findChild<QLabel*>()->text(),
                 QStringLiteral("6 birthdays are coming up in the next 15 days."));
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_VERIFY(!f.window->findChild<QTreeWidget*>(QStringLiteral("lstBirthdays")));
    }

    void switchReminders()
    {
        MainWindowFixture f;
        const QString path = f.home.filePath(QStringLiteral("Club.DAT"));
        QVERIFY(writeContacts(path, {{"Ann", "Lee", "", "1"}, {"Bob", "Roe", "", "1"}, {"Cy", "Day", "", "1"}}));
        f.scripted.fileDialogs.answers.enqueue({path, "Club.DAT"});
        f.action("mnuFileOpen")->trigger();

        f.action("mnuFileBdayOff")->trigger();
        QCOMPARE(f.scripted.prompter.messages.constLast().text,
                 QStringLiteral("Birthday Reminders have been turned off."));
        QCOMPARE(f.scripted.prompter.messages.constLast().title, QStringLiteral("Birthday reminders disabled"));
        QCOMPARE(f.scripted.prompter.messages.constLast().icon, MessageIcon::Information);
        verifyState(f, true, true, false);
        QCOMPARE(f.window->session().reminderFlag(), QStringLiteral("0"));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(f.window->session().file().read(n)->value(Field::ReminderFlag), QStringLiteral("0"));

        f.action("mnuFileBdayOn")->trigger();
        QCOMPARE(f.scripted.prompter.messages.constLast().text,
                 QStringLiteral("Birthday Reminders have been turned on."));
        QCOMPARE(f.scripted.prompter.messages.constLast().title, QStringLiteral("Birthday reminders enabled"));
        verifyState(f, true, false, true);
        QCOMPARE(f.window->session().file().read(2)->value(Field::ReminderFlag), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestMainWindowFile)
#include "tst_mainwindowfile.moc"
