#include "support/MainWindowFixture.h"

#include "app/WindowWiring.h"
#include "core/contacts/ContactRecord.h"
#include "core/contacts/ContactsFile.h"
#include "gui/editing/AddContactWindow.h"
#include "gui/editing/ContactWindow.h"
#include "gui/list/ContactListWindow.h"
#include "gui/widgets/WindowPlacement.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

using namespace quillet;
using quillet::test::MainWindowFixture;

namespace {

// A main window with the contact windows registered and a file of three
// contacts opened through File > Open.
struct ContactWindowsFixture : MainWindowFixture
{
    ContactWindowsFixture()
    {
        wireWindows(*window);
        path = QDir(home.path()).filePath(QStringLiteral("Friends.DAT"));
        ContactsFile file;
        if (!file.open(path, quillet::Creation::CreateIfMissing).ok())
            qFatal("cannot create the contacts file");
        const QStringList contacts = {"Ann|Cole|Akron|OH|44301|ann@example.org", "Bob|Dee|Boise|ID|83702|",
                                      "Cy|Eng|Camden|NJ|08101|cy.eng@example.net"};
        for (const QString& contact : contacts) {
            const QStringList values = contact.split(QLatin1Char('|'));
            ContactRecord record;
            const Field fields[] = {Field::FirstName, Field::LastName, Field::City,
                                    Field::State,     Field::Zip,      Field::Email};
            for (int i = 0; i < values.size(); ++i)
                record.set(fields[i], values[i]);
            record.set(Field::ReminderFlag, QStringLiteral("0"));
            if (!file.append(record).ok())
                qFatal("cannot add a contact");
        }
        file.close();
        scripted.fileDialogs.answers.enqueue(FileChoice{path, QStringLiteral("Friends.DAT")});
        action("mnuFileOpen")->trigger();
    }

    template <typename T> T* shown() const
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<T*>(widget); found && found->isVisible())
                return found;
        }
        return nullptr;
    }

    QString path;
};

} // namespace

