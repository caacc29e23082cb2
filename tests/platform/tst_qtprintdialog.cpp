// The real print dialog, shown without waiting on it and answered through its
// controls. Needs the QuilletPDF queue that scripts/test sets up.
#include "gui/platform/QtPrintDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

using namespace quillet;

namespace {

const QString queue = QStringLiteral("QuilletPDF");

struct Answer
{
    int copies = 1;
    bool selection = false;
    bool accept = true;
};

struct Seen
{
    QStringList printers;
    bool selectionOffered = false;
    int lastPage = 0;
};

QtPrintDialog::DialogRunner answering(const Answer& answer, Seen& seen)
{
    return [answer, &seen](QDialog& dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return -1;
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        for (int i = 0; i < printers->count(); ++i)
            seen.printers << printers->itemText(i);
        printers->setCurrentIndex(printers->findText(queue));
        auto* selection = dialog.findChild<QRadioButton*>(QStringLiteral("printSelection"));
        // It sits among the options folded under "Options >>".
        seen.selectionOffered = !selection->isHidden() && selection->isEnabled();
        seen.lastPage = dialog.findChild<QSpinBox*>(QStringLiteral("to"))->maximum();
        if (answer.selection)
            selection->click();
        auto* copies = dialog.findChild<QSpinBox*>(QStringLiteral("copies"));
        copies->selectAll();
        QTest::keyClicks(copies, QString::number(answer.copies));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        if (answer.accept)
            buttons->button(QDialogButtonBox::Ok)->click();
        else
            buttons->button(QDialogButtonBox::Cancel)->click();
        return dialog.result();
    };
}

} // namespace

class TestQtPrintDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (!QPrinterInfo::availablePrinterNames().contains(queue))
            QSKIP("no QuilletPDF print queue (scripts/test sets one up)");
    }

    void choiceComesFromTheDialog_data()
    {
        QTest::addColumn<bool>("allowSelection");
        QTest::addColumn<int>("lastPage");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<bool>("accept");
        QTest::newRow("three copies") << false << 0 << 3 << false << true;
        QTest::newRow("the selection") << true << 0 << 1 << true << true;
        QTest::newRow("pages 1 to 4") << false << 4 << 2 << false << true;
        QTest::newRow("cancelled") << true << 0 << 5 << false << false;
    }
    void choiceComesFromTheDialog()
    {
        QFETCH(bool, allowSelection);
        QFETCH(int, lastPage);
        QFETCH(int, copies);
        QFETCH(bool, selection);
        QFETCH(bool, accept);
        Seen seen;
        QtPrintDialog dialog(answering({copies, selection, accept}, seen));
        PrintDialogRequest request;
        request.allowSelection = allowSelection;
        request.fromPage = lastPage > 0 ? 1 : 0;
        request.toPage = lastPage;
        const PrintChoice choice = dialog.ask(request);
        QVERIFY(seen.printers.contains(queue));
        // Printing to a file is never offered.
        QVERIFY2(!seen.printers.join(QLatin1Char(' ')).contains(QLatin1String("File")),
                 qPrintable(seen.printers.join(QLatin1Char(','))));
        QCOMPARE(seen.selectionOffered, allowSelection);
        if (lastPage > 0)
            QCOMPARE(seen.lastPage, lastPage);
        QCOMPARE(choice.cancelled, !accept);
        if (!accept)
            return;
        QCOMPARE(choice.printerName, queue);
        QCOMPARE(choice.copies, copies);
        QCOMPARE(choice.selectionOnly, selection);
        // The queue prints one-sided only; its own options come with the choice.
        QCOMPARE(choice.settings.duplex, Duplex::None);
        const qsizetype priority = choice.settings.cupsOptions.indexOf(QStringLiteral("job-priority"));
        QVERIFY2(priority >= 0 && priority % 2 == 0, qPrintable(choice.settings.cupsOptions.join(u',')));
        QCOMPARE(choice.settings.cupsOptions.value(priority + 1), QStringLiteral("50"));
    }
};

QTEST_MAIN(TestQtPrintDialog)
#include "tst_qtprintdialog.moc"
