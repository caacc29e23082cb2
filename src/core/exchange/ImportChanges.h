#pragma once

#include "core/contacts/FieldCatalogue.h"

#include <QString>

#include <array>
#include <vector>

namespace quillet {

// What an import did to one contact besides copying it: a value left empty because
// it was too long for its field or not usable there, a value shortened to fit, a
// name that folded to "?" because the record cannot hold its letters.
enum class ValueChange { TooLong, NotUsable, Shortened };

struct FieldChange
{
    Field field;
    ValueChange change;
    bool operator==(const FieldChange&) const = default;
};

struct ContactChanges
{
    std::vector<FieldChange> fields;
    bool nameFolded = false;

    void note(Field field, ValueChange change) { fields.push_back({field, change}); }
    // Notes an emptied value, when there was one to empty.
    void noteEmptied(Field field, const QString& before, const QString& after, ValueChange why);
    bool isEmpty() const { return fields.empty() && !nameFolded; }
};

// The marks a dry run prints beside one contact: "State left empty, Work Phone
// shortened, name folded to "?"", empty when nothing changed.
QString changeMarks(const ContactChanges& changes);

// Why a row of the file gave no contact.
enum class SkipReason { AlreadyOnFile, WithoutName, NotReadByLayout };

// The totals of one import run, for its summary.
class ChangeTally
{
public:
    void add(const ContactChanges& changes);
    void skip(SkipReason reason) { ++m_skipped[std::size_t(reason)]; }
    int skipped(SkipReason reason) const { return m_skipped[std::size_t(reason)]; }
    // "3 already on file, 1 without a name skipped.", empty when none was skipped.
    QString skippedText() const;
    // "4 states longer than 2 letters left empty; 2 phone numbers shortened; 1 name
    // folded to "?".", empty when nothing changed.
    QString changedText() const;

private:
    std::array<int, 3> m_skipped{};
    // Counts by field and change, in field order.
    std::array<std::array<int, 3>, fieldCount> m_changes{};
    int m_namesFolded = 0;
};

} // namespace quillet
