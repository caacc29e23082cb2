// The print options of the main window: media, envelope size, orientation and
// alignment. PrintOptionsChoice holds their rules and state; this file moves the
// user's choices in and shows the state and the margin presets that come back.
#include "gui/main/MainWindow.h"
#include "ui_MainWindow.h"

#include "core/printing/EnvelopeSizes.h"

namespace quillet {

// Options run their steps on `clicked`, which a click on an already selected
// option also sends.
void MainWindow::connectOptions()
{
    connect(m_ui->labelStockRadio, &QRadioButton::clicked, this, &MainWindow::chooseLabelStock);
    connect(m_ui->envelopeRadio, &QRadioButton::clicked, this, &MainWindow::chooseEnvelope);
    connect(m_ui->envelopeSizeCombo, &QComboBox::activated, this, &MainWindow::chooseEnvelopeSize);
    connect(m_ui->portraitRadio, &QRadioButton::clicked, this, &MainWindow::choosePortrait);
    connect(m_ui->landscapeRadio, &QRadioButton::clicked, this, &MainWindow::chooseLandscape);
    connect(m_ui->leftJustifyRadio, &QRadioButton::clicked, this, &MainWindow::focusFirstLine);
    connect(m_ui->centerRadio, &QRadioButton::clicked, this, &MainWindow::focusFirstLine);
    connect(m_ui->boldCheck, &QCheckBox::toggled, this, [this](bool bold) { m_options.setBold(bold); });
    m_ui->envelopeSizeCombo->addItems(envelopes::sizeNames());
    m_ui->envelopeSizeCombo->setCurrentIndex(-1);
}

// Asks for the position again and again until the answer is a position, or no
// position at all (Cancel, empty, zero, not a number).
void MainWindow::chooseLabelStock()
{
    for (;;) {
        setMargins(m_options.beginLabelStock());
        showOptions();
        const QString answer =
            m_platform.prompter.input(labelposition::prompt, labelposition::title, labelposition::proposed);
        const labelposition::Answer checked = m_options.answerPosition(answer);
        setMargins(checked.margins);
        showOptions();
        if (checked.outcome != labelposition::Outcome::AskAgain) {
            if (checked.outcome == labelposition::Outcome::Accepted)
                focusFirstLine();
            return;
        }
        m_platform.prompter.beep();
        m_platform.prompter.message(checked.message, checked.messageTitle, MessageIcon::Exclamation);
    }
}

// Bold appears only once a size is chosen in the list.
void MainWindow::chooseEnvelope()
{
    setMargins(m_options.chooseEnvelope());
    showOptions();
    focusFirstLine();
}

void MainWindow::chooseEnvelopeSize(int index)
{
    setMargins(m_options.chooseEnvelopeSize(index));
    showOptions();
    focusFirstLine();
}

void MainWindow::choosePortrait()
{
    setMargins(m_options.choosePortrait());
    showOptions();
}

void MainWindow::chooseLandscape()
{
    m_options.chooseLandscape();
    showOptions();
    focusFirstLine();
}

void MainWindow::showOptions()
{
    const PrintOptionsState& state = m_options.state();
    // An exclusive pair of options can only be cleared with exclusivity switched off.
    for (QRadioButton* option : {m_ui->labelStockRadio, m_ui->envelopeRadio}) {
        option->setAutoExclusive(false);
        option->setChecked(option == (state.media == PrintMedia::Label      ? m_ui->labelStockRadio
                                      : state.media == PrintMedia::Envelope ? m_ui->envelopeRadio
                                                                            : nullptr));
        option->setAutoExclusive(true);
    }
    (state.orientation == PageOrientation::Portrait ? m_ui->portraitRadio : m_ui->landscapeRadio)->setChecked(true);
    m_ui->envelopeSizeCombo->setVisible(state.envelopeListShown);
    m_ui->boldCheck->setChecked(state.bold);
    m_ui->boldCheck->setVisible(state.boldShown);
    m_ui->labelPositionLabel->setText(state.positionCaption);
    m_ui->labelPositionLabel->setVisible(state.positionShown);
}

void MainWindow::setMargins(const std::optional<GridMargins>& margins)
{
    if (!margins)
        return;
    m_ui->leftPadEdit->setText(margins->indentsText());
    m_ui->topPadEdit->setText(margins->padRowsText());
}

} // namespace quillet
