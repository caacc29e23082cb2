#include "core/printing/PrintRunner.h"

#include "core/printing/GridDocument.h"
#include "ports/PrintTarget.h"

namespace quillet {

namespace {
template <typename DocumentOf>
Status runCopies(DocumentOf documentOf, const PrintChoice& choice, PrintTarget& target, const QString& documentName)
{
    if (choice.cancelled)
        return Status::success();
    const PrintJob job = PrintJob::from(choice, documentName);
    for (int copy = 1; copy <= choice.copies; ++copy) {
        Status status = target.print(documentOf(copy), job);
        if (!status)
            return status;
    }
    return Status::success();
}
} // namespace

Status printCopies(const GridDocument& document, const PrintChoice& choice, PrintTarget& target,
                   const QString& documentName)
{
    return runCopies([&document](int) -> const GridDocument& { return document; }, choice, target, documentName);
}

Status printStreamCopies(const std::function<GridStream(int copy)>& makeStream, const PrintChoice& choice,
                         PrintTarget& target, const QString& documentName)
{
    if (choice.cancelled)
        return Status::success();
    const PrintJob job = PrintJob::from(choice, documentName);
    for (int copy = 1; copy <= choice.copies; ++copy) {
        GridStream stream = makeStream(copy);
        if (Status status = target.printStream(stream, job); !status)
            return status;
    }
    return Status::success();
}

Status printCopies(const std::function<GridDocument(int copy)>& makeDocument, const PrintChoice& choice,
                   PrintTarget& target, const QString& documentName)
{
    return runCopies(makeDocument, choice, target, documentName);
}

} // namespace quillet
