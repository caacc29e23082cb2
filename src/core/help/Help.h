#pragma once

#include <QString>
#include <QUrl>

namespace quillet {

class Desktop;
class Prompter;

// The web pages behind "People Finder" and "Zip Code Finder". Nothing from the
// contact or the typed lines is ever passed to them.
inline const QUrl peopleFinderUrl{QStringLiteral("https://www.whitepages.com/")};
inline const QUrl zipCodeFinderUrl{QStringLiteral("https://tools.usps.com/zip-code-lookup.htm?byaddress")};

// Help > User Manual in every window: opens the manual in the program's folder with
// the default viewer. A missing manual is first copied there from the installed one.
// When the desktop cannot open the manual or a web page, a message gives its path or
// address, so the user can open it another way.
void openUserManual(Desktop& desktop, Prompter& prompter);
void openPeopleFinder(Desktop& desktop, Prompter& prompter);
void openZipCodeFinder(Desktop& desktop, Prompter& prompter);

inline const QString manualNotOpenedText =
    QStringLiteral("The user manual could not be opened: no program to show it was found.\r\n"
                   "You can open it yourself; it is stored here:\r\n");
inline const QString pageNotOpenedText =
    QStringLiteral("The web page could not be opened: no web browser was found.\r\n"
                   "You can visit it yourself at this address:\r\n");

// Texts of the About window and of the Import window's About item.
namespace about {
inline const QString programTitle = QStringLiteral("Quillet");
inline const QString makerName = QStringLiteral("Quillet Software");
// "About Quillet"
QString caption();
// "About Quillet Software": the Import window's About item.
QString makerCaption();
// "Version 4.6.0", from the project version the build was made with.
QString versionText();
QString description();
QString copyright();
QString disclaimer();
inline const QString systemInfoUnavailable = QStringLiteral("System Information Is Unavailable At This Time");
// The unavailable message with the tools that were looked for.
QString systemInfoUnavailableText();
} // namespace about

} // namespace quillet
