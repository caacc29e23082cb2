#include "core/printing/PrintOptionsChoice.h"

#include "core/printing/EnvelopeSizes.h"

namespace quillet {

GridMargins PrintOptionsChoice::start()
{
    m_state.envelopeListShown = false;
    hideBold();
    return choosePortrait();
}

GridMargins PrintOptionsChoice::clear()
{
    hideBold();
    m_state.media = PrintMedia::None;
    m_state.positionShown = false;
    m_state.positionCaption.clear();
    m_state.envelopeListShown = false;
    m_state.envelopeSizeNo = QStringLiteral("0");
    return defaultMargins;
}

GridMargins PrintOptionsChoice::beginLabelStock()
{
    m_state.media = PrintMedia::Label;
    hideBold();
    m_state.envelopeListShown = false;
    return choosePortrait();
}

labelposition::Answer PrintOptionsChoice::answerPosition(const QString& answer)
{
    labelposition::Answer checked = labelposition::checkAnswer(answer);
    switch (checked.outcome) {
    case labelposition::Outcome::Accepted:
        m_state.positionCaption = checked.caption;
        m_state.positionShown = true;
        break;
    case labelposition::Outcome::AskAgain:
        break;
    case labelposition::Outcome::NoPosition:
        m_state.positionShown = false;
        m_state.positionCaption.clear();
        m_state.media = PrintMedia::None;
        checked.margins = defaultMargins;
        break;
    }
    return checked;
}

std::optional<GridMargins> PrintOptionsChoice::chooseEnvelope()
{
    m_state.media = PrintMedia::Envelope;
    m_state.orientation = PageOrientation::Landscape;
    m_state.envelopeListShown = true;
    m_state.positionCaption.clear();
    const int sizeNo = m_state.envelopeIndex + 1;
    m_state.envelopeSizeNo = QString::number(sizeNo);
    return envelopes::presetOnChoosingEnvelope(sizeNo);
}

std::optional<GridMargins> PrintOptionsChoice::chooseEnvelopeSize(int index)
{
    m_state.envelopeIndex = index;
    m_state.envelopeSizeNo = QString::number(index + 1);
    m_state.boldShown = true;
    return envelopes::presetOnChoosingSize(index + 1);
}

// The margins go back to label 1, and a position caption with them: the window
// never shows a position it will not print.
GridMargins PrintOptionsChoice::choosePortrait()
{
    m_state.orientation = PageOrientation::Portrait;
    m_state.positionShown = false;
    m_state.positionCaption.clear();
    return defaultMargins;
}

void PrintOptionsChoice::chooseLandscape()
{
    m_state.orientation = PageOrientation::Landscape;
}

void PrintOptionsChoice::hideBold()
{
    m_state.bold = false;
    m_state.boldShown = false;
}

} // namespace quillet
