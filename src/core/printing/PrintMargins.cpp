#include "core/printing/PrintMargins.h"

#include "core/common/TextRules.h"

namespace quillet {

std::optional<int> readMarginField(const QString& field)
{
    return text::roundToInt16(text::leadingNumber(field));
}

} // namespace quillet
