#pragma once

#include "ports/PrintDialog.h"

class QPrinter;

namespace quillet {

// The settings the user chose in a print dialog, read from its printer.
PrinterSettings readPrinterSettings(QPrinter& printer);
// Puts chosen settings on a printer made for a job; options that set the paper or
// its orientation are left out, since the job fixes those.
void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer);

} // namespace quillet
