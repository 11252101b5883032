#include "tester/PollWatchdog.h"

namespace vanto {

PollWatchdog::PollWatchdog(std::chrono::milliseconds limit) {
    thread_ = std::thread([this, limit] {
        std::unique_lock lock(mutex_);
        if (!wake_.wait_for(lock, limit, [this] { return stopped_; })) {
            timedOut_.store(true, std::memory_order_release);
        }
    });
}

PollWatchdog::~PollWatchdog() {
    Stop();
}

void PollWatchdog::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace vanto
