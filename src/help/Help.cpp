#include "help/Help.h"

#include "help/UserManual.h"
#include "platform/Desktop.h"

namespace quillet {

void openUserManual(Desktop& desktop)
{
    // Either step may fail; the viewer (or its absence) is the system's business.
    (void)ensureManualInProgramFolder();
    desktop.openDocument(manualPath());
}

void openPeopleFinder(Desktop& desktop)
{
    desktop.openUrl(peopleFinderUrl);
}

void openZipCodeFinder(Desktop& desktop)
{
    desktop.openUrl(zipCodeFinderUrl);
}

namespace about {

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
