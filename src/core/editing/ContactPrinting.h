#pragma once

#include "core/editing/ContactForm.h"
#include "core/printing/GridDocument.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace quillet {

// Print Label: the five label lines of the main window for the contact as shown
// (name, street, then second street line and city line; the country is left out).
QStringList labelLinesFor(const ContactForm& shown);

// The Contact Details page, `copies` times in one document, each copy ending with
// a new page. `dateText` is today's date as the page shows it.
GridDocument contactDetailsDocument(const ContactForm& shown, const QString& dateText, int copies = 1);

// The print job's title: "Contact Details" and the contact's name.
QString contactDetailsJobTitle(const ContactForm& shown);

// A date as the details page prints it: the system's short date form.
QString detailsDateText(const QDate& date);

// Printing only the selection: an empty line and the selected text.
GridDocument selectionDocument(const QString& selectedText);

inline const QString printerErrorTitle = QStringLiteral("Printer error.");

} // namespace quillet
