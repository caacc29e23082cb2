#include "gui/editing/AddContactWindow.h"

#include "core/editing/ContactValidation.h"
#include "core/editing/QuickAddParser.h"
#include "core/help/Help.h"
#include "gui/editing/ContactFields.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "gui/widgets/EditMenu.h"
#include "gui/widgets/ErrorBox.h"
#include "gui/widgets/WindowKeys.h"
#include "gui/widgets/WindowPlacement.h"
#include "ports/Platform.h"
#include "ui_AddContactWindow.h"

#include <QCloseEvent>
#include <QLineEdit>

namespace quillet {

AddContactWindow::AddContactWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_platform(platform), m_host(host),
      m_ui(std::make_unique<Ui::AddContactWindow>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Add Contact  [") + m_session.fileTitle() + QStringLiteral("]"));
    m_fields = new ContactFields(this);
    makeScrollable(m_ui->mainLayout, m_ui->fieldsLayout);
    pressButtonsOnEnter(this);
    closeOnEscape(this);

    connect(m_ui->saveButton, &QPushButton::clicked, this, &AddContactWindow::saveAndClose);
    connect(m_ui->saveAndNewButton, &QPushButton::clicked, this, &AddContactWindow::saveAndNew);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->zipFinderButton, &QPushButton::clicked, this,
            [this] { openZipCodeFinder(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->peopleFinderButton, &QPushButton::clicked, this,
            [this] { openPeopleFinder(m_platform.desktop, m_platform.prompter); });
    new EditMenu(this, m_ui->editMenu, m_ui->cutAction, m_ui->copyAction, m_ui->pasteAction);
    connect(m_ui->manualAction, &QAction::triggered, this,
            [this] { openUserManual(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->aboutAction, &QAction::triggered, this, [this] { m_host.showAbout(); });
}

AddContactWindow::~AddContactWindow() = default;

AddContactWindow* AddContactWindow::quickAdd(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
{
    const QuickAddResult parsed = parseLabelLines(host.labelLines());
    if (parsed.lineOneNeedsSpace) {
        platform.prompter.beep();
        platform.prompter.message(lineOneNeedsSpaceText, incorrectEntryTitle, MessageIcon::None, MessageButtons::Ok);
        return nullptr;
    }
    auto* window = new AddContactWindow(session, platform, host, parent);
    window->prefill(parsed);
    window->show();
    return window;
}

void AddContactWindow::prefill(const QuickAddResult& parsed)
{
    for (FormField field : allFormFields()) {
        if (const std::optional<QString>& text = parsed.value(field))
            setFieldText(field, *text);
    }
}

void AddContactWindow::setFieldText(FormField field, const QString& text)
{
    m_fields->setText(field, text);
}

QString AddContactWindow::fieldText(FormField field) const
{
    return m_fields->editor(field)->text();
}

void AddContactWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        m_fields->editor(FormField::FirstName)->setFocus();
    }
}

void AddContactWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_host.returnToMainWindow();
}

void AddContactWindow::saveAndClose()
{
    if (save())
        close();
}

// The window stays open with an empty form for the next contact.
void AddContactWindow::saveAndNew()
{
    if (!save())
        return;
    m_fields->setTexts(ContactForm{});
    m_fields->editor(FormField::FirstName)->setFocus();
}

bool AddContactWindow::save()
{
    const ValidationResult result = validateContact(m_fields->texts(), addContactRules);
    m_fields->setTexts(result.form);
    if (!result.ok()) {
        m_fields->showRejection(m_platform.prompter, *result.rejection);
        return false;
    }
    const Result<int> appended = m_session.file().append(recordFromForm(result.form, m_session.reminderFlag()));
    if (!appended) {
        if (showErrorBox(m_platform.prompter, appended.error()) == MessageResult::Cancel)
            close();
        return false;
    }
    // A record saved with reminders on makes "Disable Birthday Reminders" available.
    m_session.noteRecordWritten();
    m_platform.prompter.message(QStringLiteral("S A V E D"), QStringLiteral("Contact saved to file"), MessageIcon::None,
                                MessageButtons::Ok);
    return true;
}

} // namespace quillet
