#include "core/exchange/CsvLineReader.h"

#include "ExchangeTestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

class TestCsvLineReader : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QStringList readAll(const QByteArray& bytes, CsvLineReader& reader)
    {
        const QString path = test::writeFile(m_dir.filePath("in.csv"), bytes);
        QStringList lines;
        if (!reader.open(path))
            return {QStringLiteral("<error %1>").arg(reader.status().error().number)};
        QString line;
        while (reader.next(line))
            lines << line;
        if (!reader.status())
            lines << QStringLiteral("<error %1>").arg(reader.status().error().number);
        return lines;
    }

private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("CR alone") << QByteArray("a\rb") << QStringList{"a", "b"};
        QTest::newRow("lone LF stays beside CR") << QByteArray("a\nb\r\nc") << QStringList{"a\nb", "c"};
        QTest::newRow("LF ends lines without any CR") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("empty lines passed over") << QByteArray("\r\na\r\n\r\n\r\nb\r\n\r\n") << QStringList{"a", "b"};
        QTest::newRow("empty LF lines passed over") << QByteArray("\n\na\n\n") << QStringList{"a"};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList{"a", "b"};
        QTest::newRow("spaces are not empty") << QByteArray("a\r\n \r\n") << QStringList{"a", " "};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBFName,x\r\n") << QStringList{"Name,x"};
    }
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        CsvLineReader reader;
        QCOMPARE(readAll(bytes, reader), lines);
    }

    void encoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("UTF-8") << QByteArray("Jos\xC3\xA9 \xE2\x82\xAC") << QString::fromUtf8("José €") << true;
        QTest::newRow("Windows-1252") << QByteArray("Jos\xE9 \x80") << QString::fromUtf8("José €") << false;
        QTest::newRow("one stray byte read as 1252") << QByteArray("\xC3\xA9\xE9") << QString::fromUtf8("éé") << true;
        QTest::newRow("mark and a stray byte") << QByteArray("\xEF\xBB\xBF\xE9") << QString::fromUtf8("é") << true;
        QTest::newRow("UTF-16 LE with mark")
            << QByteArray("\xFF\xFE\xE9\x00\x0D\x00\x0A\x00", 8) << QString::fromUtf8("é") << false;
        QTest::newRow("UTF-16 BE, 0x0D inside a letter")
            << QByteArray("\xFE\xFF\x01\x0D", 4) << QString(QChar(0x010D)) << false;
        QTest::newRow("cut sequence at the end") << QByteArray("a\xE2\x82") << QString::fromUtf8("aâ‚") << false;
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QString::fromUtf8("À¯") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QString::fromUtf8("í\u00A0€") << false;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QString::fromUtf8("ô\u0090€€") << false;
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80") << QString::fromUtf8("😀") << true;
    }
    void encoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, utf8);
        CsvLineReader reader;
        QCOMPARE(readAll(bytes, reader), QStringList{text});
        QCOMPARE(reader.encoding() == CsvEncoding::Utf8, utf8);
    }

    // Line ends and characters split across the reader's chunks of 64 KiB.
    void chunkBoundaries()
    {
        const QByteArray first(65535, 'x');
        CsvLineReader reader;
        QCOMPARE(readAll(first + "\r\nnext\r\n", reader), (QStringList{QString(first), "next"}));
        const QByteArray before(65535, 'y');
        QCOMPARE(readAll(before + "\xC3\xA9\r\n", reader), QStringList{QString(before) + QChar(0xE9)});
    }

    void overlongLineFails()
    {
        CsvLineReader reader;
        reader.setLineLengthLimit(1000);
        QCOMPARE(readAll("short\r\n" + QByteArray(200000, 'z') + "\r\nafter\r\n", reader),
                 (QStringList{"short", "<error 7>"}));
    }

    void openFailures()
    {
        CsvLineReader reader;
        QCOMPARE(reader.open(m_dir.filePath("missing.csv")).error().number, 53);
        QCOMPARE(reader.open(m_dir.filePath("nofolder/missing.csv")).error().number, 76);
        QCOMPARE(reader.open(m_dir.path()).error().number, 75);
    }
};

QTEST_GUILESS_MAIN(TestCsvLineReader)
#include "tst_csvlinereader.moc"
