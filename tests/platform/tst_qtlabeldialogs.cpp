// The label dialogs as the program shows them, each shown without waiting on it
// and answered through its controls.
#include "core/printing/PrintPreferences.h"
#include "core/printing/SheetCatalogue.h"
#include "gui/printing/PrinterOffsetWindow.h"
#include "gui/printing/QtLabelDialogs.h"
#include "gui/printing/SheetDrawing.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

using namespace quillet;

namespace {

// Shows the dialog, lets `answer` work its controls, then presses OK or Cancel.
QtLabelDialogs::DialogRunner answering(std::function<void(QDialog&)> answer, bool accept = true)
{
    return [answer, accept](QDialog& dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return -1;
        answer(dialog);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        return dialog.result();
    };
}

template <typename T> T* control(QDialog& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace

class TestQtLabelDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void chooseSheet_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("drawnLabels");
        QTest::newRow("the built-in sheet") << ""
                                            << "" << true << "" << 30;
        QTest::newRow("found by its number") << ""
                                             << "15160" << true << "Avery 15160" << 30;
        QTest::newRow("opens on the current one") << "Avery 5167"
                                                  << "" << true << "Avery 5167" << 80;
        QTest::newRow("cancelled") << "Avery 5167"
                                   << "15160" << false << "(none)" << 30;
    }
    void chooseSheet()
    {
        QFETCH(QString, current);
        QFETCH(QString, search);
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        QFETCH(int, drawnLabels);
        if (!SheetCatalogue::system().found() && (!current.isEmpty() || !search.isEmpty()))
            QSKIP("no label sheet catalogue (glabels-data)");
        int drawn = 0;
        QtLabelDialogs dialogs(answering(
            [&](QDialog& dialog) {
                QTest::keyClicks(control<QLineEdit>(dialog, "txtSheetSearch"), search);
                drawn = control<SheetDrawing>(dialog, "picSheet")->sheet().labelCount();
            },
            accept));
        const std::optional<QString> chosen = dialogs.chooseSheet(current);
        QCOMPARE(chosen.value_or(QStringLiteral("(none)")), expected);
        QCOMPARE(drawn, drawnLabels);
    }

    void askStartPosition_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("expected"); // 0: cancelled
        QTest::newRow("proposes 1") << "" << true << 1;
        QTest::newRow("typed") << "12" << true << 12;
        QTest::newRow("beyond the sheet") << "31" << true << 3;
        QTest::newRow("cancelled") << "12" << false << 0;
    }
    void askStartPosition()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(int, expected);
        int greyedUpTo = 0;
        QtLabelDialogs dialogs(answering(
            [&](QDialog& dialog) {
                QTest::keyClicks(control<QSpinBox>(dialog, "spnStartPosition"), typed);
                greyedUpTo = control<SheetDrawing>(dialog, "picSheet")->start() - 1;
            },
            accept));
        const SheetTemplate& builtIn = SheetCatalogue::system().sheets().front();
        QCOMPARE(dialogs.askStartPosition(builtIn).value_or(0), expected);
        if (accept)
            QCOMPARE(greyedUpTo, expected - 1);
    }

    void askPrinterOffset()
    {
        const QString queue = QStringLiteral("QuilletPDF");
        if (!QPrinterInfo::availablePrinterNames().contains(queue))
            QSKIP("no QuilletPDF print queue (scripts/test sets one up)");
        printprefs::setPrinterOffset(queue, QPointF(0.5, -1.0));
        QPointF shown;
        bool noPrinterNote = true;
        QtLabelDialogs dialogs(answering([&](QDialog& dialog) {
            control<QComboBox>(dialog, "cboPrinter")->setCurrentText(queue);
            auto* x = control<QDoubleSpinBox>(dialog, "txtOffsetX");
            shown = QPointF(x->value(), control<QDoubleSpinBox>(dialog, "txtOffsetY")->value());
            noPrinterNote = control<QLabel>(dialog, "lblNoPrinter")->isVisibleTo(&dialog);
            x->selectAll();
            QTest::keyClicks(x, QStringLiteral("1.5"));
        }));
        const std::optional<PrinterOffsetChoice> chosen = dialogs.askPrinterOffset();
        QVERIFY(chosen);
        QCOMPARE(shown, QPointF(0.5, -1.0));
        QVERIFY(!noPrinterNote);
        QCOMPARE(chosen->printer, queue);
        QCOMPARE(chosen->offsetMm, QPointF(1.5, -1.0));
    }

    // With no printer there is nothing to store an offset for.
    void printerOffsetWithoutPrinters()
    {
        PrinterOffsetWindow window({});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("lblNoPrinter"))->isVisible());
        QVERIFY(!window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    }
};

QTEST_MAIN(TestQtLabelDialogs)
#include "tst_qtlabeldialogs.moc"
