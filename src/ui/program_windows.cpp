#include "program_windows.h"

#include "date_picker_window.h"
#include "lookup_window.h"
#include "main_window.h"
#include "results_window.h"
#include "update_window.h"
#include "zoom_window.h"

ProgramWindows::ProgramWindows(ProgramState& state, Dialogs& dialogs)
{
    form1 = std::make_unique<MainWindow>(state, dialogs);
    form2 = std::make_unique<ZoomWindow>(state, dialogs, form1.get());
    form1->setZoomWindow(form2.get());
    form3 = std::make_unique<DatePickerWindow>(form1.get());
    form1->setDatePicker(form3.get());
    form4 = std::make_unique<LookupWindow>(form1.get());
    form5 = std::make_unique<ResultsWindow>(form1.get());
    form6 = std::make_unique<UpdateWindow>(form1.get());
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
