#include "core/contacts/LinkedFileQuestion.h"

#include "core/contacts/ContactsFile.h"
#include "ports/Prompter.h"

namespace quillet {

bool allowRewriteOfLinkedFile(ContactsFile& file, Prompter& prompter)
{
    file.setSplittingLinksAllowed(false);
    if (file.linkCount() <= 1)
        return true;
    const bool split =
        prompter.message(QStringLiteral("This contacts file has other names (hard links). The change rewrites it "
                                        "under this name only; the other names keep the old contacts. Go ahead?"),
                         QStringLiteral("File has other names"), MessageIcon::Exclamation,
                         MessageButtons::YesNoDefaultNo) == MessageResult::Yes;
    file.setSplittingLinksAllowed(split);
    return split;
}

} // namespace quillet
