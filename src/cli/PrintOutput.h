#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/printing/PrintRejection.h"
#include "ports/PrintDialog.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace quillet {
class PrintTarget;
}

namespace quillet::cli {

// The options every printing verb shares: where the job goes (--printer NAME,
// --pdf FILE, "-" for standard output, or --grid for the transcript on standard
// output), --copies K and, for the verbs that print on label stock or envelopes,
// --offset X,Y.
class PrintOutput
{
public:
    enum class Destination { Printer, Pdf, Grid };
    enum class Offset { Refused, Accepted };

    // The options a printing verb declares.
    static QList<QCommandLineOption> options(Offset offset);
    // Reads them: exactly one destination, copies from 1 to 999, a PDF on standard
    // output only as one copy, an offset within bounds. Otherwise the usage error.
    static Result<PrintOutput> fromArgs(const QCommandLineParser& args, Offset offset);

    Destination destination() const { return m_destination; }
    int copies() const { return m_copies; }
    // What a print dialog would have answered.
    PrintChoice choice() const;

    // Runs `print` against the destination's target, writes the transcript for
    // --grid, and returns the exit status: 0, or 1 with the printer-problem message.
    int run(const std::function<Status(const PrintChoice&, PrintTarget&)>& print) const;

private:
    Destination m_destination = Destination::Grid;
    QString m_printer;
    QString m_pdf;
    int m_copies = 1;
    std::optional<QPointF> m_offset;
};

// Writes a rejection's message (the window's text) on standard error; returns exit status 1.
int reportRejection(const PrintRejection& rejection);

} // namespace quillet::cli
