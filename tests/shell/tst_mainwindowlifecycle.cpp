#include "support/MainWindowFixture.h"

#include "app/WindowWiring.h"
#include "core/help/Help.h"
#include "core/help/UserManual.h"
#include "gui/help/AboutWindow.h"

#include <QSettings>
#include <QStandardPaths>

using namespace quillet;
using quillet::test::MainWindowFixture;

namespace {

// Records the order in which windows are closed.
class CloseRecorder : public QWidget
{
public:
    CloseRecorder(QString name, QStringList& log, WindowHost* host = nullptr)
        : m_name(std::move(name)), m_log(log), m_host(host)
    {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        m_log << m_name;
        // As the contact windows do: closing hands back to the main window.
        if (m_host)
            m_host->returnToMainWindow();
        QWidget::closeEvent(event);
    }

private:
    QString m_name;
    QStringList& m_log;
    WindowHost* m_host;
};

QSettings programSettings()
{
    return QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
}

} // namespace

// Shutdown, the other windows and the hooks they use.
class TestMainWindowLifecycle : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        programSettings().clear();
    }

    void shutdownWritesSettings()
    {
        programSettings().clear();
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QRect frame = f.window->frameGeometry();
        const double twipsPerPixel = 1440.0 / f.window->screen()->logicalDotsPerInch();
        f.click("cmdLMExit");
        QVERIFY(!f.window->isVisible());
        QSettings settings = programSettings();
        settings.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(settings.value("MainWidth").toString(), QString::number(qRound(frame.width() * twipsPerPixel)));
        QCOMPARE(settings.value("MainHeight").toString(), QString::number(qRound(frame.height() * twipsPerPixel)));
        QCOMPARE(settings.value("MainLeft").toString(), QString::number(qRound(frame.x() * twipsPerPixel)));
        QCOMPARE(settings.value("MainTop").toString(), QString::number(qRound(frame.y() * twipsPerPixel)));
    }

    void minimizedWritesNothing()
    {
        programSettings().clear();
        MainWindowFixture f;
        f.window->showMinimized();
        f.action("mnuFileExit")->trigger();
        QVERIFY(programSettings().allKeys().isEmpty());
    }

    void shutdownClosesOtherWindowsMostRecentFirst()
    {
        QStringList closed;
        auto* about = new CloseRecorder(QStringLiteral("about"), closed);
        MainWindowFixture f;
        auto* list = new CloseRecorder(QStringLiteral("list"), closed, f.window.get());
        about->setAttribute(Qt::WA_DeleteOnClose);
        list->setAttribute(Qt::WA_DeleteOnClose);
        about->show();
        f.window->openWindow(list);
        QVERIFY(!f.window->isVisible());
        f.window->quitProgram();
        QCOMPARE(closed, QStringList({"list", "about"}));
        // The list window's hand-back during shutdown does not show the main window again.
        QVERIFY(!f.window->isVisible());
    }

    void contactCommandsNeedAFile()
    {
        MainWindowFixture f;
        int runs = 0;
        f.window->setContactCommand(ContactCommand::ContactList, [&] { ++runs; });
        f.action("mnuViewAll")->trigger();
        QCOMPARE(runs, 0);
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("A.DAT"), "A.DAT"});
        f.action("mnuFileNew")->trigger();
        f.action("mnuViewAll")->trigger();
        f.action("mnuSrchContacts")->trigger();
        QCOMPARE(runs, 2);
    }

    void helpCommands()
    {
        MainWindowFixture f;
        f.click("cmdPeopleFind");
        f.click("cmdZipFinder");
        QCOMPARE(f.scripted.desktop.openedUrls, QList<QUrl>({peopleFinderUrl, zipCodeFinderUrl}));
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        QCOMPARE(f.scripted.desktop.openedDocuments, QStringList{manualPath()});
        QVERIFY(f.window->isVisible());
    }

    void aboutClosesWithTheMainWindow()
    {
        MainWindowFixture f;
        wireWindows(*f.window);
        f.action("mnuAbout")->trigger();
        f.action("mnuAbout")->trigger();
        const QList<AboutWindow*> abouts = f.window->findChildren<AboutWindow*>();
        QCOMPARE(abouts.size(), 2);
        const QPointer<AboutWindow> about = abouts.first();
        QVERIFY(about->isVisible());
        QVERIFY(f.window->isVisible());
        f.action("mnuFileExit")->trigger();
        QVERIFY(!about || !about->isVisible());
    }

    void contactWindowHandOverNeedsAFile()
    {
        MainWindowFixture f;
        QList<int> opened;
        f.window->setContactWindowOpener([&](int record) { opened << record; });
        WindowHost& host = *f.window;
        host.openContactWindow(3);
        f.scripted.fileDialogs.answers.enqueue({f.home.filePath("A.DAT"), "A.DAT"});
        f.action("mnuFileNew")->trigger();
        host.openContactWindow(4);
        QCOMPARE(opened, QList<int>{4});
    }

    void fillLabelLinesFromContactWindow()
    {
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.click("optLMEnvelope");
        f.chooseEnvelopeSize(1);
        f.click("chkBold");
        f.window->hide();
        WindowHost& host = *f.window;
        host.fillLabelLines({"Ann Lee", "1 Main St", "Springfield, IL  62701"});
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->labelLines(),
                 QStringList({"Ann Lee", "1 Main St", "Springfield, IL  62701", QString(), QString()}));
        QVERIFY(f.get("chkBold")->isHidden());
        QVERIFY(!f.get<QCheckBox>("chkBold")->isChecked());
    }

    // Saves the main window as the README shows it when QUILLET_SCREENSHOT_DIR is set.
    void screenshot()
    {
        const QString folder = qEnvironmentVariable("QUILLET_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("QUILLET_SCREENSHOT_DIR not set");
        MainWindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.type(1, QStringLiteral("John Smith"));
        f.type(2, QStringLiteral("1 Main St"));
        f.type(3, QStringLiteral("Springfield, IL  62701"));
        f.chooseLabel({"5"});
        QVERIFY(QDir().mkpath(folder));
        const QString path = QDir(folder).filePath(QStringLiteral("main-window.png"));
        QVERIFY(f.window->grab().save(path));
        QVERIFY(QImage(path).width() > 0);
    }
};

QTEST_MAIN(TestMainWindowLifecycle)
#include "tst_mainwindowlifecycle.moc"
