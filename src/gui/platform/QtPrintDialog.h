#pragma once

#include "ports/PrintDialog.h"

namespace quillet {

// The system print dialog (CUPS queues), without the print-to-file choice.
class QtPrintDialog : public PrintDialog
{
public:
    PrintChoice ask(const PrintDialogRequest& request) override;
};

} // namespace quillet
