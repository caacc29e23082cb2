#pragma once

#include <QString>
#include <QUrl>

namespace quillet {

class Desktop;

// The web pages behind "People Finder" and "Zip Code Finder". Nothing from the
// contact or the typed lines is ever passed to them.
inline const QUrl peopleFinderUrl{QStringLiteral("https://www.whitepages.com/")};
inline const QUrl zipCodeFinderUrl{QStringLiteral("https://tools.usps.com/zip-code-lookup.htm?byaddress")};

// Help > User Manual in every window: opens the manual in the program's folder with
// the default viewer. A missing manual is first copied there from the installed one;
// nothing is reported when it cannot be opened.
void openUserManual(Desktop& desktop);
void openPeopleFinder(Desktop& desktop);
void openZipCodeFinder(Desktop& desktop);

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
} // namespace about

} // namespace quillet
