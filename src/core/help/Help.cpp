#include "core/help/Help.h"

#include "core/help/SystemInfoTools.h"
#include "core/help/UserManual.h"
#include "ports/Desktop.h"
#include "ports/Prompter.h"

#include <QDir>

namespace quillet {

namespace {

void openPage(Desktop& desktop, Prompter& prompter, const QUrl& url)
{
    if (!desktop.openUrl(url))
        prompter.message(pageNotOpenedText + url.toString(), about::programTitle, MessageIcon::Information);
}

} // namespace

void openUserManual(Desktop& desktop, Prompter& prompter)
{
    // A copy that fails shows up as a manual that cannot be opened.
    (void)ensureManualInProgramFolder();
    const QString path = QDir::toNativeSeparators(manualPath());
    if (!desktop.openDocument(manualPath()))
        prompter.message(manualNotOpenedText + path, about::programTitle, MessageIcon::Information);
}

void openPeopleFinder(Desktop& desktop, Prompter& prompter)
{
    openPage(desktop, prompter, peopleFinderUrl);
}

void openZipCodeFinder(Desktop& desktop, Prompter& prompter)
{
    openPage(desktop, prompter, zipCodeFinderUrl);
}

namespace about {

QString systemInfoUnavailableText()
{
    return systemInfoUnavailable + QStringLiteral("\r\n\r\nLooked for: ") +
           systemInfoToolNames().join(QStringLiteral(", "));
}

QString caption()
{
    return QStringLiteral("About ") + programTitle;
}

QString makerCaption()
{
    return QStringLiteral("About ") + makerName;
}

QString versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(QUILLET_VERSION_MAJOR)
        .arg(QUILLET_VERSION_MINOR)
        .arg(QUILLET_VERSION_PATCH);
}

QString description()
{
    return QStringLiteral("Quillet  is a software program for your home or small business.  It allows you to type and "
                          "print your label, or retrieve label information from your contact file.  With its "
                          "comprehensive features, you can save time and money.  Visit the Quillet web site for "
                          "news, updates and tips, and to tell us how Quillet works for you.");
}

QString copyright()
{
    return QStringLiteral("Copyright \u00A9 2026 ") + makerName + QStringLiteral(".  All rights reserved.");
}

QString disclaimer()
{
    return QStringLiteral("Disclaimer:  This program is provided \"as is\", without warranty of any kind, express or "
                          "implied.  In no event shall its makers be liable for any claim, damages or other "
                          "liability arising from its use, including lost contacts or spoiled label stock.  Keep "
                          "backup copies of your contacts files.");
}

} // namespace about
} // namespace quillet
