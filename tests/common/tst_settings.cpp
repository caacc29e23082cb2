#include "core/common/Settings.h"
#include "core/printing/PrintPreferences.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using namespace quillet;

namespace {

// The settings file as any Qt program of the same names opens it.
QSettings onFile()
{
    return QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { onFile().clear(); }

    void defaultsWhileNothingIsStored()
    {
        QCOMPARE(printprefs::lastPrinter(), QString());
        QCOMPARE(printprefs::labelSheet(), QString());
        QCOMPARE(printprefs::printerOffset(QStringLiteral("QuilletPDF")), QPointF());
        QCOMPARE(settings::value(settings::listColumns), QByteArray());
    }

    // Each value lands under the key, and in the form, that earlier versions wrote.
    void keysAndValuesOnFile()
    {
        printprefs::setLastPrinter(QStringLiteral("QuilletPDF"));
        printprefs::setLabelSheet(QStringLiteral("Avery 5160"));
        printprefs::setPrinterOffset(QStringLiteral("Office/2nd floor"), QPointF(1.5, -12));
        settings::setValue(settings::mainLeft, -120);
        const QSettings file = onFile();
        QCOMPARE(file.value("Settings/LastPrinter").toString(), QStringLiteral("QuilletPDF"));
        QCOMPARE(file.value("Settings/LabelSheet").toString(), QStringLiteral("Avery 5160"));
        QCOMPARE(file.value("PrinterOffsets/Office%2F2nd%20floor").toString(), QStringLiteral("1.5,-10"));
        QCOMPARE(printprefs::printerOffset(QStringLiteral("Office/2nd floor")), QPointF(1.5, -10));
        QCOMPARE(settings::value(settings::mainLeft), -120);

        printprefs::setPrinterOffset(QStringLiteral("Office/2nd floor"), QPointF());
        QVERIFY(!onFile().contains("PrinterOffsets/Office%2F2nd%20floor"));
    }

    // Numbers are written as plain decimal text, in the file named for the program.
    void fileText()
    {
        settings::setValue(settings::mainWidth, 14400);
        QSettings file = onFile();
        file.sync();
        QVERIFY2(file.fileName().endsWith(QLatin1String("/Quillet/Quillet.conf")), qPrintable(file.fileName()));
        QFile text(file.fileName());
        QVERIFY(text.open(QIODevice::ReadOnly));
        QCOMPARE(text.readAll(), QByteArray("[Settings]\nMainWidth=14400\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
