#include "core/editing/ContactPrinting.h"

#include "core/common/TextRules.h"
#include "core/printing/JobTitle.h"

#include <QLocale>

namespace quillet {

namespace {

using F = FormField;

const QString rule = QString(70, u'_');

ContactForm trimmedForm(const ContactForm& shown)
{
    ContactForm form;
    for (FormField field : allFormFields())
        form[field] = text::trimSpaces(shown[field]);
    return form;
}

QString cityLine(const ContactForm& form)
{
    return form[F::City] + QStringLiteral(", ") + form[F::State] + QStringLiteral("  ") + form[F::Zip];
}

void emptyLines(GridDocument& document, int count)
{
    for (int i = 0; i < count; ++i)
        document.printEmptyLine();
}

// A text at a column, or an empty line when there is no text (the second lines
// of category and notes).
void lineOrEmpty(GridDocument& document, int column, const QString& text)
{
    if (text.isEmpty())
        document.printEmptyLine();
    else
        document.printLine(column, text);
}

void printHeading(GridDocument& document, const QString& dateText)
{
    document.setFontSize(12);
    emptyLines(document, 3);
    document.setFontSize(16);
    document.printLine(22, QStringLiteral("Quillet"));
    emptyLines(document, 1);
    document.setFontSize(14);
    document.printLine(27, QStringLiteral("Contact Details"));
    emptyLines(document, 3);
    document.setFontSize(10);
    document.printLine({{35, 0, QStringLiteral("Date of report:")}, {51, 0, dateText}});
    document.setFontSize(12);
    emptyLines(document, 1);
    document.printLine(8, rule);
    emptyLines(document, 2);
}

// The name line keeps both spaces around an empty middle initial, unlike Print Label.
void printAddress(GridDocument& document, const ContactForm& form)
{
    document.printLine(8, form[F::FirstName] + u' ' + form[F::MiddleInitial] + u' ' + form[F::LastName]);
    emptyLines(document, 1);
    document.printLine(8, form[F::Street] + QStringLiteral("  ") + form[F::Street2]);
    emptyLines(document, 1);
    document.printLine(8, cityLine(form));
    emptyLines(document, 2);
}

void printDetails(GridDocument& document, const ContactForm& form)
{
    document.printLine({{8, 0, QStringLiteral("Country:")},
                        {18, 0, form[F::Country]},
                        {40, 0, QStringLiteral("Birthdate:")},
                        {52, 0, form[F::Birthdate]}});
    emptyLines(document, 2);
    document.printLine({{8, 0, QStringLiteral("Home Phone:")},
                        {21, 0, form[F::HomePhone]},
                        {37, 0, QStringLiteral("Cell:")},
                        {44, 0, form[F::CellPhone]},
                        {60, 0, QStringLiteral("Work:")},
                        {67, 0, form[F::WorkPhone]}});
    emptyLines(document, 2);
    document.printLine({{8, 0, QStringLiteral("Email Address:")}, {24, 0, form[F::Email]}});
    emptyLines(document, 2);
    document.printLine({{8, 0, QStringLiteral("Category:")}, {19, 0, text::left(form[F::Category], 61)}});
    lineOrEmpty(document, 19, text::mid(form[F::Category], 62, 19));
    emptyLines(document, 2);
    document.printLine({{8, 0, QStringLiteral("Notes:")}, {16, 0, text::left(form[F::Notes], 61)}});
    // One column left of the line above, as the page has always been laid out.
    lineOrEmpty(document, 15, text::mid(form[F::Notes], 62, 19));
    emptyLines(document, 2);
    document.printLine(8, rule);
}

} // namespace

QStringList labelLinesFor(const ContactForm& shown)
{
    const ContactForm form = trimmedForm(shown);
    QString name = form[F::FirstName] + u' ' + form[F::MiddleInitial] + u' ' + form[F::LastName];
    name.replace(QStringLiteral("  "), QStringLiteral(" "));
    const QString city = form[F::City].isEmpty() ? QString() : cityLine(form);
    if (form[F::Street2].isEmpty() && !form[F::City].isEmpty())
        return {name, form[F::Street], city, QString(), QString()};
    return {name, form[F::Street], form[F::Street2], city, QString()};
}

GridDocument contactDetailsDocument(const ContactForm& shown, const QString& dateText, int copies)
{
    const ContactForm form = trimmedForm(shown);
    GridDocument document;
    document.setFont(QStringLiteral("Courier New"), 12);
    document.setOrientation(PageOrientation::Portrait);
    for (int copy = 0; copy < copies; ++copy) {
        printHeading(document, dateText);
        printAddress(document, form);
        printDetails(document, form);
        document.newPage();
    }
    return document;
}

QString contactDetailsJobTitle(const ContactForm& shown)
{
    return jobTitle(QStringLiteral("Contact Details"), shown[F::FirstName] + u' ' + shown[F::LastName]);
}

GridDocument selectionDocument(const QString& selectedText)
{
    GridDocument document;
    document.setFont(QStringLiteral("Courier New"), 12);
    document.printEmptyLine();
    document.printLine(0, selectedText);
    document.newPage();
    return document;
}

QString detailsDateText(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

} // namespace quillet
