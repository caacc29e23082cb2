#pragma once

#include "ports/PrintDialog.h"

#include <functional>

class QDialog;

namespace quillet {

// The system print dialog (CUPS queues), without the print-to-file choice.
class QtPrintDialog : public PrintDialog
{
public:
    // Runs the dialog until it is answered; the program runs it modally.
    using DialogRunner = std::function<int(QDialog&)>;
    explicit QtPrintDialog(DialogRunner run = {});

    PrintChoice ask(const PrintDialogRequest& request) override;

private:
    DialogRunner m_run;
};

} // namespace quillet
