#include "gui/widgets/ErrorBox.h"

#include "core/common/AppError.h"
#include "ports/Prompter.h"

namespace quillet {

bool retryAfterError(Prompter& prompter, const AppError& error)
{
    return prompter.message(errorBoxText(error), errorBoxTitle, MessageIcon::None, MessageButtons::RetryCancel) !=
           MessageResult::Cancel;
}

} // namespace quillet
