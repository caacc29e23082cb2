#pragma once

#include "core/common/AppError.h"
#include "core/printing/PrintRejection.h"
#include "ports/PrintDialog.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quillet {
class PrintTarget;
}

namespace quillet::cli {

// The options every printing verb shares: where the job goes (--printer NAME,
// --pdf FILE or --grid for the transcript on standard output) and --copies K.
class PrintOutput
{
public:
    enum class Destination { None, Printer, Pdf, Grid };

    // Whether the verb takes --offset X,Y (labels, envelopes, return addresses).
    void acceptOffset() { m_acceptsOffset = true; }

    // Consumes args[index] (and its value) when it is one of the shared options,
    // advancing `index` past it. Returns false when it is not one; sets `error`
    // when it is one but malformed.
    bool take(const QStringList& args, qsizetype& index, QString& error);
    // The error when no destination or more than one was given, else empty.
    QString validate() const;

    Destination destination() const { return m_destination; }
    int copies() const { return m_copies; }
    // What a print dialog would have answered.
    PrintChoice choice() const;

    // Runs `print` against the destination's target, writes the transcript for
    // --grid, and returns the exit status: 0, or 1 with the printer-problem message
    // on standard error.
    int run(const std::function<Status(const PrintChoice&, PrintTarget&)>& print) const;

    // Lines for a verb's --help.
    static QString helpText();
    static QString offsetHelpText();

private:
    Destination m_destination = Destination::None;
    int m_destinations = 0;
    QString m_printer;
    QString m_pdf;
    int m_copies = 1;
    bool m_acceptsOffset = false;
    std::optional<QPointF> m_offset;
};

// "X,Y" in millimetres, each from -10 to 10; nothing when it is not that.
std::optional<QPointF> parseOffset(const QString& text);

// Writes a rejection's message on standard error; returns exit status 1.
int reportRejection(const PrintRejection& rejection);
// Writes "quillet-cli VERB: message" on standard error; returns exit status 1.
int reportUsageError(const QString& verb, const QString& message);

} // namespace quillet::cli
