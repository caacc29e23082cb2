#include "core/printing/GridDocument.h"
#include "core/printing/SheetCatalogue.h"
#include "gui/printing/LabelSheetWindow.h"
#include "gui/printing/PrintPreviewWindow.h"
#include "gui/printing/QtLabelDialogs.h"
#include "gui/printing/SheetDrawing.h"
#include "gui/printing/StartPositionWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPdfView>
#include <QSpinBox>
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

    // The number and the drawing follow each other; the title is the one Print
    // Labels users know the dialog by.
    void startPosition()
    {
        StartPositionWindow window(builtInSheet());
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Print Labels"));
        auto* position = window.findChild<QSpinBox*>(QStringLiteral("spnStartPosition"));
        auto* drawing = window.findChild<SheetDrawing*>();
        QVERIFY(position && drawing);
        QCOMPARE(position->minimum(), 1);
        QCOMPARE(position->maximum(), 30);
        QCOMPARE(window.start(), 1);
        position->setValue(7);
        QCOMPARE(drawing->start(), 7);
        emit drawing->labelClicked(12);
        QCOMPARE(window.start(), 12);
    }

    // The preview port's Qt side: the PDF of every page the stream makes, shown by
    // Qt PDF: two pages, as written.
    void previewShowsEveryPage()
    {
        auto document = std::make_shared<GridDocument>();
        document->printLine(2, QStringLiteral("first page"));
        document->newPage();
        document->printLine(2, QStringLiteral("second page"));
        QtLabelDialogs dialogs;
        dialogs.showPreview([document] { return streamOf(document); });
        PrintPreviewWindow* preview = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<PrintPreviewWindow*>(window))
                preview = shown;
        }
        QVERIFY(preview);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Print Preview"));
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        auto* pages = preview->findChild<QPdfView*>();
        QVERIFY(pages && pages->document());
        QTRY_COMPARE(pages->document()->status(), QPdfDocument::Status::Ready);
        QCOMPARE(pages->document()->pageCount(), 2);
        QCOMPARE(pages->document()->pagePointSize(0), QSizeF(612, 792));
        QCOMPARE(pages->document()->getAllText(1).text().trimmed(), QStringLiteral("second page"));
        QCOMPARE(preview->findChild<QLabel*>(QStringLiteral("lblPages"))->text(), QStringLiteral("2 pages"));
        preview->close();
    }
};

QTEST_MAIN(TestLabelSheetWindow)
#include "tst_labelsheetwindow.moc"
