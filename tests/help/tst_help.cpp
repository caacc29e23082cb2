#include "core/help/Help.h"
#include "core/help/SystemInfoTools.h"
#include "core/help/UserManual.h"
#include "gui/help/AboutWindow.h"
#include "gui/platform/QtDesktop.h"
#include "support/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {

void writeExecutable(const QString& path, const QByteArray& script)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(script);
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QString labelText(QWidget* window, const char* name)
{
    auto* label = window->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_home.isValid());
        qputenv("QUILLET_HOME", m_home.path().toUtf8());
    }

    void cleanup()
    {
        qunsetenv("QUILLET_HOME");
        for (QWidget* window : QApplication::topLevelWidgets())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void about_showsItsTexts()
    {
        ScriptedPlatform scripted;
        Platform platform = scripted.platform();
        AboutWindow window(platform);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("About Quillet"));
        QCOMPARE(labelText(&window, "lblTitle"), QStringLiteral("Quillet"));
        QCOMPARE(labelText(&window, "lblVersion"), QStringLiteral("Version 4.6.0"));
        QVERIFY(labelText(&window, "lblDescription")
                    .startsWith(QStringLiteral("Quillet  is a software program for your home or small business.  It "
                                               "allows you to type and print your label, or retrieve label information "
                                               "from your contact file.  With its comprehensive features, you can save "
                                               "time and money.  ")));
        QVERIFY(labelText(&window, "lblDisclaimer").startsWith(QStringLiteral("Disclaimer:  ")));
        QVERIFY(labelText(&window, "lblCopyright").contains(QStringLiteral("Copyright")));
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
                 QStringLiteral("&System Info..."));
        QCOMPARE(about::makerCaption(), QStringLiteral("About Quillet Software"));
        QVERIFY(test::saveScreenshot(&window, QStringLiteral("about-window.png")));
    }

    void about_isNonModalAndOpensAgainAndAgain()
    {
        ScriptedPlatform scripted;
        Platform platform = scripted.platform();
        QWidget asker;
        asker.show();
        AboutWindow* first = AboutWindow::showFrom(platform, &asker);
        AboutWindow* second = AboutWindow::showFrom(platform, &asker);
        QVERIFY(first != second);
        QVERIFY(!first->isModal());
        QVERIFY(first->isVisible() && second->isVisible());
        QVERIFY(asker.isVisible());
        QPointer<AboutWindow> closed(first);
        QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        QVERIFY(second->isVisible());
        QVERIFY(asker.isVisible());
        QVERIFY(scripted.prompter.messages.isEmpty());
    }

    void about_closesWithTheWindowThatAsked()
    {
        ScriptedPlatform scripted;
        Platform platform = scripted.platform();
        auto* asker = new QWidget;
        asker->show();
        QPointer<AboutWindow> about(AboutWindow::showFrom(platform, asker));
        delete asker;
        QVERIFY(about.isNull());
    }

    void systemInfo_data()
    {
        QTest::addColumn<bool>("toolFound");
        QTest::addColumn<int>("starts");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no tool") << false << 0
                                 << QStringList{
                                        QStringLiteral("System Information Is Unavailable At This Time\r\n\r\n"
                                                       "Looked for: hardinfo2, hardinfo, kinfocenter, "
                                                       "gnome-system-monitor, plasma-systemmonitor, ksysguard, "
                                                       "mate-system-monitor, xfce4-taskmanager, lxtask, lshw-gtk")};
        QTest::newRow("tool found") << true << 1 << QStringList{};
    }

    void systemInfo()
    {
        QFETCH(bool, toolFound);
        QFETCH(int, starts);
        QFETCH(QStringList, messages);
        ScriptedPlatform scripted;
        scripted.desktop.systemInfoAvailable = toolFound;
        Platform platform = scripted.platform();
        AboutWindow window(platform);
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        QCOMPARE(scripted.desktop.systemInfoStarts, starts);
        QStringList shown;
        for (const ShownMessage& message : scripted.prompter.messages) {
            shown << message.text;
            QCOMPARE(message.buttons, MessageButtons::Ok);
        }
        QCOMPARE(shown, messages);
        QVERIFY(window.isVisible());
    }

    void helpItems_openTheirTargets_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("url");
        QTest::newRow("people finder") << 0 << true << QStringLiteral("https://www.whitepages.com/");
        QTest::newRow("zip code finder") << 1 << true
                                         << QStringLiteral("https://tools.usps.com/zip-code-lookup.htm?byaddress");
        QTest::newRow("no browser: the address is shown")
            << 1 << false << QStringLiteral("https://tools.usps.com/zip-code-lookup.htm?byaddress");
    }

    void helpItems_openTheirTargets()
    {
        QFETCH(int, item);
        QFETCH(bool, opens);
        QFETCH(QString, url);
        ScriptedPlatform scripted;
        scripted.desktop.opens = opens;
        item == 0 ? openPeopleFinder(scripted.desktop, scripted.prompter)
                  : openZipCodeFinder(scripted.desktop, scripted.prompter);
        QCOMPARE(scripted.desktop.openedUrls, QList<QUrl>{QUrl(url)});
        QVERIFY(scripted.desktop.openedDocuments.isEmpty());
        QCOMPARE(scripted.prompter.messages.size(), opens ? 0 : 1);
        if (!opens)
            QVERIFY(scripted.prompter.messages[0].text.endsWith(QStringLiteral("\r\n") + url));
    }

    void userManual_opensTheProgramFoldersCopy_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::newRow("viewer opens it") << true;
        QTest::newRow("nothing can open it") << false;
    }

    void userManual_opensTheProgramFoldersCopy()
    {
        QFETCH(bool, opens);
        ScriptedPlatform scripted;
        scripted.desktop.opens = opens;
        openUserManual(scripted.desktop, scripted.prompter);
        const QString manual = QDir(m_home.path()).filePath(QStringLiteral("qltUman.pdf"));
        QCOMPARE(scripted.desktop.openedDocuments, QStringList{manual});
        QVERIFY(scripted.desktop.openedUrls.isEmpty());
        // Without a viewer the user is told where the manual is.
        QCOMPARE(scripted.prompter.messages.size(), opens ? 0 : 1);
        if (!opens)
            QVERIFY(scripted.prompter.messages[0].text.endsWith(QStringLiteral("\r\n") + manual));
    }

    void findSystemInfoTool_data()
    {
        QTest::addColumn<QStringList>("executables");
        QTest::addColumn<QStringList>("plainFiles");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList{} << QStringList{} << QString();
        QTest::newRow("one") << QStringList{QStringLiteral("ksysguard")} << QStringList{}
                             << QStringLiteral("ksysguard");
        QTest::newRow("first of the list wins")
            << QStringList{QStringLiteral("gnome-system-monitor"), QStringLiteral("hardinfo")} << QStringList{}
            << QStringLiteral("hardinfo");
        QTest::newRow("not executable") << QStringList{} << QStringList{QStringLiteral("hardinfo")} << QString();
        QTest::newRow("unknown program") << QStringList{QStringLiteral("top")} << QStringList{} << QString();
    }

    void findSystemInfoTool()
    {
        QFETCH(QStringList, executables);
        QFETCH(QStringList, plainFiles);
        QFETCH(QString, expected);
        QTemporaryDir bin;
        for (const QString& name : executables)
            writeExecutable(bin.filePath(name), "#!/bin/sh\n");
        for (const QString& name : plainFiles) {
            QFile file(bin.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString found = quillet::findSystemInfoTool(systemInfoToolNames(), {bin.path()});
        QCOMPARE(found, expected.isEmpty() ? QString() : bin.filePath(expected));
    }

    void findSystemInfoTool_emptyPathFindsNothing()
    {
        QCOMPARE(quillet::findSystemInfoTool(systemInfoToolNames(), {}), QString());
    }

    // The real desktop starts the tool it finds, directly, and says so.
    void qtDesktop_startsTheToolFoundOnPath()
    {
        QTemporaryDir bin;
        const QString marker = bin.filePath(QStringLiteral("started"));
        writeExecutable(bin.filePath(QStringLiteral("hardinfo")),
                        "#!/bin/sh\necho \"$0\" > '" + marker.toUtf8() + "'\n");
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        QtDesktop desktop;
        const bool started = desktop.startSystemInfo();
        qputenv("PATH", savedPath);
        QVERIFY(started);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
    }

    void qtDesktop_reportsWhenNoToolIsFound()
    {
        QTemporaryDir bin;
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        QtDesktop desktop;
        const bool started = desktop.startSystemInfo();
        qputenv("PATH", savedPath);
        QVERIFY(!started);
        QCOMPARE(desktop.today(), QDate::currentDate());
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
