#include "parallel.h"

#include <exception>
#include <thread>

void runBoth(const std::function<void()>& first, const std::function<void()>& second)
{
    std::exception_ptr secondError;
    std::thread helper([&] {
        try {
            second();
        } catch (...) {
            secondError = std::current_exception();
        }
    });
    std::exception_ptr firstError;
    try {
        first();
    } catch (...) {
        firstError = std::current_exception();
    }
    helper.join();
    if (firstError)
        std::rethrow_exception(firstError);
    if (secondError)
        std::rethrow_exception(secondError);
}
