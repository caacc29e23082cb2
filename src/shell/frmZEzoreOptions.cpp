// The print options of the main window: media, envelope size, orientation and
// alignment, with the presets each choice puts into the margin fields.
#include "shell/frmZEzore.h"
#include "ui_frmZEzore.h"

#include "printing/EnvelopeSizes.h"
#include "printing/LabelPositionEntry.h"

namespace quillet {

// Options run their steps on `clicked`, which a click on an already selected
// option also sends; selecting from code calls the same steps (select...()).
void frmZEzore::connectOptions()
{
    connect(m_ui->optLMLabel, &QRadioButton::clicked, this, &frmZEzore::chooseLabelStock);
    connect(m_ui->optLMEnvelope, &QRadioButton::clicked, this, &frmZEzore::chooseEnvelope);
    connect(m_ui->cboLMEnvelope, &QComboBox::activated, this, &frmZEzore::chooseEnvelopeSize);
    connect(m_ui->optPortrait, &QRadioButton::clicked, this, &frmZEzore::choosePortrait);
    connect(m_ui->optLandscape, &QRadioButton::clicked, this, &frmZEzore::focusFirstLine);
    connect(m_ui->optLMLeftjust, &QRadioButton::clicked, this, &frmZEzore::focusFirstLine);
    connect(m_ui->optLMCenter, &QRadioButton::clicked, this, &frmZEzore::focusFirstLine);
    m_ui->cboLMEnvelope->addItems(envelopes::sizeNames());
    m_ui->cboLMEnvelope->setCurrentIndex(-1);
}

// Asks for the position again and again until the answer is a position, or no
// position at all (Cancel, empty, zero, not a number).
void frmZEzore::chooseLabelStock()
{
    for (;;) {
        selectPortrait();
        uncheckAndHideBold();
        m_ui->cboLMEnvelope->hide();
        const QString answer =
            m_platform.prompter.input(labelposition::prompt, labelposition::title, labelposition::proposed);
        const labelposition::Answer checked = labelposition::checkAnswer(answer);
        if (checked.margins)
            setMargins(*checked.margins);
        switch (checked.outcome) {
        case labelposition::Outcome::AskAgain:
            m_platform.prompter.beep();
            m_platform.prompter.message(checked.message, checked.messageTitle, MessageIcon::Exclamation);
            continue;
        case labelposition::Outcome::Accepted:
            m_ui->lblLMPosition->setText(checked.caption);
            m_ui->lblLMPosition->show();
            focusFirstLine();
            return;
        case labelposition::Outcome::NoPosition:
            m_ui->lblLMPosition->hide();
            m_ui->lblLMPosition->clear();
            deselectMedia();
            setMargins(defaultMargins);
            return;
        }
    }
}

// Bold appears only once a size is chosen in the list.
void frmZEzore::chooseEnvelope()
{
    selectLandscape();
    m_ui->cboLMEnvelope->show();
    m_ui->lblLMPosition->clear();
    const int index = m_ui->cboLMEnvelope->currentIndex();
    m_envelopeSizeNo = QString::number(index < 0 ? 0 : index + 1);
    if (const std::optional<GridMargins> preset = envelopes::presetOnChoosingEnvelope(index + 1))
        setMargins(*preset);
    focusFirstLine();
}

void frmZEzore::chooseEnvelopeSize(int index)
{
    m_envelopeSizeNo = QString::number(index + 1);
    if (const std::optional<GridMargins> preset = envelopes::presetOnChoosingSize(index + 1))
        setMargins(*preset);
    m_ui->chkBold->show();
    focusFirstLine();
}

void frmZEzore::choosePortrait()
{
    setMargins(defaultMargins);
}

void frmZEzore::selectPortrait()
{
    m_ui->optPortrait->setChecked(true);
    choosePortrait();
}

void frmZEzore::selectLandscape()
{
    m_ui->optLandscape->setChecked(true);
    focusFirstLine();
}

void frmZEzore::setMargins(const GridMargins& margins)
{
    m_ui->txtLMLeftPad->setText(margins.indentsText());
    m_ui->txtLMToppad->setText(margins.padRowsText());
}

} // namespace quillet
