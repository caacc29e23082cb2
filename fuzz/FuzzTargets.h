#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The bodies of the libFuzzer targets. The fuzzers call them on generated inputs;
// the test suite replays the seed corpora and the kept regression inputs through
// the same functions, so a fixed fault stays fixed in every build.
namespace quillet::fuzz {

// Once per process: an offscreen GUI application (font metrics for printing) and
// a scratch folder for the files the targets write.
void initialize(int* argc, char*** argv);

// Each returns an empty text when every invariant held, else what broke.
// A crash or sanitizer report is a failure too, of course.

// A contacts file of these bytes: opened, counted, read record by record and in
// chunks, stepped through with each record's details page printed, listed with
// label sheets and the report, exported both ways, switched reminders off and on
// (which must change only the flag bytes), and its first record deleted.
QString contactsFile(const uint8_t* data, size_t size);

// Lines of text (split at LF): the label-position answer, the two margin fields,
// then the five typed lines printed on a label with those margins.
QString printInputs(const uint8_t* data, size_t size);

// A CSV file of these bytes imported into a contacts file of two records, which
// must afterwards hold those two unchanged and whole records after them, as many
// as the import says it added.
QString importCsv(const uint8_t* data, size_t size);

// Five label lines (split at LF) through quick add, and what it fills through the
// Add Contact checks into a record.
QString quickAdd(const uint8_t* data, size_t size);

// One command-line option value read as --copies, --start (on sheets of 1, 30 and
// 10,000 labels), --offset and --map: what is accepted is in range and reads back,
// what is refused is refused with a message that names the option.
QString optionValues(const uint8_t* data, size_t size);

// A label template file (templates and paper sizes in one): read with the paper
// sizes it defines and as a catalogue folder's file; every sheet within the limits
// of real products, its labels finite rectangles, and a job on a sheet that holds
// text printing some.
QString sheetTemplates(const uint8_t* data, size_t size);

// The input as stored records, each exported as a vCard and read back: one card
// per record, every field as stored (spaces around it and carriage returns left out).
QString vcardRoundTrip(const uint8_t* data, size_t size);

} // namespace quillet::fuzz
