#include "editing/ContactWindowHelp.h"

#include "common/ProgramFolder.h"
#include "platform/Desktop.h"

#include <QDir>

namespace quillet::contactHelp {

void openUserManual(Desktop& desktop)
{
    (void)desktop.openDocument(QDir(programFolder()).filePath(QStringLiteral("qltUman.pdf")));
}

void openPeopleFinder(Desktop& desktop)
{
    (void)desktop.openUrl(QUrl(QStringLiteral("https://www.whitepages.com/")));
}

void openZipCodeFinder(Desktop& desktop)
{
    (void)desktop.openUrl(QUrl(QStringLiteral("https://tools.usps.com/zip-code-lookup.htm?byaddress")));
}

} // namespace quillet::contactHelp
