#include "help/AppIcon.h"
#include "help/UserManual.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtLabelDialogs.h"
#include "platform/qt/QtPrintDialog.h"
#include "platform/qt/QtPrintTarget.h"
#include "platform/qt/QtPrompter.h"
#include "shell/ContactWindowCommands.h"
#include "shell/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setOrganizationName(QStringLiteral("Quillet"));
    QApplication::setWindowIcon(quillet::applicationIcon());

    quillet::QtPrompter prompter;
    quillet::QtFileDialogs fileDialogs;
    quillet::QtPrintDialog printDialog;
    quillet::QtPrintTarget printTarget;
    quillet::QtDesktop desktop;
    quillet::QtLabelDialogs labelDialogs;
    // A manual that cannot be copied is no reason not to start; Help > User Manual
    // then opens nothing.
    static_cast<void>(quillet::ensureManualInProgramFolder());

    quillet::MainWindow window(
        quillet::Platform{prompter, fileDialogs, printDialog, printTarget, desktop, labelDialogs});
    // The program ends when the main window's shutdown steps are done, even when
    // another window was showing in its place at the time.
    quillet::registerContactWindows(window);
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &quillet::MainWindow::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.start();
    return QApplication::exec();
}
