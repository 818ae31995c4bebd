#pragma once

#include <memory>

class DatePickerWindow;
class LookupController;
class RequestGuard;
class Dialogs;
class LookupWindow;
class MainWindow;
class ResultsWindow;
class UpdateController;
class UpdateWindow;
class ZoomWindow;
struct Program;
class TransferProgress;
namespace http {
class Client;
}

// The six windows of the program, created in their fixed order; the main window's creation runs
// the start-up sequence before the others exist.
struct ProgramWindows
{
    ProgramWindows(Program& program, Dialogs& dialogs);
    ~ProgramWindows();

    // The one HTTP client of the program; it outlives the windows that wait for it.
    std::unique_ptr<http::Client> HTTP1;
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<ZoomWindow> form2;
    std::unique_ptr<DatePickerWindow> form3;
    std::unique_ptr<LookupWindow> form4;
    std::unique_ptr<ResultsWindow> form5;
    std::unique_ptr<UpdateWindow> form6;
    LookupController* lookup = nullptr;
    UpdateController* updater = nullptr;
    RequestGuard* requests = nullptr;
    TransferProgress* transfers = nullptr;
};
