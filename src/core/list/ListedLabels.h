#pragma once

#include "core/common/Result.h"
#include "core/list/ListedContacts.h"
#include "core/printing/LongLines.h"

#include <QList>

#include <optional>

namespace quillet {

class ContactsFile;
class ListOrder;
class WorkControl;
struct ListQuery;

// What a labels job must know of its labels before the first page: the longest
// line, for the size fitted to a sheet, and the labels whose lines run on into
// the next label of the built-in sheet.
struct LabelSurvey
{
    int longest = 0; // characters, trailing spaces left out
    std::optional<LongLines> longLines;
};

// The contacts of a labels job and their survey, from one reading of each record;
// the label texts themselves are read again as the pages are made.
struct ListedLabels
{
    ListedContacts contacts;
    LabelSurvey survey;
};

// Every record matching the query, in list order.
Result<ListedLabels> listLabels(const ContactsFile& file, const ListQuery& query, const ListOrder& order);
// The contacts a window lists, in its order; a line without a record number (0,
// pasted) is "Bad record number". A `control` may stop it (see
// ListedContacts::ofNumbers).
Result<ListedLabels> listLabels(const ContactsFile& file, const QList<int>& recordNumbers,
                                WorkControl* control = nullptr);

} // namespace quillet
