#include "link/link_services.h"

#include <thread>

namespace tarvex {

std::chrono::steady_clock::time_point SystemClock::Now() const {
    return std::chrono::steady_clock::now();
}

std::chrono::system_clock::time_point SystemClock::WallTime() const {
    return std::chrono::system_clock::now();
}

void ThreadSleeper::Sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace tarvex
