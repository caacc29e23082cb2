#pragma once

#include "core/exchange/ImportLines.h"
#include "core/exchange/ImportedContact.h"

#include <QHash>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <memory>

namespace quillet {

// Reads the cards of a vCard 2.1, 3.0 or 4.0 file one at a time: folded lines,
// "item1." groups, TYPE and PREF parameters (and 2.1's bare types),
// quoted-printable values (whose soft line breaks join lines before folding does),
// values in the charset their CHARSET parameter names, the escapes \n \, \; and \\,
// several cards per file. Every line is read once, so the time grows with the file.
class VCardReader
{
public:
    explicit VCardReader(ImportLines& lines) : m_lines(lines) {}

    // The next card; false at the end of the file or on a failure to read it (the
    // lines' status tells). A last card without its END still counts.
    bool next(ImportedContact& card);
    // The VERSION of the first card that gives one ("3.0"), empty when none does.
    const QString& version() const { return m_version; }

private:
    bool logicalLine(QString& line);
    // The value as text; `decoded` holds it when it had to be decoded.
    QStringView valueText(QStringView value, bool quotedPrintable, const QString& charset, QString& decoded);
    QString decoded(const QByteArray& bytes, const QString& charset);
    QByteArray rawBytes(QStringView text) const;

    ImportLines& m_lines;
    QString m_line; // the content line being read
    QString m_pending;
    bool m_havePending = false;
    QString m_version;
    QHash<QString, std::shared_ptr<QStringDecoder>> m_decoders; // by charset name
};

// A property value with its escapes undone.
QString vcardUnescape(QStringView value);
// A structured value (N, ADR) cut at its unescaped separators, each part unescaped.
QStringList vcardComponents(QStringView value, QChar separator = u';');

} // namespace quillet
