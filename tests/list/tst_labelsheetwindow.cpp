#include "core/printing/SheetCatalogue.h"
#include "gui/printing/LabelSheetWindow.h"
#include "gui/printing/SheetDrawing.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

using namespace quillet;

class TestLabelSheetWindow : public QObject
{
    Q_OBJECT
private slots:
    void searchChooseAndDraw()
    {
        const SheetCatalogue catalogue = SheetCatalogue::load({QStringLiteral(QUILLET_TEST_DATA "/sheets")});
        LabelSheetWindow window(catalogue, QString());
        window.show();
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("txtSheetSearch"));
        auto* products = window.findChild<QTreeWidget*>(QStringLiteral("lstSheets"));
        auto* drawing = window.findChild<SheetDrawing*>(QStringLiteral("picSheet"));
        QVERIFY(search && products && drawing);
        // Built-in first and chosen; round labels and broken entries are not offered.
        QCOMPARE(products->topLevelItemCount(), 5);
        QCOMPARE(products->topLevelItem(0)->text(0), QStringLiteral("Quillet 30 labels (Avery 5160/8160 compatible)"));
        QCOMPARE(drawing->sheet().labelCount(), 30);
        QCOMPARE(window.chosenSheet(), QString());

        QTest::keyClicks(search, QStringLiteral("layouts"));
        QCOMPARE(products->topLevelItemCount(), 1);
        QCOMPARE(products->topLevelItem(0)->text(3), QStringLiteral("6"));
        QCOMPARE(drawing->sheet().name(), QStringLiteral("Test Two layouts"));
        QCOMPARE(window.chosenSheet(), QStringLiteral("Test Two layouts"));

        search->clear();
        QTest::keyClicks(search, QStringLiteral("same sheet"));
        QCOMPARE(products->topLevelItemCount(), 1);
        QTest::keyClick(products, Qt::Key_Home);
        QCOMPARE(window.chosenSheet(), QStringLiteral("Test Same"));
        QCOMPARE(drawing->sheet().paper.name, QStringLiteral("A4"));
    }
};

QTEST_MAIN(TestLabelSheetWindow)
#include "tst_labelsheetwindow.moc"
