#include "MainWindowFixture.h"

#include "help/Help.h"
#include "help/UserManual.h"
#include "help/frmLMAbout.h"
#include "shell/MainCaption.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

using namespace quillet;
using quillet::test::MainWindowFixture;

namespace {

// Records the order in which windows are closed.
class CloseRecorder : public QWidget
{
public:
    CloseRecorder(QString name, QStringList& log, WindowHost* host = nullptr)
        : m_name(std::move(name)), m_log(log), m_host(host)
    {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        m_log << m_name;
        // As the contact windows do: closing hands back to the main window.
        if (m_host)
            m_host->returnToMainWindow();
        QWidget::closeEvent(event);
    }

private:
    QString m_name;
    QStringList& m_log;
    WindowHost* m_host;
};

QSettings programSettings()
{
    return QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        programSettings().clear();
    }

    void startState()
    {
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QCOMPARE(f.window->windowTitle(), startupCaption());
        QCOMPARE(f.get<QLabel>("lblLMInstruct")->text(),
                 QStringLiteral("Quillet prints labels (compatible with Avery 5160 and 8160 labels) and envelopes.\r\n"
                                "Power tip: click 'Search Contacts' to print labels for a specific subset of your "
                                "contacts."));
        QCOMPARE(f.leftPad(), QStringLiteral("2"));
        QCOMPARE(f.topPad(), QStringLiteral("3"));
        QVERIFY(!f.get<QRadioButton>("optLMLabel")->isChecked());
        QVERIFY(!f.get<QRadioButton>("optLMEnvelope")->isChecked());
        QVERIFY(f.get<QRadioButton>("optPortrait")->isChecked());
        QVERIFY(f.get<QRadioButton>("optLMLeftjust")->isChecked());
        QVERIFY(f.get("cboLMEnvelope")->isHidden());
        QCOMPARE(f.get<QComboBox>("cboLMEnvelope")->count(), 7);
        QVERIFY(f.get("chkBold")->isHidden());
        QVERIFY(!f.get<QCheckBox>("chkBold")->isChecked());
        QVERIFY(f.get("txtFileNam")->isHidden());
        QVERIFY(f.get("txtFileTitle")->isHidden());
        QCOMPARE(QApplication::focusWidget(), f.line(1));
        for (const char* name : {"cmdAddContact", "cmdFindContact"})
            QVERIFY2(!f.get(name)->isEnabled(), name);
    }

