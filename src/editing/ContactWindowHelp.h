#pragma once

namespace quillet {

class Desktop;

// The help and web-lookup commands of the two contact windows. The result of
// opening is ignored: whatever the system shows is the system's.
namespace contactHelp {
void openUserManual(Desktop& desktop);
void openPeopleFinder(Desktop& desktop);
void openZipCodeFinder(Desktop& desktop);
} // namespace contactHelp

} // namespace quillet
