#include "app/CommandLine.h"
#include "app/WindowWiring.h"
#include "core/common/Settings.h"
#include "core/help/AppIcon.h"
#include "gui/main/MainWindow.h"
#include "gui/platform/KeychainPasswordStore.h"
#include "gui/platform/QtDesktop.h"
#include "gui/platform/QtFileDialogs.h"
#include "gui/platform/QtPrintDialog.h"
#include "gui/platform/QtPrompter.h"
#include "gui/printing/QtLabelDialogs.h"
#include "output/CupsPrintTarget.h"
#include "output/carddav/CardDavServer.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quillet::settings::nameApplication();
    QApplication::setWindowIcon(quillet::applicationIcon());
    const quillet::CommandLine arguments = quillet::readCommandLine(QApplication::arguments());
    if (!arguments.message.isEmpty()) {
        std::fputs(qPrintable(arguments.message + QLatin1Char('\n')), arguments.failed ? stderr : stdout);
        return arguments.failed ? 2 : 0;
    }

    quillet::QtPrompter prompter;
    quillet::QtFileDialogs fileDialogs;
    quillet::QtPrintDialog printDialog;
    quillet::CupsPrintTarget printTarget;
    quillet::QtDesktop desktop;
    quillet::QtLabelDialogs labelDialogs;
    quillet::CardDavServer addressBooks;
    quillet::KeychainPasswordStore passwords;

    quillet::MainWindow window(quillet::Platform{prompter, fileDialogs, printDialog, printTarget, desktop, labelDialogs,
                                                 &addressBooks, &passwords});
    // The program ends when the main window's shutdown steps are done, even when
    // another window was showing in its place at the time.
    quillet::wireWindows(window);
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &quillet::MainWindow::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.start();
    // A file manager opens a contacts file with the program this way.
    if (!arguments.file.isEmpty())
        window.openFile(arguments.file);
    return QApplication::exec();
}
