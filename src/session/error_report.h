#pragma once

#include <functional>

class Dialogs;

// The general error report: runs a handler and shows the text of an error that ends it in an
// error box. Returns false when the handler ended with an error.
bool reportErrors(Dialogs& dialogs, const std::function<void()>& handler);
