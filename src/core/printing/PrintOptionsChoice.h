#pragma once

#include "core/printing/LabelPositionEntry.h"
#include "core/printing/PrintMargins.h"
#include "core/printing/TypedLines.h"

#include <QString>

#include <optional>

namespace quillet {

// What the main window's print options show: the medium and orientation chosen,
// the envelope size, the label position caption, and whether the envelope list
// and Bold are shown. The window draws its controls from it.
struct PrintOptionsState
{
    PrintMedia media = PrintMedia::None;
    PageOrientation orientation = PageOrientation::Portrait;
    int envelopeIndex = -1; // the envelope list's selection, -1 for none
    QString envelopeSizeNo; // EnvelopeSizeNo: "1" to "7", "0" or empty for none
    bool envelopeListShown = false;
    bool boldShown = false;
    bool bold = false;
    bool positionShown = false;
    QString positionCaption; // "Label Position 5"
};

// The rules of the main window's media, envelope size and orientation choices,
// without widgets. Each choice changes the state and returns the margins it
// presets, if any, for the window's margin fields (which the user may also type).
class PrintOptionsChoice
{
public:
    const PrintOptionsState& state() const { return m_state; }

    // Start-up: Portrait, no envelope list, no Bold.
    GridMargins start();
    // Clear Form: no medium, no position, no envelope list or size, no Bold.
    GridMargins clear();

    // "Label stock", before every question for the position: Portrait, no Bold,
    // no envelope list.
    GridMargins beginLabelStock();
    // The position box's answer. Accepted shows the caption; AskAgain leaves the
    // window to ask again (from beginLabelStock); no position leaves no medium.
    // The answer's margins are those to put into the fields, if any.
    labelposition::Answer answerPosition(const QString& answer);

    // "Envelope": Landscape, the envelope list shown, the position caption emptied.
    std::optional<GridMargins> chooseEnvelope();
    // A size picked in the envelope list (index from 0); Bold appears.
    std::optional<GridMargins> chooseEnvelopeSize(int index);

    GridMargins choosePortrait();
    void chooseLandscape();

    void setBold(bool bold) { m_state.bold = bold; }
    // After printing a label or return addresses, and when a contact's lines arrive.
    void hideBold();

private:
    PrintOptionsState m_state;
};

} // namespace quillet
