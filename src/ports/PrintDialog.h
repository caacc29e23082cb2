#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

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

// Printing on both sides of the paper, as the print dialog offers it.
enum class Duplex {
    QueueDefault,
    None,
    Auto, // bound on the long edge of portrait pages and the short edge of landscape ones
    LongEdge,
    ShortEdge
};

// What the user chose for the printer itself, kept for the job instead of the
// queue's defaults. The paper is not among them: every job fixes its own. The
// tray is one of the printer's own options (InputSlot, media-source), as the
// dialog's printer properties offer it.
struct PrinterSettings
{
    Duplex duplex = Duplex::QueueDefault;
    QStringList cupsOptions; // the printer's own options: name, value, name, value, ...
    friend bool operator==(const PrinterSettings&, const PrinterSettings&) = default;
};

struct PrintChoice
{
    bool cancelled = true;
    QString printerName; // CUPS queue name; empty means the default printer
    int copies = 1;
    bool selectionOnly = false;
    PrinterSettings settings;
    // A shift of the whole page in millimetres given for this job; none: the
    // printer's stored offset, for jobs that take it.
    std::optional<QPointF> offsetMm;
};

// The print dialog. Printing to a file is never offered.
class PrintDialog
{
public:
    virtual ~PrintDialog() = default;
    virtual PrintChoice ask(const PrintDialogRequest& request) = 0;
};

} // namespace quillet
