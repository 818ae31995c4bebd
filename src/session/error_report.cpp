#include "error_report.h"

#include "platform/dialogs.h"

#include <exception>
#include <new>

bool reportErrors(Dialogs& dialogs, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::bad_alloc&) {
        dialogs.message(Dialogs::Kind::Error, "Out of memory");
    } catch (const std::exception& e) {
        dialogs.message(Dialogs::Kind::Error, e.what());
    }
    return false;
}
