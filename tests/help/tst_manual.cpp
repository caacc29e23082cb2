#include "core/help/UserManual.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs a poppler tool on the built manual; skips when poppler-utils is missing.
QString popplerOutput(const QString& tool, const QStringList& args)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return {};
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestManual : public QObject
{
    Q_OBJECT
private slots:
    void ensureManualIn_data()
    {
        QTest::addColumn<QByteArray>("existing"); // the program folder's copy, if any
        QTest::addColumn<bool>("installed");      // whether an installed manual exists
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("missing: copied") << QByteArray() << true << true << QByteArray("installed manual");
        QTest::newRow("present: kept") << QByteArray("user's copy") << true << true << QByteArray("user's copy");
        QTest::newRow("nothing installed") << QByteArray() << false << false << QByteArray();
        QTest::newRow("present, nothing installed")
            << QByteArray("user's copy") << false << true << QByteArray("user's copy");
    }

    void ensureManualIn()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, installed);
        QFETCH(bool, ok);
        QFETCH(QByteArray, result);
        QTemporaryDir folder, share;
        const QString source = share.filePath(QStringLiteral("qltUman.pdf"));
        if (installed) {
            writeFile(source, "installed manual");
            QFile::setPermissions(source, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }
        const QString target = folder.filePath(QStringLiteral("qltUman.pdf"));
        if (!existing.isEmpty())
            writeFile(target, existing);
        const QString absent = share.filePath(QStringLiteral("absent/qltUman.pdf"));
        const Status status = quillet::ensureManualIn(folder.path(), {absent, source});
        QCOMPARE(status.ok(), ok);
        QCOMPARE(readAll(target), result);
        if (installed && existing.isEmpty())
            QVERIFY(QFile::permissions(target) & QFileDevice::WriteOwner);
    }

    void ensureManualIn_reportsACopyThatFails()
    {
        QTemporaryDir share;
        const QString source = share.filePath(QStringLiteral("qltUman.pdf"));
        writeFile(source, "installed manual");
        // A file where the folder should be: nothing can be written into it.
        const QString notAFolder = share.filePath(QStringLiteral("file"));
        writeFile(notAFolder, "x");
        const Status status = quillet::ensureManualIn(notAFolder, {source});
        QVERIFY(!status.ok());
        QCOMPARE(status.error().number, 75);
    }

    void ensureManualInProgramFolder_usesQuilletHome()
    {
        QTemporaryDir home;
        qputenv("QUILLET_HOME", home.path().toUtf8());
        QCOMPARE(manualPath(), QDir(home.path()).filePath(QStringLiteral("qltUman.pdf")));
        qunsetenv("QUILLET_HOME");
    }

    void builtManual_isAReadablePdf()
    {
        QVERIFY2(QFile::exists(QStringLiteral(QUILLET_MANUAL_PDF)), QUILLET_MANUAL_PDF);
        const QString info = popplerOutput(QStringLiteral("pdfinfo"), {QStringLiteral(QUILLET_MANUAL_PDF)});
        if (info.isEmpty())
            QSKIP("pdfinfo (poppler-utils) is not installed");
        QVERIFY2(info.contains(QStringLiteral("Title:           Quillet User Manual")), qPrintable(info));
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY(pages.hasMatch());
        QVERIFY2(pages.captured(1).toInt() >= 10, qPrintable(info));
    }

    void builtManual_hasItsSections_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* section :
             {"Quillet User Manual", "Version 4.6.0", "Getting started", "Printing on a label",
              "Printing on an envelope", "Return-address sheets", "Contacts files", "Adding a contact",
              "Finding, editing and printing one contact", "Deleting a contact", "The contact list",
              "Labels for a list, and the report", "Importing contacts", "Exporting contacts", "Birthday reminders",
              "Web lookups, help and About", "quillet-cli"})
            QTest::newRow(section) << QString::fromUtf8(section);
    }

    void builtManual_hasItsSections()
    {
        QFETCH(QString, text);
        if (m_text.isNull())
            m_text =
                popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral(QUILLET_MANUAL_PDF), QStringLiteral("-")});
        if (m_text.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        // Each chapter is listed in the contents and heads its own page.
        QVERIFY2(m_text.count(text) >= (text.startsWith(QLatin1String("Version")) ? 1 : 2), qPrintable(text));
    }

private:
    QString m_text;
};

QTEST_GUILESS_MAIN(TestManual)
#include "tst_manual.moc"
