#include "support/MainWindowFixture.h"

#include "gui/main/MainCaption.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

using namespace quillet;
using quillet::test::MainWindowFixture;

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startState()
    {
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillet - labels, envelopes and an address book"));
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

    void fileMenuOrder()
    {
        MainWindowFixture f;
        QStringList names;
        for (QAction* item : f.get<QMenu>("mnuFile")->actions())
            names << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
        QCOMPARE(names, QStringList({"mnuFileNew", "mnuFileOpen", "mnuFileRecent", "mnuFileClose", "-", "mnuFileBdayOn",
                                     "mnuFileBdayOff", "-", "mnuFilePrint", "mnuFilePrintPreview",
                                     "mnuFileReturnAddressPreview", "-", "mnuFileLabelSheet", "mnuFilePrinterOffset",
                                     "mnuFileCalibrationPage", "mnuFileCalibrationPreview", "-", "mnuFileExit"}));
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

    // The margins of every position are the printing options test's; these rows check what the window asks.
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
        QTest::newRow("31, then cancel") << QStringList{"31"} << "2"
                                         << "3"
                                         << "" << QStringList{ask, "beep", "message:Cannot be greater than 30", ask};
        QTest::newRow("abc, then 4") << QStringList{"abc", "4"} << "2"
                                     << "10"
                                     << "Label Position 4"
                                     << QStringList{ask, "beep", "message:Enter a number between 1 and 30", ask};
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

    // The presets of every size are the unit tests' concern; one size shows the window applies them.
    void envelopePresets_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("sizeLeft");
        QTest::addColumn<QString>("sizeTop");
        QTest::addColumn<QString>("envelopeLeft");
        QTest::addColumn<QString>("envelopeTop");
        QTest::newRow("#6 3/4") << 2 << "23"
                                << "32"
                                << "28"
                                << "39";
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

    // The margins go back to label 1, and the position caption goes with them.
    void portraitAfterPosition_dropsTheCaption()
    {
        MainWindowFixture f;
        f.chooseLabel({"5"});
        QCOMPARE(f.get<QLabel>("lblLMPosition")->text(), QStringLiteral("Label Position 5"));
        f.click("optPortrait");
        QCOMPARE(f.leftPad(), QStringLiteral("2"));
        QCOMPARE(f.topPad(), QStringLiteral("3"));
        QCOMPARE(f.get<QLabel>("lblLMPosition")->text(), QString());
        QVERIFY(f.get("lblLMPosition")->isHidden());
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
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
