#include "support/MainWindowFixture.h"

#include "core/common/AppError.h"
#include "core/printing/GridTranscript.h"

using namespace quillet;
using quillet::test::MainWindowFixture;

namespace {

QString transcriptOfJob(const MainWindowFixture& f, int job)
{
    return gridTranscript(f.scripted.printTarget.jobs.at(job).document);
}

void typeAddress(const MainWindowFixture& f)
{
    f.type(1, QStringLiteral("John Smith"));
    f.type(2, QStringLiteral("1 Main St"));
    f.type(3, QStringLiteral("Springfield, IL  62701"));
}

// John Smith's address on label 5 of the built-in sheet: row 2, the middle column.
QString labelFiveTranscript()
{
    QString expected = QStringLiteral("page 1 portrait\n");
    for (int n = 1; n <= 11; ++n)
        expected += QStringLiteral("%1 10 |\n").arg(n);
    const QString column35(34, u' ');
    expected += "12 10 |" + column35 + "John Smith\n";
    expected += "13 10 |" + column35 + "1 Main St\n";
    expected += "14 10 |" + column35 + "Springfield, IL  62701\n";
    expected += QStringLiteral("15 10 |\n16 10 |\n");
    return expected;
}

} // namespace

class TestMainWindowPrint : public QObject
{
    Q_OBJECT
private slots:
    void printChecks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("media"); // "", "label", "envelope"
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("nothing typed") << ""
                                       << "label"
                                       << "button"
                                       << "No information entered"
                                       << "Missing Data";
        QTest::newRow("spaces count as typed, no media") << " "
                                                         << ""
                                                         << "menu"
                                                         << "Select Label stock or Envelope"
                                                         << "Media Selection";
        QTest::newRow("no media, Ctrl+P") << "x"
                                          << ""
                                          << "ctrl+p"
                                          << "Select Label stock or Envelope"
                                          << "Media Selection";
        QTest::newRow("envelope without size") << "x"
                                               << "envelope"
                                               << "button"
                                               << "Select Envelope size"
                                               << "Envelope Size";
    }
    void printChecks()
    {
        QFETCH(QString, line);
        QFETCH(QString, media);
        QFETCH(QString, trigger);
        QFETCH(QString, message);
        QFETCH(QString, title);
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.type(3, line);
        if (media == QLatin1String("label"))
            f.chooseLabel({"5"});
        else if (media == QLatin1String("envelope"))
            f.click("optLMEnvelope");
        f.scripted.prompter.events.clear();
        if (trigger == QLatin1String("button"))
            f.click("cmdLMStart");
        else if (trigger == QLatin1String("menu"))
            f.action("mnuFilePrint")->trigger();
        else
            QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.scripted.prompter.events, QStringList({"beep", "message:" + message}));
        QCOMPARE(f.scripted.prompter.messages.constLast().title, title);
        QCOMPARE(f.scripted.prompter.messages.constLast().icon, MessageIcon::Exclamation);
        QVERIFY(f.scripted.printDialog.requests.isEmpty());
        QVERIFY(f.scripted.printTarget.jobs.isEmpty());
    }

    void printLabelJob()
    {
        MainWindowFixture f;
        typeAddress(f);
        f.chooseLabel({"5"});
        f.click("cmdLMStart");
        QCOMPARE(f.scripted.printDialog.requests.size(), 1);
        QCOMPARE(f.scripted.printTarget.jobs.size(), 1);
        QCOMPARE(transcriptOfJob(f, 0), labelFiveTranscript());
        QCOMPARE(f.scripted.printTarget.jobs[0].job.documentName, QStringLiteral("Label – John Smith"));
        QVERIFY(f.scripted.prompter.messages.isEmpty());
    }

    void eachCopyItsOwnJob()
    {
        MainWindowFixture f;
        typeAddress(f);
        f.chooseLabel({"1"});
        PrintChoice twoCopies;
        twoCopies.cancelled = false;
        twoCopies.printerName = QStringLiteral("QuilletPDF");
        twoCopies.copies = 2;
        f.scripted.printDialog.answers.enqueue(twoCopies);
        f.action("mnuFilePrint")->trigger();
        QCOMPARE(f.scripted.printTarget.jobs.size(), 2);
        QCOMPARE(f.scripted.printTarget.jobs[1].job.printerName, QStringLiteral("QuilletPDF"));
        QCOMPARE(transcriptOfJob(f, 1), transcriptOfJob(f, 0));
    }

    void boldAfterPrinting_data()
    {
        QTest::addColumn<bool>("label");
        QTest::addColumn<bool>("boldAfter");
        QTest::newRow("label stock unchecks and hides Bold") << true << false;
        QTest::newRow("envelope keeps Bold") << false << true;
    }
    void boldAfterPrinting()
    {
        QFETCH(bool, label);
        QFETCH(bool, boldAfter);
        MainWindowFixture f;
        typeAddress(f);
        if (label) {
            f.chooseLabel({"2"});
            // Choosing label stock hides Bold already; put it back to see Print clear it.
            f.get("chkBold")->show();
            f.get<QCheckBox>("chkBold")->setChecked(true);
        } else {
            f.click("optLMEnvelope");
            f.chooseEnvelopeSize(1);
            f.click("chkBold");
        }
        f.click("cmdLMStart");
        QCOMPARE(f.scripted.printTarget.jobs.size(), 1);
        QCOMPARE(f.get<QCheckBox>("chkBold")->isChecked(), boldAfter);
        QCOMPARE(f.get("chkBold")->isVisible(), boldAfter);
        QCOMPARE(transcriptOfJob(f, 0).contains(QLatin1String(" 12b |")), boldAfter);
    }

    void printFailures_data()
    {
        QTest::addColumn<QString>("leftPad");
        QTest::addColumn<bool>("cancelDialog");
        QTest::addColumn<int>("failingJobs");
        QTest::addColumn<AppError>("failure");
        QTest::addColumn<QString>("message"); // empty: none
        const AppError refused = errors::deviceIO();
        QTest::newRow("cancelled dialog: nothing, silently") << "2" << true << 0 << refused << "";
        QTest::newRow("margin beyond 16 bits") << "70000" << false << 0 << refused << printerProblemText;
        QTest::newRow("queue refuses the job") << "2" << false << 1 << refused << printerProblemText;
        QTest::newRow("no Liberation Mono") << "2" << false << 1 << errors::fontNotFound()
                                            << "Liberation Mono was not found (package fonts-liberation2)";
    }
    void printFailures()
    {
        QFETCH(QString, leftPad);
        QFETCH(bool, cancelDialog);
        QFETCH(int, failingJobs);
        QFETCH(AppError, failure);
        QFETCH(QString, message);
        MainWindowFixture f;
        typeAddress(f);
        f.chooseLabel({"5"});
        f.get<QLineEdit>("txtLMLeftPad")->setText(leftPad);
        if (cancelDialog)
            f.scripted.printDialog.answers.enqueue(PrintChoice{});
        f.scripted.printTarget.failNextJobs = failingJobs;
        f.scripted.printTarget.failure = failure;
        f.click("cmdLMStart");
        QVERIFY(f.scripted.printTarget.jobs.isEmpty());
        QCOMPARE(f.scripted.prompter.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(f.scripted.prompter.messages[0].text, message);
            QCOMPARE(f.scripted.prompter.messages[0].title, printerProblemTitle);
            QCOMPARE(f.scripted.prompter.messages[0].icon, MessageIcon::Exclamation);
        }
        // The window is left as it was.
        QCOMPARE(f.window->labelLines().first(), QStringLiteral("John Smith"));
        QCOMPARE(f.leftPad(), leftPad);
    }

    void returnAddressChecks_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("lines 1-3 empty") << QStringList{"", "", "", "x"} << "Fill in Lines 1, 2, and 3"
                                         << "txtLMLine1";
        QTest::newRow("line 5 filled") << QStringList{"a", "b", "c", "", "e"} << "Leave Lines 4 and 5 blank"
                                       << "txtLMLine4";
    }
    void returnAddressChecks()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->setLabelLines(lines);
        f.line(3)->setFocus();
        f.click("cmdRetAddress");
        QCOMPARE(f.scripted.prompter.events, QStringList({"beep", "message:" + message}));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(f.scripted.printTarget.jobs.isEmpty());
    }

    void returnAddressSheet()
    {
        MainWindowFixture f;
        f.window->setLabelLines({"Ann Lee", "", "Springfield"});
        f.click("optLMEnvelope");
        f.chooseEnvelopeSize(1);
        f.click("chkBold");
        f.click("cmdRetAddress");
        QCOMPARE(f.scripted.printTarget.jobs.size(), 1);
        QCOMPARE(transcriptOfJob(f, 0).count(u'\n'), 1 + 87);
        QCOMPARE(f.scripted.printTarget.jobs[0].job.documentName, QStringLiteral("Return addresses – Ann Lee"));
        QVERIFY(f.get("chkBold")->isHidden());
        QVERIFY(!f.get<QCheckBox>("chkBold")->isChecked());
    }

    // A line longer than the label is said before the print dialog; Cancel prints nothing.
    void longLinesAsk_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("labels"); // empty when the line fits
        QTest::newRow("label, 30") << "cmdLMStart" << QString(30, u't') << "";
        QTest::newRow("label, 31") << "cmdLMStart" << QString(31, u't') << "1 label has";
        QTest::newRow("return addresses, 24") << "cmdRetAddress" << QString(24, u'r') << "";
        QTest::newRow("return addresses, 25") << "cmdRetAddress" << QString(25, u'r') << "80 labels have";
    }
    void longLinesAsk()
    {
        QFETCH(QString, button);
        QFETCH(QString, line);
        QFETCH(QString, labels);
        MainWindowFixture f;
        f.window->setLabelLines({"Ann Lee", line, "Troy"});
        f.chooseLabel({"5"});
        f.scripted.prompter.messageAnswers << MessageResult::Cancel;
        f.click(qPrintable(button));
        const QString warning =
            labels + " lines longer than the label (first: " + line + "). They will run into the next label.";
        QCOMPARE(f.scripted.prompter.messages.value(0).text, labels.isEmpty() ? QString() : warning);
        QCOMPARE(f.scripted.prompter.messages.value(0).buttons,
                 labels.isEmpty() ? MessageButtons::Ok : MessageButtons::PrintAnywayCancel);
        QCOMPARE(f.scripted.printTarget.jobs.size(), labels.isEmpty() ? 1 : 0);
    }

    void previewShowsWhatPrintSends()
    {
        MainWindowFixture f;
        typeAddress(f);
        f.chooseLabel({"5"});
        f.action("mnuFilePrintPreview")->trigger();
        QCOMPARE(f.scripted.labelDialogs.previews.size(), 1);
        QCOMPARE(gridTranscript(f.scripted.labelDialogs.previews[0]), labelFiveTranscript());
        QVERIFY(f.scripted.printTarget.jobs.isEmpty());
        QVERIFY(f.scripted.printDialog.requests.isEmpty());
    }

    void previewChecksFirst()
    {
        MainWindowFixture f;
        f.action("mnuFilePrintPreview")->trigger();
        QCOMPARE(f.scripted.prompter.events, QStringList({"beep", "message:No information entered"}));
        QVERIFY(f.scripted.labelDialogs.previews.isEmpty());
    }
};

QTEST_MAIN(TestMainWindowPrint)
#include "tst_mainwindowprint.moc"
