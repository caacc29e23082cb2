#include "core/exchange/ImportLayout.h"

#include "core/common/TextRules.h"

namespace quillet {

using text::contains;
using text::positionOf;

namespace {

const QString webPortalMark = QStringLiteral("Yahoo! Phone");
const QString primaryPhone = QStringLiteral("Primary Phone");
const QString webPage = QStringLiteral("Web Page");
const QString nameEmail = QStringLiteral("Name,E-mail Address");
const QString quilletStart = QStringLiteral("First Name,MI");
const QString quilletEnd = QStringLiteral("Birthdate,Category,Notes");

bool isMailProgramFull(const QString& text)
{
    return contains(text, primaryPhone) && contains(text, webPage);
}

bool isNameAndEmailHeader(const QString& header)
{
    return contains(header, QStringLiteral("Name,")) &&
           !contains(header, QStringLiteral("Suffix,Initials,Web Page,")) &&
           !contains(header, QStringLiteral("Distribution Lists")) && !contains(header, quilletEnd);
}

bool mentionsNames(const QString& line)
{
    return contains(line, QStringLiteral("Name,")) || contains(line, QStringLiteral("First,"));
}

// The header from its first "First Name," on, cut to a length derived from where
// "Name,E-mail Address" stands; a header without "First Name," cannot be cut.
Result<PreparedHeader> mailProgramListHeader(const QString& header)
{
    const QString repaired = lineFeedRepair(header);
    const int j = positionOf(repaired, nameEmail);
    const int k = positionOf(repaired, QStringLiteral("First Name,"));
    bool ok = true;
    PreparedHeader prepared{text::mid(repaired, k, (j - k) + (j + 18), &ok)};
    if (!ok)
        return errors::invalidProcedureCall();
    return prepared;
}

} // namespace

ImportLayout detectLayout(const QString& header)
{
    if (contains(header, webPortalMark))
        return ImportLayout::WebPortal;
    if (isMailProgramFull(header))
        return ImportLayout::MailProgramFull;
    if (contains(header, nameEmail))
        return ImportLayout::MailProgramList;
    if (contains(header, quilletStart) && contains(header, quilletEnd))
        return ImportLayout::QuilletCsv;
    if (isNameAndEmailHeader(header))
        return ImportLayout::NameAndEmail;
    return ImportLayout::None;
}

int layoutNumber(ImportLayout layout)
{
    return static_cast<int>(layout);
}

QString layoutDescription(ImportLayout layout)
{
    switch (layout) {
    case ImportLayout::WebPortal:
        return QStringLiteral("layout 1: web portal address book");
    case ImportLayout::MailProgramFull:
        return QStringLiteral("layout 2: mail program address book");
    case ImportLayout::MailProgramList:
        return QStringLiteral("layout 3: mail program name and e-mail list");
    case ImportLayout::QuilletCsv:
        return QStringLiteral("layout 4: Quillet CSV export");
    case ImportLayout::NameAndEmail:
        return QStringLiteral("layout 5: names with e-mail addresses");
    case ImportLayout::None:
        break;
    }
    return QStringLiteral("no layout");
}

Result<PreparedHeader> prepareHeader(ImportLayout layout, const QString& header)
{
    switch (layout) {
    case ImportLayout::WebPortal:
        return PreparedHeader{removeQuotes(header)};
    case ImportLayout::MailProgramFull:
        return PreparedHeader{columnCut(header)};
    case ImportLayout::MailProgramList:
        return mailProgramListHeader(header);
    case ImportLayout::QuilletCsv:
        return PreparedHeader{removeQuotes(lineFeedRepair(header))};
    case ImportLayout::NameAndEmail: {
        const QString repaired = lineFeedRepair(removeQuotes(header));
        const int end = emailColumnEnd(repaired);
        if (end <= 0)
            return PreparedHeader{QString(), false};
        return PreparedHeader{text::left(repaired, end - 1)};
    }
    case ImportLayout::None:
        break;
    }
    return errors::invalidProcedureCall();
}

bool prepareLine(ImportLayout layout, QString& line)
{
    switch (layout) {
    case ImportLayout::WebPortal:
        line = removeQuotes(line);
        return !contains(line, webPortalMark);
    case ImportLayout::MailProgramFull:
        line = columnCut(line);
        return !isMailProgramFull(line);
    case ImportLayout::MailProgramList:
        line = lineFeedRepair(line);
        // The header test runs again after the cut, which can bring the text together.
        return !contains(line, nameEmail) && addressEndCut(line) && !contains(line, nameEmail);
    case ImportLayout::QuilletCsv:
        line = removeQuotes(line);
        return !contains(line, quilletEnd);
    case ImportLayout::NameAndEmail:
        line = lineFeedRepair(removeQuotes(line));
        return !mentionsNames(line) && addressEndCut(line) && !mentionsNames(line);
    case ImportLayout::None:
        break;
    }
    return false;
}

QString removeQuotes(const QString& text)
{
    QString result = text;
    result.remove(u'"');
    return result;
}

QString lineFeedRepair(const QString& text)
{
    if (text.contains(QStringLiteral("\r\n")))
        return text;
    QString result = text;
    result.replace(u'\n', QStringLiteral("\r\n"));
    return result;
}

QString columnCut(const QString& text)
{
    qsizetype commas = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u',' && ++commas == 21)
            return text.left(i);
    }
    return text;
}

bool addressEndCut(QString& line)
{
    static const QString domains[] = {QStringLiteral(".com"), QStringLiteral(".net"), QStringLiteral(".gov"),
                                      QStringLiteral(".org"), QStringLiteral(".edu"), QStringLiteral(".mil")};
    int cut = 0;
    for (const QString& domain : domains) {
        if (const int at = positionOf(line, domain); at > 0)
            cut = at + 3;
    }
    if (cut == 0)
        return false;
    line = text::left(line, cut);
    return true;
}

int emailColumnEnd(const QString& header)
{
    static const QString names[] = {QStringLiteral("E-mail Address,"), QStringLiteral("Email Address,"),
                                    QStringLiteral("E-mail,"), QStringLiteral("Email,")};
    int end = 0;
    for (const QString& name : names) {
        if (const int at = positionOf(header, name); at > 0)
            end = at + static_cast<int>(name.size()) - 1;
    }
    return end;
}

} // namespace quillet
