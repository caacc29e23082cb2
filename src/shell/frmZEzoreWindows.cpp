#include "shell/frmZEzoreWindows.h"

#include "editing/frmEdDelViewContact.h"
#include "editing/frmNewContact.h"
#include "exchange/frmLMExport.h"
#include "exchange/frmLMImport.h"
#include "list/frmViewAll.h"
#include "shell/frmZEzore.h"

#include <QComboBox>
#include <QPointer>

#include <memory>

namespace quillet {

namespace {

// Each window is loaded at most once: a Contact Information window hidden by
// Print Label is shown again, with its state, by the next command that opens it.
struct LoadedWindows
{
    QPointer<frmEdDelViewContact> contact;
};

frmEdDelViewContact* contactWindow(frmZEzore& main, LoadedWindows& loaded)
{
    if (!loaded.contact)
        loaded.contact = new frmEdDelViewContact(main.session(), main.platform(), main);
    return loaded.contact;
}

void showContactWindow(frmZEzore& main, LoadedWindows& loaded, bool focusFindBox)
{
    frmEdDelViewContact* window = contactWindow(main, loaded);
    main.openWindow(window);
    if (focusFindBox) {
        if (auto* findBox = window->findChild<QComboBox*>(QStringLiteral("cboFindContact")))
            findBox->setFocus();
    }
}

void addContact(frmZEzore& main)
{
    if (frmNewContact* window = frmNewContact::quickAdd(main.session(), main.platform(), main))
        main.openWindow(window);
}

void openContactList(frmZEzore& main)
{
    auto* list = new frmViewAll(main.session(), main.platform(), main);
    main.openWindow(list);
    list->startFromMenu();
}

// The import and export windows are loaded anew each time and live until closed.
void openExchangeWindow(frmZEzore& main, QWidget* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    main.openWindow(window);
}

} // namespace

void registerContactWindows(frmZEzore& main)
{
    auto loaded = std::make_shared<LoadedWindows>();
    main.setContactCommand(ContactCommand::AddContact, [&main] { addContact(main); });
    main.setContactCommand(ContactCommand::FindContact, [&main, loaded] { showContactWindow(main, *loaded, true); });
    main.setContactCommand(ContactCommand::ContactWindow, [&main, loaded] { showContactWindow(main, *loaded, false); });
    main.setContactCommand(ContactCommand::ContactList, [&main] { openContactList(main); });
    main.setContactCommand(ContactCommand::Import, [&main] {
        openExchangeWindow(main, new frmLMImport(main.session(), main.platform(), main));
    });
    main.setContactCommand(ContactCommand::Export, [&main] {
        openExchangeWindow(main, new frmLMExport(main.session(), main.platform(), main));
    });
    main.setContactWindowOpener([&main, loaded](int recordNumber) {
        frmEdDelViewContact* window = contactWindow(main, *loaded);
        window->show();
        window->activateWindow();
        window->openRecord(recordNumber);
    });
}

} // namespace quillet
