// clock.cpp — monotonic elapsed seconds with a test override.
#include "core/clock.h"

#include <chrono>

namespace {
const std::chrono::steady_clock::time_point start_time = std::chrono::steady_clock::now();
double frozen_seconds = -1;
} // namespace

double elapsed_seconds()
{
    if (frozen_seconds >= 0)
        return frozen_seconds;
    std::chrono::duration<double> since = std::chrono::steady_clock::now() - start_time;
    return since.count();
}

void set_test_clock(double seconds)
{
    frozen_seconds = seconds;
}
