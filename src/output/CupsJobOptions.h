#pragma once

#include "core/printing/GridDocument.h"
#include "ports/PrintDialog.h"

#include <QByteArray>

#include <vector>

namespace quillet {

struct CupsOption
{
    QByteArray name;
    QByteArray value;
    friend bool operator==(const CupsOption&, const CupsOption&) = default;
};

// The options a print job is sent with: the job's own paper (as IPP's
// self-describing media name), then the sides the print dialog chose, then the
// printer's own options from the dialog (the tray among them), less those that
// would change the paper or its orientation. `firstPage` decides which edge an automatic
// duplex binds on.
std::vector<CupsOption> cupsJobOptions(const PrinterSettings& settings, const Paper& paper, PageOrientation firstPage);

} // namespace quillet
