#pragma once

#include "ports/LabelDialogs.h"

class QDialog;

namespace quillet {

// The Label Sheet, start position and Printer Offset dialogs, and a print
// preview of the same PDF the printer gets.
class QtLabelDialogs : public LabelDialogs
{
public:
    // Runs a dialog until it is answered; the program runs them modally, tests
    // show them and answer through their controls.
    using DialogRunner = std::function<int(QDialog&)>;
    explicit QtLabelDialogs(DialogRunner run = {});

    std::optional<QString> chooseSheet(const QString& current) override;
    std::optional<int> askStartPosition(const SheetTemplate& sheet) override;
    std::optional<PrinterOffsetChoice> askPrinterOffset() override;
    void showPreview(const std::function<GridStream()>& makeStream) override;

private:
    bool accepted(QDialog& dialog);

    DialogRunner m_run;
};

} // namespace quillet
