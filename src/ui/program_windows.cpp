#include "program_windows.h"

#include "bitmap_bar.h"
#include "date_picker_window.h"
#include "intake_tab.h"
#include "lookup_controller.h"
#include "lookup_window.h"
#include "main_window.h"
#include "request_guard.h"
#include "settings_tab.h"
#include "results_window.h"
#include "transfer_progress.h"
#include "update_controller.h"
#include "update_window.h"
#include "zoom_window.h"

#include "session/program.h"
#include "platform/http_client.h"
#include "update/update_site.h"

#include <QPushButton>

ProgramWindows::ProgramWindows(Program& program, Dialogs& dialogs)
{
    HTTP1 = std::make_unique<http::Client>();
    HTTP1->setObjectName("HTTP1");
    form1 = std::make_unique<MainWindow>(program, dialogs);
    form2 = std::make_unique<ZoomWindow>(dialogs, form1.get());
    form1->setZoomWindow(form2.get());
    form3 = std::make_unique<DatePickerWindow>(form1.get());
    form1->setDatePicker(form3.get());
    form4 = std::make_unique<LookupWindow>(form1.get());
    form5 = std::make_unique<ResultsWindow>(form1.get());
    form6 = std::make_unique<UpdateWindow>(form1.get());

    lookup = new LookupController(program, *HTTP1, dialogs, *form4, *form5, *form1->intakeTab(), form1.get());
    form1->setLookup(lookup);
    // Where the transfers show is decided beside the client, and the update check tells it.
    transfers = new TransferProgress(*HTTP1, *form4->ProgressBar1, *form4->StatusPanel1, *form6->PBAGG, form1.get());
    update::Setup setup{program.settings.ProgramVersion, update::baseUrl(), {program.programFolder, program.dataFolder}};
    updater = new UpdateController(std::move(setup), *HTTP1, dialogs, *form6, form1.get());
    QObject::connect(updater, &UpdateController::updateStateChanged, transfers, &TransferProgress::setUpdateState);
    QObject::connect(form1->settingsTab()->BBAGGIORNA, &QPushButton::clicked, updater,
                     &UpdateController::BBAGGIORNAClick);
    // One request at a time: what would start another waits for the end of the running one, and
    // so do ANNULLA, which could not take back a film page already asked for, and "Accetta dati",
    // which would take one film's fields with the next one's poster.
    requests = new RequestGuard(form1.get());
    for (QWidget* w : {static_cast<QWidget*>(form4->WEBQUERY), static_cast<QWidget*>(form5->SQLOK),
                       static_cast<QWidget*>(form5->SQLABO), static_cast<QWidget*>(form4->WEBOK),
                       static_cast<QWidget*>(form1->intakeTab()->Paste),
                       static_cast<QWidget*>(form1->settingsTab()->BBAGGIORNA),
                       static_cast<QWidget*>(form6->BBBUPSTART)})
        requests->watch(w);
    QObject::connect(HTTP1.get(), &http::Client::busyChanged, requests, &RequestGuard::setBusy);
    // Quitting ends a request under way: its caller returns before the windows go.
    QObject::connect(form1.get(), &MainWindow::closing, HTTP1.get(), [client = HTTP1.get()] { client->cancel(); });
    QObject::connect(form6.get(), &UpdateWindow::closing, HTTP1.get(), [client = HTTP1.get()] { client->cancel(); });
}

// The secondary windows are children of the main window; they go first.
ProgramWindows::~ProgramWindows()
{
    form6.reset();
    form5.reset();
    form4.reset();
    form3.reset();
    form2.reset();
}
