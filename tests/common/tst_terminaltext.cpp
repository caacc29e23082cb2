#include "core/common/NativePath.h"
#include "core/common/TerminalText.h"

#include <QtTest>

using namespace quillet;

class TestTerminalText : public QObject
{
    Q_OBJECT
private slots:
    void terminalSafe_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "Ann Lee, 1 Main St."
                               << "Ann Lee, 1 Main St.";
        QTest::newRow("clear screen, retitle") << "3.0\x1b[2J\x1b]0;PWNED\x07"
                                               << "3.0\\x1B[2J\\x1B]0;PWNED\\x07";
        QTest::newRow("NUL, tab, line end") << QStringLiteral("a\0b\tc\r\n") << "a\\x00b\\x09c\\x0D\\x0A";
        QTest::newRow("DEL and the C1 controls")
            << QString::fromUtf16(u"\u007f\u0080\u0085\u009b\u009f") << "\\x7F\\x80\\x85\\x9B\\x9F";
        QTest::newRow("Windows-1252 letters of 0x80-0x9F") << "€Š“Œ”™"
                                                           << "€Š“Œ”™";
        QTest::newRow("letters past the C1 range")
            << QString::fromUtf16(u"\u00a0é\u2028") << QString::fromUtf16(u"\u00a0é\u2028");
        QTest::newRow("backslash") << "C:\\x41"
                                   << "C:\\\\x41";
        QTest::newRow("a raw byte of a file name") << pathFromNative("caf\xe9.DAT") << "caf\\xE9.DAT";
        QTest::newRow("a pair whose low half looks like a raw byte")
            << QString::fromUcs4(U"\U00010080") << QString::fromUcs4(U"\U00010080");
    }
    void terminalSafe()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(quillet::terminalSafe(text), shown);
    }
};

QTEST_APPLESS_MAIN(TestTerminalText)
#include "tst_terminaltext.moc"
