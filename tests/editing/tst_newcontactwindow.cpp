#include "EditingTestFiles.h"
#include "support/WindowFixture.h"

#include "gui/editing/AddContactWindow.h"
#include "gui/session/Session.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;
using F = FormField;

Q_DECLARE_METATYPE(quillet::MessageResult)

class TestNewContactWindow : public QObject, WindowFixture
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;
    QPointer<AddContactWindow> m_window;

    AddContactWindow* openWindow()
    {
        m_window = new AddContactWindow(*m_session, *m_platform, m_host);
        m_window->show();
        if (!QTest::qWaitForWindowActive(m_window))
            qWarning("window not active");
        return m_window;
    }
    QLineEdit* field(F which) const { return m_window->findChild<QLineEdit*>(formFieldObjectName(which)); }
    QPushButton* button(const char* name) const { return m_window->findChild<QPushButton*>(name); }
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    void type(F which, const QString& text) { field(which)->setText(text); }

private slots:
    void init()
    {
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("CONTACTS.DAT"));
        writeContacts(m_path, 3);
        resetWindowFixture();
        QVERIFY(openContacts(m_path, QStringLiteral("CONTACTS")));
        m_session->setReminderSwitch(reminders::Switch::None); // as a file whose record 1 says nothing
    }
    void cleanup()
    {
        delete m_window;
        m_session.reset();
    }

    void captionFocusAndEnter()
    {
        openWindow();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Add Contact  [CONTACTS]"));
        QCOMPARE(focusName(), QStringLiteral("txtACFName"));
        QStringList order{focusName()};
        for (int i = 0; i < 15; ++i) {
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Enter : Qt::Key_Return);
            order << focusName();
        }
        const QStringList expected{"txtACFName",   "txtACMiddleInit", "txtACLName",    "txtACFStreet",
                                   "txtACSStreet", "txtACCity",       "txtACState",    "txtACZip",
                                   "txtACCountry", "txtACBirthdate",  "txtACHPhone",   "txtACCPhone",
                                   "txtACWPhone",  "txtACEmail",      "txtACCategory", "txtACNotes"};
        QCOMPARE(order, expected);
        for (const char* next : {"cmdSave", "cmdCancel", "cmdZipFinder", "cmdPeopleFind"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusName(), QString::fromLatin1(next));
        }
        QCOMPARE(field(F::Notes)->toolTip(), QStringLiteral("Notes are limited to 80 characters."));
        QCOMPARE(button("cmdSave")->toolTip(), QStringLiteral("Saves contact to file"));
    }

    void saveAppendsCleanedRecord()
    {
        m_session->setReminderSwitch(reminders::Switch::None);
        openWindow();
        // The checks and clean-ups themselves are the validation tests' concern.
        type(F::MiddleInitial, QStringLiteral("b."));
        type(F::LastName, QStringLiteral("Lee"));
        QTest::mouseClick(button("cmdSave"), Qt::LeftButton);

        QCOMPARE(m_scripted->prompter.messages.size(), 1);
        QCOMPARE(m_scripted->prompter.messages.first().text, QStringLiteral("S A V E D"));
        QCOMPARE(m_scripted->prompter.messages.first().title, QStringLiteral("Contact saved to file"));
        QCOMPARE(m_session->file().count(), 4);
        const ContactRecord saved = m_session->file().read(4).value();
        QCOMPARE(saved.trimmed(Field::MI), QStringLiteral("B"));
        QCOMPARE(saved.trimmed(Field::LastName), QStringLiteral("Lee"));
        // A file without a reminder setting counts as on: the flag is 1 and the switch turns on.
        QCOMPARE(saved.value(Field::ReminderFlag), QStringLiteral("1"));
        QCOMPARE(int(m_session->reminderSwitch()), int(reminders::Switch::On));
        QTRY_VERIFY(m_window.isNull());
        QCOMPARE(m_host.returns, 1);
    }

    // Save and New keeps the window open with an empty form; a rejected date saves nothing.
    void saveAndNew()
    {
        openWindow();
        type(F::LastName, QStringLiteral("Lee"));
        type(F::Birthdate, QStringLiteral("13/45/1980"));
        QTest::mouseClick(button("cmdSaveNew"), Qt::LeftButton);
        QCOMPARE(m_scripted->prompter.messages.last().title, QStringLiteral("Date error"));
        QCOMPARE(m_session->file().count(), 3);
        type(F::Birthdate, QStringLiteral("12/31/1980"));
        QTest::mouseClick(button("cmdSaveNew"), Qt::LeftButton);
        QCOMPARE(m_scripted->prompter.messages.last().text, QStringLiteral("S A V E D"));
        QCOMPARE(m_session->file().count(), 4);
        QCOMPARE(m_session->file().read(4)->value(Field::Birthdate), QStringLiteral("19801231"));
        QVERIFY(m_window->isVisible());
        QCOMPARE(field(F::LastName)->text(), QString());
        QCOMPARE(field(F::Birthdate)->text(), QString());
        QCOMPARE(QApplication::focusWidget(), field(F::FirstName));
        QCOMPARE(m_host.returns, 0);
    }

    void remindersOffWriteZero()
    {
        m_session->setReminderSwitch(reminders::Switch::Off);
        openWindow();
        type(F::LastName, QStringLiteral("Lee"));
        button("cmdSave")->click();
        QCOMPARE(m_session->file().read(4)->value(Field::ReminderFlag), QStringLiteral("0"));
        QCOMPARE(int(m_session->reminderSwitch()), int(reminders::Switch::Off));
    }

    void rejectionKeepsCleanUpsAndFocusesField()
    {
        openWindow();
        type(F::FirstName, QStringLiteral("Jo,hn"));
        type(F::LastName, QStringLiteral("Smith"));
        type(F::Zip, QStringLiteral("92,101"));
        type(F::Email, QStringLiteral("a,b@c.d"));
        const QByteArray before = readBytes(m_path);
        button("cmdSave")->click();

        QCOMPARE(m_scripted->prompter.messages.size(), 1);
        const ShownMessage shown = m_scripted->prompter.messages.first();
        QCOMPARE(shown.text, QStringLiteral("Email address cannot contain a comma."));
        QCOMPARE(shown.title, QStringLiteral("Incorrect entry"));
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(focusName(), QStringLiteral("txtACEmail"));
        QCOMPARE(field(F::FirstName)->text(), QStringLiteral("John"));
        QCOMPARE(field(F::Zip)->text(), QStringLiteral("92101"));
        QCOMPARE(readBytes(m_path), before);
        QVERIFY(!m_window.isNull());
        QVERIFY(m_window->isVisible());
    }

    void dateErrorMovesNoFocus()
    {
        openWindow();
        type(F::LastName, QStringLiteral("Smith"));
        type(F::Birthdate, QStringLiteral("4/10/1980"));
        field(F::Notes)->setFocus();
        button("cmdSave")->click();
        QCOMPARE(m_scripted->prompter.messages.first().title, QStringLiteral("Date error"));
        QCOMPARE(focusName(), QStringLiteral("txtACNotes"));
        QCOMPARE(m_session->file().count(), 3);
    }

    void writeFailure_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("retry") << MessageResult::Retry << true;
        QTest::newRow("cancel") << MessageResult::Cancel << false;
    }
    void writeFailure()
    {
        QFETCH(MessageResult, answer);
        QFETCH(bool, staysOpen);
        openWindow();
        type(F::LastName, QStringLiteral("Smith"));
        m_session->file().close();
        m_scripted->prompter.messageAnswers << answer;
        button("cmdSave")->click();
        QCOMPARE(m_scripted->prompter.messages.size(), 1);
        QCOMPARE(m_scripted->prompter.messages.first().title, QStringLiteral("Error"));
        QVERIFY(m_scripted->prompter.messages.first().text.startsWith(QStringLiteral("An error has occurred. ")));
        QCOMPARE(m_scripted->prompter.messages.first().buttons, MessageButtons::RetryCancel);
        if (staysOpen) {
            QVERIFY(m_window->isVisible());
            QCOMPARE(m_host.returns, 0);
        } else {
            QTRY_VERIFY(m_window.isNull());
            QCOMPARE(m_host.returns, 1);
        }
        QCOMPARE(readBytes(m_path).size(), 1200);
    }

    void closeReturnsToMainWindow()
    {
        openWindow();
        button("cmdCancel")->click();
        QTRY_VERIFY(m_window.isNull());
        QCOMPARE(m_host.returns, 1);
        QCOMPARE(m_session->file().count(), 3);
    }

    void quickAddFillsAndShows()
    {
        m_host.lines = {"John Q. Public", "123 Main Street Apt 4", "San Diego, CA 92101", "", ""};
        m_window = AddContactWindow::quickAdd(*m_session, *m_platform, m_host);
        QVERIFY(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QCOMPARE(focusName(), QStringLiteral("txtACFName"));
        QCOMPARE(field(F::FirstName)->text(), QStringLiteral("John"));
        QCOMPARE(field(F::Street2)->text(), QStringLiteral("Apt 4"));
        QCOMPARE(field(F::Zip)->text(), QStringLiteral("92101"));
        QCOMPARE(field(F::Country)->text(), QString());
        // Saving goes through the ordinary checks.
        button("cmdSave")->click();
        QCOMPARE(m_session->file().read(4)->trimmed(Field::LastName), QStringLiteral("Public"));
    }

    void quickAddLineOneWithoutSpace()
    {
        m_host.lines = {"Madonna", "", "", "", ""};
        QVERIFY(!AddContactWindow::quickAdd(*m_session, *m_platform, m_host));
        QCOMPARE(m_scripted->prompter.events, (QStringList{"beep", "message:Line 1 must contain a space."}));
        QCOMPARE(m_scripted->prompter.messages.first().title, QStringLiteral("Incorrect entry"));
        QVERIFY(m_session->hasFile());
    }

    void editMenuWorksOnFocusedSelection()
    {
        openWindow();
        auto* menu = m_window->findChild<QMenu*>(QStringLiteral("mnuNewEdit"));
        auto* cut = m_window->findChild<QAction*>(QStringLiteral("mnuNewEditCut"));
        auto* copy = m_window->findChild<QAction*>(QStringLiteral("mnuNewEditCopy"));
        auto* paste = m_window->findChild<QAction*>(QStringLiteral("mnuNewEditPaste"));
        type(F::City, QStringLiteral("San Diego"));
        field(F::City)->setFocus();
        field(F::City)->setSelection(0, 4);
        emit menu->aboutToShow();
        QVERIFY(cut->isEnabled());
        cut->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("San "));
        QCOMPARE(field(F::City)->text(), QStringLiteral("Diego"));
        emit menu->aboutToShow();
        QVERIFY(!cut->isEnabled());
        QVERIFY(!copy->isEnabled());
        field(F::City)->setCursorPosition(0);
        paste->trigger();
        QCOMPARE(field(F::City)->text(), QStringLiteral("San Diego"));
    }
};

QTEST_MAIN(TestNewContactWindow)
#include "tst_newcontactwindow.moc"
