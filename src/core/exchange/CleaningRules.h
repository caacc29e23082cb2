#pragma once

#include "core/contacts/ContactRecord.h"
#include "core/exchange/ImportChanges.h"
#include "core/exchange/ImportLayout.h"

#include <QString>

#include <span>

namespace quillet {

// The clean-up an import layout applies to the values it read, one rule at a time.
enum class CleaningRule {
    SlashDates,  // M/D/YYYY and the like -> YYYYMMDD
    DashDates,   // the same with "-"
    CenturyTest, // empty unless it starts with "19" or "20"
    UpperCase,
    LastFourTest,  // empty unless the last four characters read as a number
    HomeFromWork,  // an empty HomePhone takes WorkPhone (the field is ignored)
    ShortStreet,   // empty when shorter than 6 characters
    DigitTest,     // empty when it holds a digit
    MarkTest,      // empty when it holds "#" or a digit
    StateLength,   // empty when longer than 2 characters
    FirstFiveTest, // empty unless the first five characters read as a number
    PhoneMarks,    // "+", "(" and ")" removed
};

struct CleaningStep
{
    CleaningRule rule;
    Field field;
};

// The rules a layout runs, in their order, and the fields it empties afterwards.
std::span<const CleaningStep> cleaningSteps(ImportLayout layout);
std::span<const Field> clearedFields(ImportLayout layout);

// One rule on one value (HomeFromWork needs the whole contact: see applyCleaning).
QString cleanValue(CleaningRule rule, const QString& value);
// A date in month/day/year order with `separator`, one-digit month or day allowed,
// rearranged to YYYYMMDD; anything else is rearranged by the same character
// positions, and the century test then empties it.
QString rearrangeDate(const QString& value, QChar separator);

// Runs the steps; a value a step empties is noted in `changes` when given.
void applyCleaning(std::span<const CleaningStep> steps, ContactRecord& working, ContactChanges* changes = nullptr);
void clearFields(std::span<const Field> fields, ContactRecord& working);

} // namespace quillet
