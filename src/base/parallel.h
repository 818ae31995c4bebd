#pragma once

#include <functional>

// Runs two independent pieces of work, the second on a helper thread, and returns when both are
// done. An exception of either is rethrown here (the first one's wins). Used only inside one
// operation on large data; nothing outlives the call.
void runBoth(const std::function<void()>& first, const std::function<void()>& second);
