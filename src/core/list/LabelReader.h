#pragma once

#include "core/common/AppError.h"

#include <memory>
#include <vector>

namespace quillet {

struct LabelTexts;

// A job's label texts in list order, handed one after the other to the stream that
// prints them: from memory, or read from the contacts file as the pages are made
// (FileLabelReader), which can fail half way.
class LabelReader
{
public:
    virtual ~LabelReader() = default;
    virtual qsizetype size() const = 0;
    // The next label, valid until the next call; nullptr after the last one, or once
    // a read failed.
    virtual const LabelTexts* next() = 0;
    // Why the labels stopped before the last one: success when they did not.
    virtual Status status() const { return {}; }
};

// The labels of a vector, which must outlive the reader.
std::shared_ptr<LabelReader> readerOf(const std::vector<LabelTexts>& labels);

} // namespace quillet
