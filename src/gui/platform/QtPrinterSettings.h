#pragma once

#include "ports/PrintDialog.h"

class QPrinter;

namespace quillet {

// The settings the user chose in a print dialog, read from its printer.
PrinterSettings readPrinterSettings(QPrinter& printer);

} // namespace quillet