// The main window's contact commands reach the windows that carry them out.
class TestContactWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            widget->close();
        QApplication::processEvents();
    }

    void contactWindowCommands_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"mnuEdit", "mnuFind", "mnuDelete", "mnuViewOne"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void contactWindowCommands()
    {
        QFETCH(QString, command);
        ContactWindowsFixture f;
        QVERIFY(f.window->session().hasFile());
        f.window->findChild<QAction*>(command)->trigger();
        auto* contact = f.shown<ContactWindow>();
        QVERIFY(contact);
        QVERIFY(!f.window->isVisible());
        QVERIFY(contact->close());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->session().currentRecord(), 0);
    }

    void findContactButton_focusesFindBox()
    {
        ContactWindowsFixture f;
        f.click("cmdFindContact");
        auto* contact = f.shown<ContactWindow>();
        QVERIFY(contact);
        QVERIFY(QTest::qWaitForWindowActive(contact));
        QCOMPARE(QApplication::focusWidget(), contact->findChild<QWidget*>(QStringLiteral("cboFindContact")));
    }

    // Print Label only hides the contact window: the next command shows the same one.
    void hiddenContactWindow_isShownAgain()
    {
        ContactWindowsFixture f;
        f.window->openContactWindow(2);
        auto* contact = f.shown<ContactWindow>();
        QVERIFY(contact);
        QCOMPARE(f.window->session().currentRecord(), 2);
        QTest::mouseClick(contact->findChild<QPushButton*>(QStringLiteral("cmdPrintLabel")), Qt::LeftButton);
        QVERIFY(!contact->isVisible());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.line(1)->text(), QStringLiteral("Bob Dee"));
        f.action("mnuViewOne")->trigger();
        QCOMPARE(f.shown<ContactWindow>(), contact);
        QCOMPARE(f.window->session().currentRecord(), 2);
    }

    // A hidden contact window does not outlive its file.
    void closingTheFile_unloadsHiddenContactWindow()
    {
        ContactWindowsFixture f;
        f.window->openContactWindow(3);
        QPointer<ContactWindow> contact = f.shown<ContactWindow>();
        QVERIFY(contact);
        QTest::mouseClick(contact->findChild<QPushButton*>(QStringLiteral("cmdPrintLabel")), Qt::LeftButton);
        f.action("mnuFileClose")->trigger();
        QTRY_VERIFY(contact.isNull());
        QCOMPARE(f.window->session().currentRecord(), 0);
        QVERIFY(f.window->isVisible());
    }

    void listCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("all") << "mnuViewAll";
        QTest::newRow("search") << "mnuSrchContacts";
    }
    void listCommands()
    {
        QFETCH(QString, command);
        ContactWindowsFixture f;
        f.window->findChild<QAction*>(command)->trigger();
        auto* list = f.shown<ContactListWindow>();
        QVERIFY(list);
        QVERIFY(!f.window->isVisible());
        QVERIFY(list->findChild<QWidget*>(QStringLiteral("frSearch"))->isVisible());
        QVERIFY(list->findChild<QRadioButton*>(QStringLiteral("optSearchAll"))->isChecked());
        QVERIFY(list->findChild<QRadioButton*>(QStringLiteral("optFnameSort"))->isChecked());
        QVERIFY(list->close());
        QVERIFY(f.window->isVisible());
    }

    // Other windows open centred over the main window, which comes back where it was.
    // Other windows open centred over the main window, inside the screen; the main
    // window comes back where it was.
    void windowsOpenCentredAndTheMainWindowKeepsItsPlace_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("list") << "mnuViewAll";
        QTest::newRow("contact") << "mnuViewOne";
    }
    void windowsOpenCentredAndTheMainWindowKeepsItsPlace()
    {
        QFETCH(QString, command);
        ContactWindowsFixture f;
        f.window->move(-300, 30);
        const QRect before = f.window->geometry();
        f.action(command.toLatin1().constData())->trigger();
        QWidget* opened = f.shown<ContactWindow>();
        if (!opened)
            opened = f.shown<ContactListWindow>();
        QVERIFY(opened);
        const QRect screen = opened->screen()->availableGeometry();
        QVERIFY(screen.contains(opened->frameGeometry()));
        QVERIFY(opened->close());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->geometry(), before);
    }

    // Escape closes each window and brings the main window back.
    void escapeCloses_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("add contact") << "mnuAdd";
        QTest::newRow("contact information") << "mnuViewOne";
        QTest::newRow("list") << "mnuViewAll";
        QTest::newRow("import") << "mnuImport";
        QTest::newRow("export") << "mnuExport";
    }
    void escapeCloses()
    {
        QFETCH(QString, command);
        ContactWindowsFixture f;
        f.type(1, QStringLiteral("Dana K Ortiz"));
        f.action(command.toLatin1().constData())->trigger();
        QVERIFY(!f.window->isVisible());
        QWidget* opened = nullptr;
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible())
                opened = shown;
        }
        QVERIFY(opened);
        QTest::keyClick(opened->focusWidget() ? opened->focusWidget() : opened, Qt::Key_Escape);
        QVERIFY(!opened->isVisible());
        QVERIFY(f.window->isVisible());
    }

    // Enter on a focused button presses it; the main window's mnemonics are unique.
    void enterPressesTheFocusedButton_andMnemonicsDoNotCollide()
    {
        ContactWindowsFixture f;
        f.type(1, QStringLiteral("Dana"));
        auto* clear = f.get<QPushButton>("cmdLMClear");
        clear->setFocus();
        QTest::keyClick(clear, Qt::Key_Return);
        QCOMPARE(f.line(1)->text(), QString());
        QStringList keys;
        for (QAbstractButton* control : f.window->findChildren<QAbstractButton*>()) {
            if (!control->text().isEmpty())
                keys << QKeySequence::mnemonic(control->text()).toString();
        }
        for (QAction* menu : f.window->menuBar()->actions())
            keys << QKeySequence::mnemonic(menu->text()).toString();
        QVERIFY(!keys.contains(QString()));
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        for (QAction* menu : f.window->menuBar()->actions()) {
            QStringList items;
            for (QAction* item : menu->menu()->actions()) {
                if (!item->isSeparator())
                    items << QKeySequence::mnemonic(item->text()).toString();
            }
            QVERIFY2(!items.contains(QString()), qPrintable(menu->text()));
            QVERIFY2(QSet<QString>(items.begin(), items.end()).size() == items.size(), qPrintable(items.join(u' ')));
        }
    }

    // Where the screen has room, Add Contact opens at the size its form needs: no field
    // is hidden below a scroll bar.
    void addContactOpensWithItsWholeForm()
    {
        ContactWindowsFixture f;
        f.action("mnuAdd")->trigger();
        auto* window = f.shown<AddContactWindow>();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* area = window->findChild<QScrollArea*>(QStringLiteral("formScrollArea"));
        QVERIFY(area);
        QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
        QVERIFY(!area->verticalScrollBar()->isVisible());
        for (const QLineEdit* field : area->widget()->findChildren<QLineEdit*>()) {
            const QRect onArea(field->mapTo(area->viewport(), QPoint(0, 0)), field->size());
            QVERIFY2(area->viewport()->rect().contains(onArea), qPrintable(field->objectName()));
        }
    }

    // Alt and a letter presses a button of the contact windows instead of typing the
    // letter; no letter is that of a menu (a desktop may give menus their first letter).
    void contactWindowButtonsHaveTheirOwnMnemonics_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("add contact") << "mnuAdd";
        QTest::newRow("contact information") << "mnuViewOne";
    }
    void contactWindowButtonsHaveTheirOwnMnemonics()
    {
        QFETCH(QString, command);
        ContactWindowsFixture f;
        f.type(1, QStringLiteral("Dana K Ortiz"));
        f.action(command.toLatin1().constData())->trigger();
        QWidget* opened = f.shown<AddContactWindow>();
        if (!opened)
            opened = f.shown<ContactWindow>();
        QVERIFY(opened);
        QStringList menuLetters;
        for (const QAction* menu : opened->findChild<QMenuBar*>()->actions())
            menuLetters << menu->text().remove(QLatin1Char('&')).left(1).toUpper();
        QStringList keys;
        for (const QPushButton* button : opened->findChildren<QPushButton*>()) {
            if (button->text().contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
                keys << QKeySequence::mnemonic(button->text()).toString().remove(QStringLiteral("Alt+"));
        }
        QVERIFY2(!keys.contains(QString()), qPrintable(keys.join(u' ')));
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        for (const QString& letter : menuLetters)
            QVERIFY2(!keys.contains(letter), qPrintable(letter));
    }

    void centredPosition_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("centred") << QRect(100, 100, 400, 300) << QPoint(200, 175);
        QTest::newRow("kept off the left edge") << QRect(-300, 100, 400, 300) << QPoint(0, 175);
        QTest::newRow("kept off the bottom") << QRect(500, 400, 300, 200) << QPoint(550, 400);
    }
    void centredPosition()
    {
        QFETCH(QRect, anchor);
        QFETCH(QPoint, expected);
        QCOMPARE(quillet::centredPosition(QSize(200, 150), anchor, QRect(0, 0, 800, 550)), expected);
    }

    void addContact_opensFilledWindow()
    {
        ContactWindowsFixture f;
        f.type(1, QStringLiteral("John Q Smith"));
        f.type(2, QStringLiteral("12 Oak Street"));
        f.type(3, QStringLiteral("Springfield, IL 62701"));
        f.click("cmdAddContact");
        auto* add = f.shown<AddContactWindow>();
        QVERIFY(add);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(add->fieldText(FormField::FirstName), QStringLiteral("John"));
        QCOMPARE(add->fieldText(FormField::LastName), QStringLiteral("Smith"));
        QVERIFY(add->close());
        QVERIFY(f.window->isVisible());
    }

    void addContact_lineWithoutSpace_staysInMainWindow()
    {
        ContactWindowsFixture f;
        f.type(1, QStringLiteral("Cher"));
        f.click("cmdAddContact");
        QVERIFY(!f.shown<AddContactWindow>());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.scripted.prompter.messages.last().text, QStringLiteral("Line 1 must contain a space."));
    }

    // The manual's pictures of the contact windows, as a user meets them.
    void screenshots()
    {
        ContactWindowsFixture f;
        f.type(1, QStringLiteral("Dana K Ortiz"));
        f.type(2, QStringLiteral("40 Birch Avenue Apt 3"));
        f.type(3, QStringLiteral("Columbus, OH 43004"));
        f.click("cmdAddContact");
        auto* add = f.shown<AddContactWindow>();
        QVERIFY(add);
        QVERIFY(QTest::qWaitForWindowExposed(add));
        QVERIFY(test::saveScreenshot(add, QStringLiteral("add-contact.png")));
        add->close();

        f.window->openContactWindow(2);
        auto* contact = f.shown<ContactWindow>();
        QVERIFY(contact);
        QVERIFY(QTest::qWaitForWindowExposed(contact));
        QVERIFY(test::saveScreenshot(contact, QStringLiteral("contact-information.png")));
        contact->close();

        f.action("mnuViewAll")->trigger();
        auto* list = f.shown<ContactListWindow>();
        QVERIFY(list);
        QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("cmdACGetReport")), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QVERIFY(test::saveScreenshot(list, QStringLiteral("contact-list.png")));
    }
};

QTEST_MAIN(TestContactWindows)
#include "tst_contactwindows.moc"
