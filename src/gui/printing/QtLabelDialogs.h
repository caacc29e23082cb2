#pragma once

#include "ports/LabelDialogs.h"

namespace quillet {

// The Label Sheet, start position and Printer Offset dialogs, and a print
// preview painted by the same renderer as the printer.
class QtLabelDialogs : public LabelDialogs
{
public:
    std::optional<QString> chooseSheet(const QString& current) override;
    std::optional<int> askStartPosition(const SheetTemplate& sheet) override;
    std::optional<PrinterOffsetChoice> askPrinterOffset() override;
    void showPreview(const std::function<GridStream()>& makeStream) override;
};

} // namespace quillet
