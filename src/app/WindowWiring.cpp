#include "app/WindowWiring.h"

#include "gui/editing/AddContactWindow.h"
#include "gui/editing/ContactWindow.h"
#include "gui/exchange/ExportWindow.h"
#include "gui/exchange/ImportWindow.h"
#include "gui/help/AboutWindow.h"
#include "gui/list/ContactListWindow.h"
#include "gui/main/MainWindow.h"
#include "gui/widgets/WindowPlacement.h"

#include <QComboBox>
#include <QPointer>

#include <memory>

namespace quillet {

namespace {

// Each window is loaded at most once: a Contact Information window hidden by
// Print Label is shown again, with its state, by the next command that opens it.
struct LoadedWindows
{
    QPointer<ContactWindow> contact;
};

ContactWindow* contactWindow(MainWindow& main, LoadedWindows& loaded)
{
    if (!loaded.contact)
        loaded.contact = new ContactWindow(main.session(), main.platform(), main);
    return loaded.contact;
}

void showContactWindow(MainWindow& main, LoadedWindows& loaded, bool focusFindBox)
{
    ContactWindow* window = contactWindow(main, loaded);
    main.openWindow(window);
    if (focusFindBox) {
        if (auto* findBox = window->findChild<QComboBox*>(QStringLiteral("cboFindContact")))
            findBox->setFocus();
    }
}

void addContact(MainWindow& main)
{
    if (AddContactWindow* window = AddContactWindow::quickAdd(main.session(), main.platform(), main))
        main.openWindow(window);
}

void openContactList(MainWindow& main)
{
    auto* list = new ContactListWindow(main.session(), main.platform(), main);
    main.openWindow(list);
    list->startFromMenu();
}

// The import and export windows are loaded anew each time and live until closed.
void openExchangeWindow(MainWindow& main, QWidget* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    main.openWindow(window);
}

} // namespace

void wireWindows(MainWindow& main)
{
    auto loaded = std::make_shared<LoadedWindows>();
    main.setContactCommand(ContactCommand::AddContact, [&main] { addContact(main); });
    main.setContactCommand(ContactCommand::FindContact, [&main, loaded] { showContactWindow(main, *loaded, true); });
    main.setContactCommand(ContactCommand::ContactWindow, [&main, loaded] { showContactWindow(main, *loaded, false); });
    main.setContactCommand(ContactCommand::ContactList, [&main] { openContactList(main); });
    main.setContactCommand(ContactCommand::Import, [&main] {
        openExchangeWindow(main, new ImportWindow(main.session(), main.platform(), main));
    });
    main.setContactCommand(ContactCommand::Export, [&main] {
        openExchangeWindow(main, new ExportWindow(main.session(), main.platform(), main));
    });
    main.setContactWindowOpener([&main, loaded](int recordNumber) {
        ContactWindow* window = contactWindow(main, *loaded);
        if (!window->isVisible())
            placeOver(window, &main);
        window->show();
        window->activateWindow();
        window->openRecord(recordNumber);
    });
    main.setListContactOpener([&main](QWidget* list, int recordNumber, const ContactEdits& changes) {
        return ContactWindow::openOver(list, recordNumber, changes, main.session(), main.platform(), main);
    });
    main.setAboutOpener([&main](QWidget* asker) { AboutWindow::showFrom(main.platform(), asker); });
}

} // namespace quillet