    void controlTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        QTest::newRow("line 3 label") << "lblLMLine3"
                                      << "Line #3:"
                                      << "";
        QTest::newRow("left margin") << "lblLMLeftpad"
                                     << "No. of indents (Left margin)  --->"
                                     << "";
        QTest::newRow("top margin") << "lblLMToppad"
                                    << "No. of pad rows (Top margin):"
                                    << "";
        QTest::newRow("bold") << "chkBold"
                              << "Bold"
                              << "If checked, will print envelope in bold";
        QTest::newRow("return address") << "cmdRetAddress"
                                        << "Return Address Labels"
                                        << "Prints 80 return address labels on Avery 18167 (1/2\" x 1 3/4\") labels";
        QTest::newRow("add") << "cmdAddContact"
                             << "Add Contact"
                             << "Add a new contact to file";
        QTest::newRow("find") << "cmdFindContact"
                              << "Find Contact"
                              << "Retrieve a contact from file";
        QTest::newRow("zip") << "cmdZipFinder"
                             << "Zip Code Finder"
                             << "Look up Zip Code";
        QTest::newRow("label stock") << "optLMLabel"
                                     << "Label stock"
                                     << "";
        QTest::newRow("centered") << "optLMCenter"
                                  << "Centered"
                                  << "";
    }
    void controlTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, tip);
        MainWindowFixture f;
        QWidget* control = f.get(name.toLatin1().constData());
        QCOMPARE(control->property("text").toString(), text);
        QCOMPARE(control->toolTip(), tip);
    }

    void tabOrder()
    {
        MainWindowFixture f;
        const QStringList expected{"cmdLMStart",  "txtLMLine1",   "txtLMLine2",  "txtLMline3",    "txtLMLine4",
                                   "txtLMLine5",  "txtLMLeftPad", "txtLMToppad", "optLMLeftjust", "optLMCenter",
                                   "optPortrait", "optLandscape", "cmdLMClear",  "cmdLMExit"};
        QStringList chain;
        QWidget* widget = f.get("cmdLMStart");
        while (chain.size() < expected.size()) {
            chain << widget->objectName();
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(chain, expected);
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("enabledWithoutFile");
        QTest::newRow("new") << "mnuFileNew"
                             << "New" << QKeySequence() << true;
        QTest::newRow("open") << "mnuFileOpen"
                              << "Open" << QKeySequence(QStringLiteral("Ctrl+O")) << true;
        QTest::newRow("close") << "mnuFileClose"
                               << "Close" << QKeySequence() << true;
        QTest::newRow("bday on") << "mnuFileBdayOn"
                                 << "Enable Birthday Reminders" << QKeySequence() << false;
        QTest::newRow("bday off") << "mnuFileBdayOff"
                                  << "Disable Birthday Reminders" << QKeySequence() << false;
        QTest::newRow("print") << "mnuFilePrint"
                               << "Print" << QKeySequence(QStringLiteral("Ctrl+P")) << true;
        QTest::newRow("preview") << "mnuFilePrintPreview"
                                 << "Print Preview" << QKeySequence() << true;
        QTest::newRow("exit") << "mnuFileExit"
                              << "Exit" << QKeySequence() << true;
        QTest::newRow("cut") << "mnuLMEditCut"
                             << "Cut" << QKeySequence(QStringLiteral("Ctrl+X")) << true;
        QTest::newRow("paste") << "mnuLMEditPaste"
                               << "Paste" << QKeySequence(QStringLiteral("Ctrl+V")) << true;
        QTest::newRow("add") << "mnuAdd"
                             << "Add Contact" << QKeySequence() << false;
        QTest::newRow("delete") << "mnuDelete"
                                << "Delete Contact" << QKeySequence() << false;
        QTest::newRow("search") << "mnuSrchContacts"
                                << "Search Contacts" << QKeySequence() << false;
        QTest::newRow("import") << "mnuImport"
                                << "Import Contacts" << QKeySequence() << false;
        QTest::newRow("export") << "mnuExport"
                                << "Export Contacts" << QKeySequence() << false;
        QTest::newRow("one") << "mnuViewOne"
                             << "One Contact" << QKeySequence() << false;
        QTest::newRow("all") << "mnuViewAll"
                             << "All Contacts" << QKeySequence() << false;
        QTest::newRow("manual") << "mnuManual"
                                << "User Manual" << QKeySequence(QStringLiteral("F1")) << true;
        QTest::newRow("about") << "mnuAbout"
                               << "About Quillet" << QKeySequence() << true;
    }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabledWithoutFile);
        MainWindowFixture f;
        QAction* item = f.action(name.toLatin1().constData());
        QCOMPARE(item->text(), text);
        QCOMPARE(item->shortcut(), shortcut);
        QCOMPARE(item->isEnabled(), enabledWithoutFile);
    }

    void fileMenuOrder()
    {
        MainWindowFixture f;
        QStringList names;
        for (QAction* item : f.get<QMenu>("mnuFile")->actions())
            names << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
        QCOMPARE(names,
                 QStringList({"mnuFileNew", "mnuFileOpen", "mnuFileClose", "-", "mnuFileBdayOn", "mnuFileBdayOff", "-",
                              "mnuFilePrint", "mnuFilePrintPreview", "-", "mnuFileExit"}));
    }

    void enterKey_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("line 1, Return") << 1 << int(Qt::Key_Return) << "txtLMLine2";
        QTest::newRow("line 3, Enter") << 3 << int(Qt::Key_Enter) << "txtLMLine4";
        QTest::newRow("line 4, Return") << 4 << int(Qt::Key_Return) << "txtLMLine5";
        QTest::newRow("line 5 stays") << 5 << int(Qt::Key_Return) << "txtLMLine5";
    }
    void enterKey()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(QString, focusAfter);
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.line(from)->setFocus();
        QTest::keyClicks(f.line(from), QStringLiteral("ab"));
        QTest::keyClick(f.line(from), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
        QCOMPARE(f.line(from)->text(), QStringLiteral("ab"));
    }

    void labelPosition_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("caption"); // empty: no position, no media
        QTest::addColumn<QStringList>("events");
        const QString ask = QStringLiteral("input:Enter the label position [1-30] on which to print.  Example: label "
                                           "position 5 would be the middle label on the 2nd row of label sheet.");
        QTest::newRow("5") << QStringList{"5"} << "35"
                           << "10"
                           << "Label Position 5" << QStringList{ask};
        QTest::newRow("30") << QStringList{"30"} << "68"
                            << "63"
                            << "Label Position 30" << QStringList{ask};
        QTest::newRow("28") << QStringList{"28"} << "2"
                            << "63"
                            << "Label Position 28" << QStringList{ask};
        QTest::newRow("05") << QStringList{"05"} << "35"
                            << "10"
                            << "Label Position 5" << QStringList{ask};
        QTest::newRow("31, then cancel") << QStringList{"31"} << "2"
                                         << "3"
                                         << "" << QStringList{ask, "beep", "message:Cannot be greater than 30", ask};
        QTest::newRow("abc, then 4") << QStringList{"abc", "4"} << "2"
                                     << "10"
                                     << "Label Position 4"
                                     << QStringList{ask, "beep", "message:Enter a number between 1 and 30", ask};
        QTest::newRow("two letters") << QStringList{"ab"} << "2"
                                     << "3"
                                     << "" << QStringList{ask};
        QTest::newRow("cancel") << QStringList{} << "2"
                                << "3"
                                << "" << QStringList{ask};
    }
    void labelPosition()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(QString, caption);
        QFETCH(QStringList, events);
        MainWindowFixture f;
        f.chooseLabel(answers);
        QCOMPARE(f.scripted.prompter.events, events);
        QCOMPARE(f.leftPad(), left);
        QCOMPARE(f.topPad(), top);
        QCOMPARE(f.get<QLabel>("lblLMPosition")->text(), caption);
        QCOMPARE(f.get("lblLMPosition")->isVisible(), !caption.isEmpty());
        QCOMPARE(f.get<QRadioButton>("optLMLabel")->isChecked(), !caption.isEmpty());
        QVERIFY(!f.get<QRadioButton>("optLMEnvelope")->isChecked());
        QVERIFY(f.get<QRadioButton>("optPortrait")->isChecked());
        for (const ShownMessage& shown : f.scripted.prompter.messages)
            QCOMPARE(shown.icon, MessageIcon::Exclamation);
    }

    void labelPositionMessageTitles()
    {
        MainWindowFixture f;
        f.chooseLabel({"100", "1.5", "1"});
        QCOMPARE(f.scripted.prompter.messages.size(), 2);
        QCOMPARE(f.scripted.prompter.messages[0].title, QStringLiteral("Enter a number between 1 and 30"));
        QCOMPARE(f.scripted.prompter.messages[1].title, QStringLiteral("There are 30 labels on label sheet"));
        QCOMPARE(f.scripted.prompter.beeps, 2);
    }

    void envelopePresets_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("sizeLeft");
        QTest::addColumn<QString>("sizeTop");
        QTest::addColumn<QString>("envelopeLeft");
        QTest::addColumn<QString>("envelopeTop");
        QTest::newRow("#10") << 1 << "38"
                             << "33"
                             << "43"
                             << "39";
        QTest::newRow("#6 3/4") << 2 << "23"
                                << "32"
                                << "28"
                                << "39";
        QTest::newRow("#A2") << 3 << "20"
                             << "32"
                             << "24"
                             << "37";
        QTest::newRow("#A7") << 4 << "28"
                             << "30"
                             << "34"
                             << "36";
        QTest::newRow("#A8") << 5 << "30"
                             << "30"
                             << "36"
                             << "36";
        QTest::newRow("#A10") << 6 << "36"
                              << "25"
                              << "44"
                              << "30";
        QTest::newRow("custom") << 7 << "30"
                                << "30"
                                << "36"
                                << "36";
    }
    void envelopePresets()
    {
        QFETCH(int, size);
        QFETCH(QString, sizeLeft);
        QFETCH(QString, sizeTop);
        QFETCH(QString, envelopeLeft);
        QFETCH(QString, envelopeTop);
        MainWindowFixture f;
        f.type(1, QStringLiteral("x"));
        f.click("optLMEnvelope");
        // The first choice of Envelope shows the list and sets no margins.
        QVERIFY(f.get("cboLMEnvelope")->isVisible());
        QVERIFY(f.get<QRadioButton>("optLandscape")->isChecked());
        QCOMPARE(f.leftPad(), QStringLiteral("2"));
        QVERIFY(f.get("chkBold")->isHidden());

        f.chooseEnvelopeSize(size);
        QCOMPARE(f.leftPad(), sizeLeft);
        QCOMPARE(f.topPad(), sizeTop);
        QVERIFY(f.get("chkBold")->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.line(1));

        f.chooseLabel({"1"});
        f.click("optLMEnvelope");
        QCOMPARE(f.leftPad(), envelopeLeft);
        QCOMPARE(f.topPad(), envelopeTop);
        QVERIFY(f.get<QRadioButton>("optLandscape")->isChecked());
        QVERIFY(f.get("chkBold")->isHidden());
        QCOMPARE(f.get<QLabel>("lblLMPosition")->text(), QString());
    }

    void portraitAfterPosition()
    {
        MainWindowFixture f;
        f.chooseLabel({"5"});
        f.click("optLandscape");
        f.click("optPortrait");
        QCOMPARE(f.leftPad(), QStringLiteral("2"));
        QCOMPARE(f.topPad(), QStringLiteral("3"));
        QCOMPARE(f.get<QLabel>("lblLMPosition")->text(), QStringLiteral("Label Position 5"));
        QVERIFY(f.get<QRadioButton>("optLMLabel")->isChecked());
    }

    void clearForm()
    {
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        for (int n = 1; n <= 5; ++n)
            f.type(n, QStringLiteral("line"));
        f.click("optLMEnvelope");
        f.chooseEnvelopeSize(3);
        f.click("chkBold");
        f.click("optLMCenter");
        f.click("cmdLMClear");

        QCOMPARE(f.window->labelLines(), QStringList(5, QString()));
        QVERIFY(!f.get<QRadioButton>("optLMLabel")->isChecked());
        QVERIFY(!f.get<QRadioButton>("optLMEnvelope")->isChecked());
        QVERIFY(f.get("cboLMEnvelope")->isHidden());
        QVERIFY(f.get("lblLMPosition")->isHidden());
        QVERIFY(f.get("chkBold")->isHidden());
        QVERIFY(!f.get<QCheckBox>("chkBold")->isChecked());
        QCOMPARE(f.leftPad(), QStringLiteral("2"));
        QCOMPARE(f.topPad(), QStringLiteral("3"));
        QCOMPARE(QApplication::focusWidget(), f.line(1));
        // Orientation, alignment and the chosen size stay.
        QVERIFY(f.get<QRadioButton>("optLandscape")->isChecked());
        QVERIFY(f.get<QRadioButton>("optLMCenter")->isChecked());
        QCOMPARE(f.get<QComboBox>("cboLMEnvelope")->currentIndex(), 2);

        f.type(1, QStringLiteral("John"));
        f.click("cmdLMStart");
        QCOMPARE(f.scripted.prompter.messages.constLast().text, QStringLiteral("Select Label stock or Envelope"));
    }

    void editMenu()
    {
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* edit = f.get<QMenu>("mnuLMEdit");
        const auto dropDown = [&] {
            edit->popup(f.window->mapToGlobal(QPoint(0, 0)));
            edit->hide();
        };
        // Before the menu has ever dropped down both are enabled.
        QVERIFY(f.action("mnuLMEditCut")->isEnabled());
        dropDown();
        QVERIFY(!f.action("mnuLMEditCut")->isEnabled());
        QVERIFY(!f.action("mnuLMEditCopy")->isEnabled());
        QVERIFY(f.action("mnuLMEditPaste")->isEnabled());

        f.type(1, QStringLiteral("John Smith"));
        f.line(1)->setSelection(5, 5);
        dropDown();
        QVERIFY(f.action("mnuLMEditCut")->isEnabled());
        f.action("mnuLMEditCut")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Smith"));
        QCOMPARE(f.line(1)->text(), QStringLiteral("John "));

        f.line(2)->setFocus();
        f.action("mnuLMEditPaste")->trigger();
        QCOMPARE(f.line(2)->text(), QStringLiteral("Smith"));

        // A control without text keeps Cut and Copy off and leaves the clipboard alone.
        f.get("cmdLMClear")->setFocus();
        dropDown();
        QVERIFY(!f.action("mnuLMEditCopy")->isEnabled());
        f.action("mnuLMEditCopy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Smith"));
    }

    void shutdownWritesSettings()
    {
        programSettings().clear();
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QRect frame = f.window->frameGeometry();
        const double twipsPerPixel = 1440.0 / f.window->screen()->logicalDotsPerInch();
        f.click("cmdLMExit");
        QVERIFY(!f.window->isVisible());
        QSettings settings = programSettings();
        settings.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(settings.value("MainWidth").toString(), QString::number(qRound(frame.width() * twipsPerPixel)));
        QCOMPARE(settings.value("MainHeight").toString(), QString::number(qRound(frame.height() * twipsPerPixel)));
        QCOMPARE(settings.value("MainLeft").toString(), QString::number(qRound(frame.x() * twipsPerPixel)));
        QCOMPARE(settings.value("MainTop").toString(), QString::number(qRound(frame.y() * twipsPerPixel)));
    }

    void minimizedWritesNothing()
    {
        programSettings().clear();
        MainWindowFixture f;
        f.window->showMinimized();
        f.action("mnuFileExit")->trigger();
        QVERIFY(programSettings().allKeys().isEmpty());
    }

    void shutdownClosesOtherWindowsMostRecentFirst()
    {
        QStringList closed;
        auto* about = new CloseRecorder(QStringLiteral("about"), closed);
        MainWindowFixture f;
        auto* list = new CloseRecorder(QStringLiteral("list"), closed, f.window.get());
        about->setAttribute(Qt::WA_DeleteOnClose);
        list->setAttribute(Qt::WA_DeleteOnClose);
        about->show();
        f.window->openWindow(list);
        QVERIFY(!f.window->isVisible());
        f.window->quitProgram();
        QCOMPARE(closed, QStringList({"list", "about"}));
        // The list window's hand-back during shutdown does not show the main window again.
        QVERIFY(!f.window->isVisible());
    }

    void contactCommandsNeedAFile()
    {
        MainWindowFixture f;
        int runs = 0;
        f.window->setContactCommand(ContactCommand::ContactList, [&] { ++runs; });
        f.action("mnuViewAll")->trigger();
        QCOMPARE(runs, 0);
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("A.DAT"), "A.DAT"});
        f.action("mnuFileNew")->trigger();
        f.action("mnuViewAll")->trigger();
        f.action("mnuSrchContacts")->trigger();
        QCOMPARE(runs, 2);
    }

    void helpCommands()
    {
        MainWindowFixture f;
        f.click("cmdPeopleFind");
        f.click("cmdZipFinder");
        QCOMPARE(f.scripted.desktop.openedUrls, QList<QUrl>({peopleFinderUrl, zipCodeFinderUrl}));
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        QCOMPARE(f.scripted.desktop.openedDocuments, QStringList{manualPath()});
        QVERIFY(f.window->isVisible());
    }

    void aboutClosesWithTheMainWindow()
    {
        MainWindowFixture f;
        f.action("mnuAbout")->trigger();
        f.action("mnuAbout")->trigger();
        const QList<frmLMAbout*> abouts = f.window->findChildren<frmLMAbout*>();
        QCOMPARE(abouts.size(), 2);
        const QPointer<frmLMAbout> about = abouts.first();
        QVERIFY(about->isVisible());
        QVERIFY(f.window->isVisible());
        f.action("mnuFileExit")->trigger();
        QVERIFY(!about || !about->isVisible());
    }

    void contactWindowHandOverNeedsAFile()
    {
        MainWindowFixture f;
        QList<int> opened;
        f.window->setContactWindowOpener([&](int record) { opened << record; });
        WindowHost& host = *f.window;
        host.openContactWindow(3);
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("A.DAT"), "A.DAT"});
        f.action("mnuFileNew")->trigger();
        host.openContactWindow(4);
        QCOMPARE(opened, QList<int>{4});
    }

    void fillLabelLinesFromContactWindow()
    {
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.click("optLMEnvelope");
        f.chooseEnvelopeSize(1);
        f.click("chkBold");
        f.window->hide();
        WindowHost& host = *f.window;
        host.fillLabelLines({"Ann Lee", "1 Main St", "Springfield, IL  62701"});
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->labelLines(),
                 QStringList({"Ann Lee", "1 Main St", "Springfield, IL  62701", QString(), QString()}));
        QVERIFY(f.get("chkBold")->isHidden());
        QVERIFY(!f.get<QCheckBox>("chkBold")->isChecked());
    }

    // Saves the main window as the README shows it when QUILLET_SCREENSHOT_DIR is set.
    void screenshot()
    {
        const QString folder = qEnvironmentVariable("QUILLET_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("QUILLET_SCREENSHOT_DIR not set");
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.type(1, QStringLiteral("John Smith"));
        f.type(2, QStringLiteral("1 Main St"));
        f.type(3, QStringLiteral("Springfield, IL  62701"));
        f.chooseLabel({"5"});
        QVERIFY(QDir().mkpath(folder));
        const QString path = QDir(folder).filePath(QStringLiteral("main-window.png"));
        QVERIFY(f.window->grab().save(path));
        QVERIFY(QImage(path).width() > 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
