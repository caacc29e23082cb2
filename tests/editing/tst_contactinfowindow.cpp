#include "EditingTestFiles.h"
#include "support/WindowFixture.h"

#include "core/editing/ContactForm.h"
#include "core/printing/GridTranscript.h"
#include "gui/editing/ContactWindow.h"
#include "gui/session/Session.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;
using F = FormField;

Q_DECLARE_METATYPE(quillet::MessageResult)

class TestContactInfoWindow : public QObject, WindowFixture
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;
    QPointer<ContactWindow> m_window;

    void openFile(const QString& name, const QList<ContactRecord>& records)
    {
        m_path = QDir(m_dir.path()).filePath(name);
        writeContacts(m_path, records);
        QVERIFY(openContacts(m_path, QStringLiteral("CONTACTS")));
    }
    void openWindow()
    {
        m_window = new ContactWindow(*m_session, *m_platform, m_host);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    QLineEdit* field(F which) const { return m_window->findChild<QLineEdit*>(formFieldObjectName(which)); }
    QPushButton* button(const char* name) const { return m_window->findChild<QPushButton*>(name); }
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(name); }
    QComboBox* findBox() const { return m_window->findChild<QComboBox*>(QStringLiteral("cboFindContact")); }
    QStringList findBoxTexts() const
    {
        QStringList texts;
        for (int i = 0; i < findBox()->count(); ++i)
            texts << findBox()->itemText(i) + u'=' + findBox()->itemData(i).toString();
        return texts;
    }
    void choose(const QString& text)
    {
        const int index = findBox()->findText(text);
        QVERIFY(index >= 0);
        findBox()->setCurrentIndex(index);
        emit findBox()->activated(index);
    }
    bool recordControlsEnabled() const
    {
        bool all =
            button("cmdSave")->isEnabled() && button("cmdDelete")->isEnabled() && button("cmdPrintLabel")->isEnabled();
        bool any =
            button("cmdSave")->isEnabled() || button("cmdDelete")->isEnabled() || button("cmdPrintLabel")->isEnabled();
        for (FormField f : allFormFields()) {
            all = all && field(f)->isEnabled();
            any = any || field(f)->isEnabled();
        }
        if (all != any)
            qWarning("record controls partly enabled");
        return all;
    }
    QStringList messages() const
    {
        QStringList out;
        for (const ShownMessage& shown : m_scripted->prompter.messages)
            out << shown.title + QStringLiteral(": ") + shown.text;
        return out;
    }

