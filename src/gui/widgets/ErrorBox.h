#pragma once

#include "core/common/AppError.h"
#include "ports/Prompter.h"

namespace quillet {

// The one error box of every window: "An error has occurred. Error number N --
// description.  Try again, or notify author." titled "Error", with no icon; a
// failure with a message of its own shows that message alone. Most boxes offer
// Retry and Cancel; the caller decides what each means for its window.
MessageResult showErrorBox(Prompter& prompter, const AppError& error,
                           MessageButtons buttons = MessageButtons::RetryCancel,
                           ErrorEnding ending = ErrorEnding::Author);

} // namespace quillet
