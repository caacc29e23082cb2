#include "printing/PrintMargins.h"

#include "printing/NumberText.h"

namespace quillet {

std::optional<int> readMarginField(const QString& text)
{
    return printnum::wholeNumber16(text);
}

} // namespace quillet
