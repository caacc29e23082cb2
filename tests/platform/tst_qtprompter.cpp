// The real message and input boxes, shown without waiting on them and read
// through their widgets. Registered twice: at scale 1 and at scale 2 on an
// 800x500 logical screen.
#include "core/common/AppError.h"
#include "core/editing/ContactDeletion.h"
#include "core/exchange/ExportWriter.h"
#include "core/exchange/ImportRun.h"
#include "core/help/Help.h"
#include "core/printing/LabelPositionEntry.h"
#include "gui/platform/QtPrompter.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTextLayout>

using namespace quillet;

namespace {

// What a box looked like while it was on show.
struct Seen
{
    QRect frame;
    QRect screen;
    QString cut; // the first line of the label that does not fit, if any
    Qt::TextInteractionFlags flags;
    QString defaultButton;
    QStringList buttons;
};

// The first line of `label` that its laid-out text cannot show whole: wider than
// the label, or below its bottom edge.
QString cutLine(const QLabel* label)
{
    const int margins = 2 * label->margin() + std::max(label->indent(), 0);
    const int width = label->contentsRect().width() - margins;
    if (label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                          : label->sizeHint().width() > label->width())
        return QStringLiteral("size hint %1x%2 in %3x%4")
            .arg(label->sizeHint().width())
            .arg(label->heightForWidth(label->width()))
            .arg(label->width())
            .arg(label->height());
    for (const QString& paragraph : label->text().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, label->font());
        QTextOption option;
        option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            if (line.naturalTextWidth() > width)
                return paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return {};
}

// Shows the box without waiting, notes what it shows, then presses `answer`.
QtPrompter::DialogRunner answering(Seen& seen, const QString& answer)
{
    return [&seen, answer](QDialog& dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return -1;
        seen.frame = dialog.frameGeometry();
        seen.screen = dialog.screen()->availableGeometry();
        if (const auto* label = dialog.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            seen.cut = cutLine(label);
            seen.flags = label->textInteractionFlags();
        }
        if (auto* box = qobject_cast<QMessageBox*>(&dialog); box && box->defaultButton())
            seen.defaultButton = box->defaultButton()->text().remove(QLatin1Char('&'));
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            seen.buttons << button->text().remove(QLatin1Char('&'));
            if (seen.buttons.constLast() == answer)
                button->click();
        }
        return dialog.result();
    };
}

} // namespace

