#include "core/common/Cp1252.h"

#include <QStringDecoder>
#include <QtTest>

using namespace quillet;

class TestCp1252 : public QObject
{
    Q_OBJECT
private slots:
    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "Ann |x" << QByteArray("Ann |x");
        QTest::newRow("e acute") << QStringLiteral("José") << QByteArray("Jos\xe9");
        QTest::newRow("euro") << QStringLiteral("5 €") << QByteArray("5 \x80");
        QTest::newRow("high row") << QStringLiteral("„Š…ŸžŒ™") << QByteArray("\x84\x8a\x85\x9f\x9e\x8c\x99");
        QTest::newRow("latin-1 top") << QStringLiteral("\u00a0ÿ") << QByteArray("\xa0\xff");
        QTest::newRow("not in the code page, folded") << QStringLiteral("Ωĉ中") << QByteArray("?c?");
        QTest::newRow("outside the BMP is one character") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
        QTest::newRow("undefined byte's control") << QString(QChar(0x81)) << QByteArray("\x81");
        QTest::newRow("control without a byte") << QString(QChar(0x80)) << QByteArray("?");
    }
    void encode()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cp1252::encode(text), bytes);
    }

    void fold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("marks dropped") << QStringLiteral("Nguyễn Văn") << "Nguyen Van";
        QTest::newRow("held letters stay") << QStringLiteral("éñØß€") << QStringLiteral("éñØß€");
        QTest::newRow("stroke letters by table") << QStringLiteral("Łódź Đđłıħ") << QStringLiteral("Lódz Ddlih");
        QTest::newRow("combining accent joins its letter") << QStringLiteral("Rene\u0301e") << QStringLiteral("Renée");
        QTest::newRow("no base letter") << QStringLiteral("中Ω\U0001F600") << "???";
        QTest::newRow("letter with a held base") << QStringLiteral("ŵ") << "w";
    }
    void fold()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(cp1252::fold(text), folded);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("Lee") << "Lee";
        QTest::newRow("e acute and euro") << QByteArray("\xe9\x80") << QStringLiteral("é€");
        QTest::newRow("quotes and dashes") << QByteArray("\x91\x92\x93\x94\x96\x97") << QStringLiteral("‘’“”–—");
        QTest::newRow("undefined bytes") << QByteArray("\x81\x8d\x8f\x90\x9d")
                                         << QStringLiteral("\u0081\u008d\u008f\u0090\u009d");
        QTest::newRow("nul") << QByteArray(1, '\0') << QString(QChar(0));
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1252::decode(bytes), text);
    }

    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all.append(char(byte));
        const QString text = cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1252::encode(text), all);
    }

    // The system's converter, where it has the code page, is an independent reference.
    void agreesWithSystemConverter()
    {
        QStringDecoder reference("windows-1252");
        if (!reference.isValid())
            QSKIP("no windows-1252 converter on this system");
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            QCOMPARE(cp1252::decode(one), QString(reference(one)));
        }
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
