#pragma once

#include <QString>

#include <optional>

namespace quillet {

// The title a print job carries to the print queue and into its PDF, so that a
// queue of Quillet's jobs can be told apart: what is printed, then the contact,
// list or sheet it comes from, then how many contacts a list job holds, as in
// "Labels – Friends (1,234 contacts)". A blank subject and a missing count are
// left out; what is printed alone is the title then.
QString jobTitle(const QString& what, const QString& subject = {}, std::optional<qsizetype> contacts = {});

} // namespace quillet
