#pragma once

#include <QString>

namespace quillet {

struct PrintDialogRequest
{
    int copies = 1;
    // Offer "Selection" (only when the caller has something selected).
    bool allowSelection = false;
    // Page range shown in the dialog (0 = none).
    int fromPage = 0;
    int toPage = 0;
};

struct PrintChoice
{
    bool cancelled = true;
    QString printerName; // CUPS queue name; empty means the default printer
    int copies = 1;
    bool selectionOnly = false;
};

// The print dialog. Printing to a file is never offered.
class PrintDialog
{
public:
    virtual ~PrintDialog() = default;
    virtual PrintChoice ask(const PrintDialogRequest& request) = 0;
};

} // namespace quillet
