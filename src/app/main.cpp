#include "app/WindowWiring.h"
#include "core/common/Settings.h"
#include "core/help/AppIcon.h"
#include "core/help/UserManual.h"
#include "gui/main/MainWindow.h"
#include "gui/platform/QtDesktop.h"
#include "gui/platform/QtFileDialogs.h"
#include "gui/platform/QtPrintDialog.h"
#include "gui/platform/QtPrompter.h"
#include "gui/printing/QtLabelDialogs.h"
#include "output/QtPrintTarget.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quillet::settings::nameApplication();
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
    quillet::wireWindows(window);
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &quillet::MainWindow::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.start();
    return QApplication::exec();
}
