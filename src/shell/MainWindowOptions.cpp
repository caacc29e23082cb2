// The print options of the main window: media, envelope size, orientation and
// alignment, with the presets each choice puts into the margin fields.
#include "shell/MainWindow.h"
#include "ui_MainWindow.h"

#include "printing/EnvelopeSizes.h"
#include "printing/LabelPositionEntry.h"

namespace quillet {

// Options run their steps on `clicked`, which a click on an already selected
// option also sends; selecting from code calls the same steps (select...()).
void MainWindow::connectOptions()
{
    connect(m_ui->labelStockRadio, &QRadioButton::clicked, this, &MainWindow::chooseLabelStock);
    connect(m_ui->envelopeRadio, &QRadioButton::clicked, this, &MainWindow::chooseEnvelope);
    connect(m_ui->envelopeSizeCombo, &QComboBox::activated, this, &MainWindow::chooseEnvelopeSize);
    connect(m_ui->portraitRadio, &QRadioButton::clicked, this, &MainWindow::choosePortrait);
    connect(m_ui->landscapeRadio, &QRadioButton::clicked, this, &MainWindow::focusFirstLine);
    connect(m_ui->leftJustifyRadio, &QRadioButton::clicked, this, &MainWindow::focusFirstLine);
    connect(m_ui->centerRadio, &QRadioButton::clicked, this, &MainWindow::focusFirstLine);
    m_ui->envelopeSizeCombo->addItems(envelopes::sizeNames());
    m_ui->envelopeSizeCombo->setCurrentIndex(-1);
}

// Asks for the position again and again until the answer is a position, or no
// position at all (Cancel, empty, zero, not a number).
void MainWindow::chooseLabelStock()
{
    for (;;) {
        selectPortrait();
        uncheckAndHideBold();
        m_ui->envelopeSizeCombo->hide();
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
            m_ui->labelPositionLabel->setText(checked.caption);
            m_ui->labelPositionLabel->show();
            focusFirstLine();
            return;
        case labelposition::Outcome::NoPosition:
            m_ui->labelPositionLabel->hide();
            m_ui->labelPositionLabel->clear();
            deselectMedia();
            setMargins(defaultMargins);
            return;
        }
    }
}

// Bold appears only once a size is chosen in the list.
void MainWindow::chooseEnvelope()
{
    selectLandscape();
    m_ui->envelopeSizeCombo->show();
    m_ui->labelPositionLabel->clear();
    const int index = m_ui->envelopeSizeCombo->currentIndex();
    m_envelopeSizeNo = QString::number(index < 0 ? 0 : index + 1);
    if (const std::optional<GridMargins> preset = envelopes::presetOnChoosingEnvelope(index + 1))
        setMargins(*preset);
    focusFirstLine();
}

void MainWindow::chooseEnvelopeSize(int index)
{
    m_envelopeSizeNo = QString::number(index + 1);
    if (const std::optional<GridMargins> preset = envelopes::presetOnChoosingSize(index + 1))
        setMargins(*preset);
    m_ui->boldCheck->show();
    focusFirstLine();
}

void MainWindow::choosePortrait()
{
    setMargins(defaultMargins);
}

void MainWindow::selectPortrait()
{
    m_ui->portraitRadio->setChecked(true);
    choosePortrait();
}

void MainWindow::selectLandscape()
{
    m_ui->landscapeRadio->setChecked(true);
    focusFirstLine();
}

void MainWindow::setMargins(const GridMargins& margins)
{
    m_ui->leftPadEdit->setText(margins.indentsText());
    m_ui->topPadEdit->setText(margins.padRowsText());
}

} // namespace quillet
