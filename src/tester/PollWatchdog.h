// The one-second watchdog of a poll phase: a thread that sets TimedOut after one second.
//
// The poller reads the flag between polls. Stop() ends the wait early and joins the thread, so the
// watchdog never outlives the object and never touches freed memory.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vanto {

class PollWatchdog {
public:
    explicit PollWatchdog(std::chrono::milliseconds limit = std::chrono::milliseconds(1000));
    ~PollWatchdog();
    PollWatchdog(const PollWatchdog&) = delete;
    PollWatchdog& operator=(const PollWatchdog&) = delete;

    bool TimedOut() const { return timedOut_.load(std::memory_order_acquire); }
    // Ends the phase: the watchdog stops waiting and its thread is joined.
    void Stop();

private:
    std::atomic<bool> timedOut_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopped_ = false;
    std::thread thread_;
};

} // namespace vanto
