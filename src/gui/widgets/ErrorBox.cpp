#include "gui/widgets/ErrorBox.h"

namespace quillet {

MessageResult showErrorBox(Prompter& prompter, const AppError& error, MessageButtons buttons, ErrorEnding ending)
{
    return prompter.message(errorBoxText(error, ending), errorBoxTitle, MessageIcon::None, buttons);
}

} // namespace quillet
