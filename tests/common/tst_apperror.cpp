#include "core/common/AppError.h"
#include "core/common/ProgramFolder.h"
#include "core/common/Result.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

class TestAppError : public QObject
{
    Q_OBJECT
private slots:
    void errorBoxText_endings()
    {
        QCOMPARE(
            errorBoxText(errors::fileNotFound()),
            QStringLiteral("An error has occurred. Error number 53 -- File not found.  Try again, or notify author."));
        QCOMPARE(errorBoxText(errors::diskFull(), ErrorEnding::Quillet),
                 QStringLiteral("An error has occurred. Error number 61 -- Disk full.  Try again, or notify Quillet."));
    }

    void status_carriesError()
    {
        const Status failed = errors::permissionDenied();
        QVERIFY(!failed.ok());
        QCOMPARE(failed.error().number, 70);
        QVERIFY(Status::success().ok());
    }

    void result_holdsValueOrError()
    {
        const Result<QString> value = QStringLiteral("kept");
        QVERIFY(value.ok());
        QVERIFY(value.status().ok());
        QCOMPARE(*value, QStringLiteral("kept"));
        const Result<QString> failed = Status(errors::diskFull());
        QVERIFY(!failed);
        QCOMPARE(failed.status().error().number, 61);
        QCOMPARE(failed.error().description, QStringLiteral("Disk full"));
    }

    // Naming the folder makes nothing: whoever first writes there makes it.
    void programFolder_honoursEnvironmentAndMakesNothing()
    {
        QTemporaryDir dir;
        const QString home = QDir(dir.path()).filePath(QStringLiteral("nested/home"));
        qputenv("QUILLET_HOME", home.toUtf8());
        QCOMPARE(programFolder(), home);
        QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("nested"))));
        qunsetenv("QUILLET_HOME");
    }
};

QTEST_GUILESS_MAIN(TestAppError)
#include "tst_apperror.moc"
