#pragma once

#include <QString>

namespace quillet {

// A print request turned down before printing: the window beeps, shows `message`
// titled `title` with an exclamation icon and, when `focusLine` is 1 to 5, puts
// the focus on that typed line (txtLMLine1..5). quillet-cli prints the message.
struct PrintRejection
{
    QString message;
    QString title;
    int focusLine = 0; // 0: the focus stays where it is
};

} // namespace quillet