class TestQtPrompter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void cleanup()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            window->close();
    }

    void longMessagesShowWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        const QString longFolder =
            QStringLiteral("/home/margaret-fitzgerald/Documents/Quillet/Exports for the Smith family reunion 2026");
        QTest::newRow("date") << "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980"
                              << "Date error";
        QTest::newRow("delete") << confirmDeletionText << confirmDeletionTitle;
        QTest::newRow("manual") << manualNotOpenedText + longFolder + QStringLiteral("/qltUman.pdf")
                                << about::programTitle;
        QTest::newRow("web address") << pageNotOpenedText + zipCodeFinderUrl.toString() << about::programTitle;
        QTest::newRow("system info") << about::systemInfoUnavailableText() << "System Information";
        QTest::newRow("export") << exportDoneText(ExportKind::Csv,
                                                  QStringLiteral("QLTC_contacts-of-the-whole-extended-family.csv"))
                                << exportDoneTitle;
        QTest::newRow("import") << importDoneText(499999) << "Import completed";
        QTest::newRow("error box") << errorBoxText(errors::recordCapReached(), ErrorEnding::Quillet) << errorBoxTitle;
        QTest::newRow("folder") << "The folder could not be opened.\r\n" + longFolder << exportDoneTitle;
        QTest::newRow("long title") << "Contact deleted!"
                                    << "Birthday Reminders have been turned on for every contact";
    }
    void longMessagesShowWhole()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        Seen seen;
        QtPrompter prompter(answering(seen, QStringLiteral("OK")));
        QCOMPARE(prompter.message(text, title, MessageIcon::Information, MessageButtons::Ok), MessageResult::Ok);
        QVERIFY2(seen.cut.isEmpty(), qPrintable(QStringLiteral("cut: ") + seen.cut));
        QVERIFY2(seen.screen.contains(seen.frame),
                 qPrintable(QStringLiteral("%1x%2 box").arg(seen.frame.width()).arg(seen.frame.height())));
        // The title is not cut by the frame's buttons either.
        const int titleWidth = QFontMetrics(QApplication::font()).horizontalAdvance(title) + 60;
        QVERIFY(seen.frame.width() >= std::min(titleWidth, seen.screen.width()));
        // Paths and web addresses can be copied from the box.
        QVERIFY(seen.flags.testFlag(Qt::TextSelectableByMouse));
    }

    void buttonsAnswer_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("defaultButton");
        QTest::newRow("yes") << int(MessageButtons::YesNo) << "Yes" << int(MessageResult::Yes) << "";
        QTest::newRow("no is the default")
            << int(MessageButtons::YesNoDefaultNo) << "No" << int(MessageResult::No) << "No";
        QTest::newRow("retry") << int(MessageButtons::RetryCancel) << "Retry" << int(MessageResult::Retry) << "";
        QTest::newRow("cancel") << int(MessageButtons::OkCancel) << "Cancel" << int(MessageResult::Cancel) << "";
        QTest::newRow("open folder") << int(MessageButtons::OkOpenFolder) << "Open Folder"
                                     << int(MessageResult::OpenFolder) << "";
    }
    void buttonsAnswer()
    {
        QFETCH(int, buttons);
        QFETCH(QString, press);
        QFETCH(int, expected);
        QFETCH(QString, defaultButton);
        Seen seen;
        QtPrompter prompter(answering(seen, press));
        QCOMPARE(int(prompter.message(QStringLiteral("Sure?"), QStringLiteral("Question"), MessageIcon::Question,
                                      MessageButtons(buttons))),
                 expected);
        QVERIFY2(seen.buttons.contains(press), qPrintable(seen.buttons.join(QLatin1Char(' '))));
        if (!defaultButton.isEmpty())
            QCOMPARE(seen.defaultButton, defaultButton);
    }

    // A box belongs over its window, wherever that window stands; also before the
    // window manager has made the window active.
    void boxOpensOverItsWindow_data()
    {
        QTest::addColumn<bool>("active");
        QTest::newRow("active window") << true;
        QTest::newRow("not yet active") << false;
    }
    void boxOpensOverItsWindow()
    {
        QFETCH(bool, active);
        QWidget window;
        window.setWindowTitle(QStringLiteral("Quillet"));
        window.setGeometry(40, 60, 360, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (active) {
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        } else {
            QApplication::setActiveWindow(nullptr);
        }
        Seen seen;
        QtPrompter prompter(answering(seen, QStringLiteral("OK")));
        prompter.message(QStringLiteral("Contact deleted!"), QStringLiteral("Deleted"), MessageIcon::None,
                         MessageButtons::Ok);
        const QPoint offset = seen.frame.center() - window.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4,
                 qPrintable(QStringLiteral("%1,%2 off").arg(offset.x()).arg(offset.y())));
    }

    void inputBoxFitsAndAnswers_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typed") << true << "15";
        QTest::newRow("cancelled") << false << "";
    }
    void inputBoxFitsAndAnswers()
    {
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        QRect frame;
        QRect screen;
        QString cut;
        QtPrompter prompter([&](QDialog& dialog) {
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog))
                return -1;
            frame = dialog.frameGeometry();
            screen = dialog.screen()->availableGeometry();
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                cut += cutLine(label);
            auto* edit = dialog.findChild<QLineEdit*>();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("15"));
            if (accept)
                static_cast<QInputDialog&>(dialog).accept();
            else
                dialog.reject();
            return dialog.result();
        });
        QCOMPARE(prompter.input(labelposition::prompt, labelposition::title, labelposition::proposed), expected);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
        QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("%1 wide").arg(frame.width())));
        // Not a single line across the screen: the prompt wraps.
        QVERIFY2(frame.width() <= 560, qPrintable(QStringLiteral("%1 wide").arg(frame.width())));
    }
};

QTEST_MAIN(TestQtPrompter)
#include "tst_qtprompter.moc"
