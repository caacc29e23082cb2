// Run at a scale factor of 2 on a 1600x1000 screen: 800x500 logical pixels.
#include "support/MainWindowFixture.h"

#include "app/WindowWiring.h"
#include "core/contacts/ContactsFile.h"
#include "gui/editing/AddContactWindow.h"
#include "gui/editing/ContactWindow.h"
#include "gui/exchange/ExportWindow.h"
#include "gui/exchange/ImportWindow.h"
#include "gui/help/AboutWindow.h"
#include "gui/list/ContactListWindow.h"
#include "gui/main/BirthdayListWindow.h"
#include "gui/printing/QtLabelDialogs.h"
#include "gui/printing/SheetDrawing.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>

using namespace quillet;
using quillet::test::MainWindowFixture;

class TestHiDpi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->devicePixelRatio(), 2.0);
        QCOMPARE(screen->geometry().size(), QSize(800, 500));
    }

    void everyWindowFitsTheScreen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("main window") << "";
        QTest::newRow("add contact") << "cmdAddContact";
        QTest::newRow("contact information") << "mnuViewOne";
        QTest::newRow("list") << "mnuViewAll";
        QTest::newRow("import") << "mnuImport";
        QTest::newRow("import with a preview loaded") << "mnuImport+preview";
        QTest::newRow("export") << "mnuExport";
        QTest::newRow("about") << "mnuAbout";
    }
    void everyWindowFitsTheScreen()
    {
        QFETCH(QString, command);
        MainWindowFixture f;
        wireWindows(*f.window);
        const QString path = f.home.filePath(QStringLiteral("Friends.DAT"));
        f.scripted.fileDialogs.answers.enqueue({path, QStringLiteral("Friends.DAT")});
        f.action("mnuFileNew")->trigger();
        QVERIFY(f.window->session().hasFile());
        f.type(1, QStringLiteral("Dana K Ortiz"));
        const bool preview = command.endsWith(QLatin1String("+preview"));
        command.remove(QLatin1String("+preview"));
        if (command.startsWith(QLatin1String("cmd")))
            f.click(command.toLatin1().constData());
        else if (!command.isEmpty())
            f.action(command.toLatin1().constData())->trigger();
        QWidget* window = f.window.get();
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible() && shown != f.window.get() && !shown->inherits("QMenu"))
                window = shown;
        }
        if (command == QLatin1String("mnuViewAll"))
            window->findChild<QPushButton*>(QStringLiteral("cmdACGetReport"))->click();
        if (preview) {
            const QString csv = QStringLiteral(QUILLET_TEST_DATA "/import/google.csv");
            f.scripted.fileDialogs.answers.enqueue({csv, QStringLiteral("google.csv")});
            window->findChild<QPushButton*>(QStringLiteral("cmdCsvOpen"))->click();
            QVERIFY(window->findChild<QWidget*>(QStringLiteral("mappingTable"))->isVisible());
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The window's picture is drawn at the screen's ratio: two device pixels a logical one.
        const QPixmap shot = window->grab();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        QCOMPARE(shot.size(), window->size() * 2);
        const QRect screen(0, 0, 800, 500);
        QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1: %2,%3 %4x%5")
                                                                          .arg(window->metaObject()->className())
                                                                          .arg(window->frameGeometry().x())
                                                                          .arg(window->frameGeometry().y())
                                                                          .arg(window->frameGeometry().width())
                                                                          .arg(window->frameGeometry().height())));
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown != f.window.get())
                shown->close();
        }
    }

    // The Label Sheet dialog with a sheet drawn, as the program shows it.
    void labelSheetFitsTheScreen()
    {
        MainWindowFixture f;
        QRect frame;
        int drawnLabels = 0;
        QtLabelDialogs dialogs([&](QDialog& dialog) {
            dialog.show();
            if (QTest::qWaitForWindowExposed(&dialog))
                frame = dialog.frameGeometry();
            drawnLabels = dialog.findChild<SheetDrawing*>(QStringLiteral("picSheet"))->sheet().labelCount();
            return int(QDialog::Rejected);
        });
        QVERIFY(!dialogs.chooseSheet(QString()));
        QCOMPARE(drawnLabels, 30);
        QVERIFY2(
            QRect(0, 0, 800, 500).contains(frame),
            qPrintable(
                QStringLiteral("%1x%2 at %3,%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())));
    }

    // Many birthdays in one window, and the main window unmoved when Envelope shows its list.
    void birthdaysAndEnvelope()
    {
        MainWindowFixture f;
        QList<reminders::DueBirthday> due;
        for (int day = 1; day <= 40; ++day)
            due << reminders::DueBirthday{QStringLiteral("Person %1").arg(day),
                                          QDate(2026, 6, 15).addDays(day % 15 + 1), day % 15 + 1, QString()};
        auto* birthdays = BirthdayListWindow::showFor(due, f.window.get());
        QVERIFY(QTest::qWaitForWindowExposed(birthdays));
        QVERIFY(QRect(0, 0, 800, 500).contains(birthdays->frameGeometry()));
        birthdays->close();
        const QRect linesBefore = f.line(1)->geometry();
        f.click("optLMEnvelope");
        QCOMPARE(f.line(1)->geometry(), linesBefore);
    }
};

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