private slots:
    void init()
    {
        resetWindowFixture();
        QList<ContactRecord> records{contact("Zed", "Adams", "Z"), contact("amy", "Baker"), contact("Bob", "Carter")};
        records[1].set(Field::Birthdate, QStringLiteral("19800410"));
        openFile(QStringLiteral("CONTACTS.DAT"), records);
    }
    void cleanup()
    {
        delete m_window;
        m_session.reset();
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void loadShowsNoContact()
    {
        openWindow();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Contact Information  [CONTACTS]"));
        QCOMPARE(findBoxTexts(), (QStringList{"amy  Baker=2", "Bob  Carter=3", "Zed Z Adams=1"}));
        QCOMPARE(findBox()->currentIndex(), -1);
        QCOMPARE(findBox()->placeholderText(), QStringLiteral("Select Contact"));
        QCOMPARE(QApplication::focusWidget(), findBox());
        QVERIFY(!recordControlsEnabled());
        QCOMPARE(m_session->currentRecord(), 0);
    }

    void choosingShowsAndEnables()
    {
        openWindow();
        choose(QStringLiteral("amy  Baker"));
        QCOMPARE(m_session->currentRecord(), 2);
        QCOMPARE(field(F::FirstName)->text(), QStringLiteral("amy"));
        QCOMPARE(field(F::Birthdate)->text(), QStringLiteral("04/10/1980"));
        QVERIFY(recordControlsEnabled());
    }

    void steppingBeforeChoosing()
    {
        openWindow();
        button("cmdNext")->click();
        QCOMPARE(field(F::FirstName)->text(), QStringLiteral("Zed"));
        QCOMPARE(m_session->currentRecord(), 1);
        QVERIFY(!recordControlsEnabled());
        button("cmdPrevious")->click();
        QCOMPARE(messages(), QStringList{"Start of file reached: Beginning of file."});
        QCOMPARE(m_session->currentRecord(), 1);
        button("cmdLast")->click();
        QCOMPARE(field(F::FirstName)->text(), QStringLiteral("Bob"));
        button("cmdNext")->click();
        QCOMPARE(messages().last(), QStringLiteral("No more contacts: End of file."));
        QCOMPARE(field(F::FirstName)->text(), QStringLiteral("Bob"));
        QCOMPARE(m_session->currentRecord(), 3);
        button("cmdFirst")->click();
        QCOMPARE(m_session->currentRecord(), 1);
        QVERIFY(!recordControlsEnabled());
    }

    // Next needs a whole next record: the length is not rounded as the count is.
    void nextStopsBeforeAHalfRecord()
    {
        QVERIFY(QFile::resize(m_path, 1000));
        openWindow();
        button("cmdNext")->click();
        button("cmdNext")->click();
        QCOMPARE(m_session->currentRecord(), 2);
        button("cmdNext")->click();
        QCOMPARE(messages(), QStringList{"No more contacts: End of file."});
    }

    void emptyFileStepsWithoutError()
    {
        openFile(QStringLiteral("EMPTY.DAT"), {});
        openWindow();
        for (const char* name : {"cmdFirst", "cmdLast", "cmdPrevious", "cmdNext"})
            button(name)->click();
        QCOMPARE(messages(),
                 (QStringList{"Start of file reached: Beginning of file.", "No more contacts: End of file."}));
        QCOMPARE(field(F::FirstName)->text(), QString());
        QCOMPARE(m_session->currentRecord(), 0);
        QCOMPARE(findBox()->count(), 0);
    }

    void saveChangesKeepsListUntilRefill()
    {
        openWindow();
        choose(QStringLiteral("Bob  Carter"));
        field(F::FirstName)->setText(QStringLiteral("Robert"));
        field(F::LastName)->setText(QStringLiteral(","));
        field(F::State)->setText(QStringLiteral("c"));
        field(F::Country)->setText(QStringLiteral("usa, inc"));
        button("cmdSave")->click();
        QCOMPARE(messages(), QStringList{"Changes saved: S A V E D"});
        const ContactRecord saved = m_session->file().read(3).value();
        QCOMPARE(saved.trimmed(Field::FirstName), QStringLiteral("Robert"));
        QCOMPARE(saved.trimmed(Field::LastName), QString());
        QCOMPARE(saved.trimmed(Field::State), QStringLiteral("C"));
        QCOMPARE(saved.trimmed(Field::Country), QStringLiteral("USA INC"));
        QCOMPARE(saved.value(Field::Birthdate), QString(8, u' '));
        QCOMPARE(m_session->file().count(), 3);
        QVERIFY(findBoxTexts().contains(QStringLiteral("Bob  Carter=3")));
        QVERIFY(m_window->isVisible());
        button("cmdFirst")->click();
        QVERIFY(findBoxTexts().contains(QStringLiteral("Robert  =3")));
    }

    void saveChangesRejectsEmptyLastName()
    {
        openWindow();
        choose(QStringLiteral("Bob  Carter"));
        field(F::LastName)->clear();
        const QByteArray before = readBytes(m_path);
        button("cmdSave")->click();
        QCOMPARE(messages(), QStringList{"Incorrect entry: Enter last name, 16 characters or less."});
        QCOMPARE(QApplication::focusWidget(), field(F::LastName));
        QCOMPARE(readBytes(m_path), before);
    }

    void closeResetsCurrentRecord()
    {
        openWindow();
        choose(QStringLiteral("Bob  Carter"));
        button("cmdCancel")->click();
        QTRY_VERIFY(m_window.isNull());
        QCOMPARE(m_session->currentRecord(), 0);
        QCOMPARE(m_host.returns, 1);
    }

    void deleteAnsweredNo()
    {
        openWindow();
        choose(QStringLiteral("amy  Baker"));
        const QByteArray before = readBytes(m_path);
        m_scripted->prompter.messageAnswers << MessageResult::No;
        button("cmdDelete")->click();
        QCOMPARE(m_scripted->prompter.messages.first().text,
                 QStringLiteral("WARNING!  This will delete entire contact from your file.\r\n"
                                "Do you REALLY want to delete this contact?\r\n\r\namy Baker"));
        QCOMPARE(m_scripted->prompter.messages.first().buttons, MessageButtons::YesNoDefaultNo);
        QCOMPARE(messages().last(), QStringLiteral("Deletion not performed.: Nothing deleted..."));
        QCOMPARE(QApplication::focusWidget(), button("cmdCancel"));
        QCOMPARE(readBytes(m_path), before);
        QVERIFY(m_window->isVisible());
    }

    void deleteAnsweredYes()
    {
        openWindow();
        choose(QStringLiteral("amy  Baker"));
        m_scripted->prompter.messageAnswers << MessageResult::Yes;
        button("cmdDelete")->click();
        QCOMPARE(messages(), (QStringList{"Confirm deletion.: WARNING!  This will delete entire contact from your "
                                          "file.\r\nDo you REALLY want to delete this contact?\r\n\r\namy Baker",
                                          "Contact deleted.: Contact deleted!"}));
        QCOMPARE(firstNames(m_path), (QStringList{"Zed", "Bob"}));
        QVERIFY(m_session->file().isOpen());
        QCOMPARE(m_session->file().count(), 2);
        QTRY_VERIFY(m_window.isNull());
        QCOMPARE(m_session->currentRecord(), 0);
        QCOMPARE(m_host.returns, 1);
    }

    // A file whose name leaves no room for the temporary file's suffix.
    void deleteFailure_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::newRow("retry") << MessageResult::Retry;
        QTest::newRow("cancel") << MessageResult::Cancel;
    }
    void deleteFailure()
    {
        QFETCH(MessageResult, answer);
        openFile(QString(250, u'c') + QStringLiteral(".DAT"), {contact("Ann", "One"), contact("Bob", "Two")});
        openWindow();
        choose(QStringLiteral("Ann  One"));
        const QByteArray before = readBytes(m_path);
        m_scripted->prompter.messageAnswers << MessageResult::Yes << answer;
        button("cmdDelete")->click();
        QCOMPARE(m_scripted->prompter.messages.last().title, QStringLiteral("Error"));
        QVERIFY(!messages().contains(QStringLiteral("Contact deleted.: Contact deleted!")));
        QCOMPARE(readBytes(m_path), before);
        QVERIFY(m_session->file().isOpen());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        if (answer == MessageResult::Retry) {
            QVERIFY(m_window->isVisible());
            QCOMPARE(m_session->currentRecord(), 1);
        } else {
            QTRY_VERIFY(m_window.isNull());
            QCOMPARE(m_host.returns, 1);
        }
    }

    void printLabelHidesAndFillsLines()
    {
        openWindow();
        choose(QStringLiteral("Zed Z Adams"));
        field(F::Street)->setText(QStringLiteral("1 Elm St"));
        field(F::City)->setText(QStringLiteral("Reno"));
        button("cmdPrintLabel")->click();
        QVERIFY(!m_window.isNull());
        QVERIFY(m_window->isHidden());
        QCOMPARE(m_host.filled, (QStringList{"Zed Z Adams", "1 Elm St", "Reno,   ", "", ""}));
        QCOMPARE(m_session->currentRecord(), 1);
        QCOMPARE(m_host.returns, 0);
        // Shown again it is as it was.
        m_window->show();
        QCOMPARE(field(F::City)->text(), QStringLiteral("Reno"));
        QVERIFY(recordControlsEnabled());
    }

    void hiddenWindowGoesWithItsFile_data()
    {
        QTest::addColumn<bool>("closeOnly");
        QTest::newRow("file closed") << true;
        QTest::newRow("another file opened") << false;
    }
    void hiddenWindowGoesWithItsFile()
    {
        QFETCH(bool, closeOnly);
        openWindow();
        choose(QStringLiteral("Zed Z Adams"));
        button("cmdPrintLabel")->click();
        m_session->setReminderSwitch(reminders::Switch::Off); // no file change: the window stays
        QVERIFY(!m_window.isNull());
        if (closeOnly) {
            m_session->closeFile();
        } else {
            const QString other = QDir(m_dir.path()).filePath(QStringLiteral("OTHER.DAT"));
            writeContacts(other, 2);
            QVERIFY(m_session->file().open(other, quillet::Creation::CreateIfMissing).ok());
            m_session->setOpenFile(other, QStringLiteral("OTHER"));
        }
        QTRY_VERIFY(m_window.isNull());
        QCOMPARE(m_session->currentRecord(), 0);
        QCOMPARE(m_host.returns, 0);
    }

    void printDetailsPage()
    {
        openWindow();
        choose(QStringLiteral("Zed Z Adams"));
        m_scripted->printDialog.answers << PrintChoice{false, QStringLiteral("Office"), 2, false};
        action("mnuEDVPrint")->trigger();
        QCOMPARE(m_scripted->printTarget.jobs.size(), 1);
        QCOMPARE(m_scripted->printTarget.jobs.first().job.printerName, QStringLiteral("Office"));
        QCOMPARE(m_scripted->printTarget.jobs.first().job.documentName, QStringLiteral("Contact Details – Zed Adams"));
        const QString transcript = gridTranscript(m_scripted->printTarget.jobs.first().document);
        QCOMPARE(transcript.count(QStringLiteral("|       Zed Z Adams\n")), 2);
        QCOMPARE(transcript.count(QStringLiteral("page ")), 2);
        const QString today = QLocale::system().toString(QDate(2026, 6, 15), QLocale::ShortFormat);
        QVERIFY(transcript.contains(QStringLiteral("Date of report: ") + today));
        QVERIFY(messages().isEmpty());
    }

    void printDetailsOutcomes()
    {
        openWindow();
        choose(QStringLiteral("Zed Z Adams"));
        m_scripted->printDialog.answers << PrintChoice{true, {}, 1, false};
        action("mnuEDVPrint")->trigger();
        QVERIFY(m_scripted->printTarget.jobs.isEmpty());
        QVERIFY(messages().isEmpty());

        m_scripted->printTarget.failNextJobs = 1;
        action("mnuEDVPrint")->trigger();
        QCOMPARE(messages(), QStringList{"Printer error.: A printer problem exists.  Check printer."});
        QCOMPARE(m_scripted->prompter.messages.first().icon, MessageIcon::Exclamation);

        field(F::LastName)->setFocus();
        field(F::LastName)->setSelection(1, 3);
        m_scripted->printDialog.answers << PrintChoice{false, {}, 1, true};
        action("mnuEDVPrint")->trigger();
        QVERIFY(m_scripted->printDialog.requests.last().allowSelection);
        QCOMPARE(m_scripted->printTarget.jobs.size(), 1);
        QCOMPARE(gridTranscript(m_scripted->printTarget.jobs.first().document),
                 QStringLiteral("page 1 portrait\n1 12 |\n2 12 |dam\n"));
    }

    void listHandOver()
    {
        openWindow();
        m_window->openRecord(3);
        QCOMPARE(m_session->currentRecord(), 3);
        QCOMPARE(field(F::LastName)->text(), QStringLiteral("Carter"));
        QVERIFY(recordControlsEnabled());
        QCOMPARE(QApplication::focusWidget(), findBox());
        QCOMPARE(findBox()->count(), 3);

        // Focus order, with Enter in a field moving on as Tab does.
        const QStringList expected{"txtACFName",   "txtACMiddleInit", "txtACLName",  "txtACFStreet", "txtACSStreet",
                                   "txtACCity",    "txtACState",      "txtACZip",    "txtACCountry", "txtACBirthdate",
                                   "txtACHPhone",  "txtACCPhone",     "txtACWPhone", "txtACEmail",   "txtACCategory",
                                   "txtACNotes",   "cmdSave",         "cmdCancel",   "cmdDelete",    "cmdPrintLabel",
                                   "cmdZipFinder", "cmdPeopleFind",   "cmdNext",     "cmdLast",      "cmdFirst",
                                   "cmdPrevious"};
        QStringList order;
        for (int i = 0; i < expected.size(); ++i) {
            const bool inField = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), inField ? Qt::Key_Return : Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, expected);
    }
};

QTEST_MAIN(TestContactInfoWindow)
#include "tst_contactinfowindow.moc"
