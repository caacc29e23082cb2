#include "support/PdfWords.h"

#include "core/list/SheetLabels.h"
#include "core/printing/ReturnAddress.h"
#include "core/printing/TypedLines.h"
#include "output/PdfPrintTarget.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

// Where the built-in layouts put their text, read back from the PDF with
// pdftotext and measured against the physical sheets.
class TestLabelPlaces : public QObject
{
    Q_OBJECT
private slots:
    void everyWordOnItsLabel_data()
    {
        QTest::addColumn<GridDocument>("document");
        QTest::addColumn<int>("across");       // 3: Avery 5160, 4: Avery 5167
        QTest::addColumn<QList<int>>("words"); // per label
        QTest::addColumn<bool>("inside");
        const int indents[] = {2, 35, 68};
        const int padRows[] = {3, 10, 16, 23, 30, 36, 43, 50, 56, 63};
        for (int position = 1; position <= 30; ++position) {
            TypedLinesRequest request;
            request.media = PrintMedia::Label;
            request.leftPadText = QString::number(indents[(position - 1) % 3]);
            request.topPadText = QString::number(padRows[(position - 1) / 3]);
            request.lines.fill(QString(30, u'W'));
            QList<int> words(30, 0);
            words[position - 1] = 5;
            QTest::addRow("typed, position %d", position) << *composeTypedLines(request) << 3 << words << true;
        }
        const QString returned(24, u'W');
        QTest::newRow("return addresses")
            << returnaddress::compose({returned, returned, returned, {}, {}}) << 4 << QList<int>(80, 3) << true;
        const std::pair<int, bool> streets[] = {{29, false}, {29, true}, {40, true}, {40, false}};
        for (const auto& [street, fit] : streets) {
            ListLabelsJob job{
                builtInSheet(), 1, std::vector<LabelTexts>(30, {"Name", QString(street, u's'), "City"}), {}, false};
            if (fit)
                job.fitToLabels();
            GridStream stream = job.stream();
            QTest::addRow("list, %d characters%s", street, fit ? ", fitted" : "")
                << wholeDocument(stream) << 3 << QList<int>(30, 3) << (street <= 29 || fit);
        }
    }
    void everyWordOnItsLabel()
    {
        QFETCH(GridDocument, document);
        QFETCH(int, across);
        QFETCH(QList<int>, words);
        QFETCH(bool, inside);
        if (!pdftotextAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QVERIFY(PdfPrintTarget(path).print(document, PrintJob{}).ok());
        QList<int> found(words.size(), 0);
        int outside = 0;
        for (const PdfWord& word : pdfWords(path)) {
            int label = 0;
            while (label < words.size() &&
                   !wordInside(word, across == 3 ? avery5160Label(label) : avery5167Label(label)))
                ++label;
            QVERIFY2(label < words.size() || !inside, qPrintable(describeWord(word)));
            ++(label < words.size() ? found[label] : outside);
        }
        if (inside)
            QCOMPARE(found, words);
        else
            QVERIFY(outside > 0);
    }
};

QTEST_MAIN(TestLabelPlaces)
#include "tst_labelplaces.moc"
