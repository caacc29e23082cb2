#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace quillet {

// A SHA-256 certificate digest as people compare them: "AB:CD:...", 32 pairs.
QString fingerprintText(const QByteArray& digest);
// The digest a user gives (64 hex digits, with or without colons or spaces, any
// case); nullopt for anything else.
std::optional<QByteArray> fingerprintDigest(QStringView text);

} // namespace quillet
