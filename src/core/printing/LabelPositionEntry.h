#pragma once

#include "core/printing/PrintMargins.h"

#include <QString>

#include <optional>

namespace quillet {

// The label-position input box shown when "Label stock" is chosen, and what its
// answer means. The window (and quillet-cli --label) only act on the result.
namespace labelposition {

extern const QString prompt;   // "Enter the label position [1-30] on which to print. ..."
extern const QString title;    // "Label position reading L to R"
extern const QString proposed; // "1"

enum class Outcome {
    // A position: show lblLMPosition with `caption`, focus txtLMLine1.
    Accepted,
    // Beep, show `message` titled `messageTitle` with an exclamation icon, then
    // choose "Label stock" again from its first step (Portrait, margins "2"/"3", ask again).
    AskAgain,
    // Cancelled, empty, zero or not a number: hide lblLMPosition and empty its
    // caption, deselect both media options, margins "2" and "3".
    NoPosition,
};

struct Answer
{
    Outcome outcome = Outcome::NoPosition;
    // The position preset, put into the margins before anything else happens.
    std::optional<GridMargins> margins;
    QString caption; // Accepted: "Label Position 5"
    QString message; // AskAgain
    QString messageTitle;
    int position = 0; // Accepted: 1..30
};

Answer checkAnswer(const QString& answer);

} // namespace labelposition
} // namespace quillet
