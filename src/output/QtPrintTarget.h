#pragma once

#include "ports/PrintTarget.h"

#include <QPointF>

#include <functional>

class QPrinter;

namespace quillet {

// Prints a job on a CUPS queue through QPrinter (the default printer when the job
// names none). The copy count stays 1: callers send each copy as its own job. A
// missing printer, a painter that will not begin or a queue that refuses the job
// aborts it and returns an error.
class QtPrintTarget : public PrintTarget
{
public:
    Status print(const GridDocument& document, const PrintJob& job) override;
    Status printStream(GridStream& stream, const PrintJob& job) override;

private:
    Status send(const PrintJob& job, bool takesPrinterOffset, const std::function<Status(QPrinter&, QPointF)>& render);
};

} // namespace quillet
