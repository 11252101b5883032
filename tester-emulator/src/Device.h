// One attached tester between USBQK_Open and USBQK_Close: its two message pipes, the flow-control state the
// vendor requests see, and the device thread that takes frames from the command pipe and sends answers.
//
// An exchange: ready poll (0x55 while idle) -> announce (length) -> the PC writes the frame -> the device
// thread checks it and prepares the answer -> answer-ready poll (0x55 and the length once the exchange's delay
// has passed) -> go -> the device thread writes the answer -> idle again.
#pragma once

#include "Scenario.h"
#include "Tester.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace emu {

struct DeviceSettings {
    std::string transcriptPath; // empty: no transcript
    std::string logPath;        // empty: no diagnostic log
};

class Device {
public:
    Device(std::shared_ptr<const Scenario> scenario, std::shared_ptr<ReferenceStore> store, DeviceSettings settings);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Makes the pipes and starts the device thread; false when the system refuses either.
    bool Start();
    // Joins the device thread and closes the library's ends of the pipes; safe to call twice.
    void Stop();

    // A new descriptor of the PC's end of a pipe (direction 1 answers, 0 commands), or -1.
    int32_t OpenPipe(uint8_t interfaceNo, int32_t direction);
    bool Reset();
    bool Gone() const;
    bool VendorRequest(int32_t direction, int32_t reserved0, int32_t reserved1, int32_t request, int32_t value,
                       int32_t length, uint8_t* buffer);

private:
    using Clock = std::chrono::steady_clock;
    enum class Phase { Idle, Announced, Working, AnswerReady };
    struct Delivery {
        Bytes frame;
        bool unplugInRead = false;
        std::optional<std::size_t> truncate;
        bool unplugAfter = false;
    };

    void Run();
    void Receive();
    void Accept(const Bytes& raw);
    void Deliver(const Delivery& delivery);
    // The platform's part of a delivery: the answer as one message, and the end of the answer pipe (unplugged).
    void SendAnswer(std::string_view bytes);
    void EndAnswers();
    void Process(const Bytes& raw, int announced);
    void WakeLocked();
    bool OnlineLocked() const;
    bool Refuse(const std::string& why) const;

    const std::shared_ptr<const Scenario> scenario_;
    Tester tester_;
    const DeviceSettings settings_;
    const Clock::time_point openedAt_;

    // [0] command pipe, [1] answer pipe. The PC's ends stay with the library so that OpenPipe can hand out
    // duplicates the program closes itself.
#if defined(_WIN32)
    // Named pipes in message mode (HANDLEs); the device's ends are overlapped so that the thread can wait for a
    // frame, a wake-up (auto-reset event) and the stop (manual-reset event) at once.
    void* pcEnd_[2] = {nullptr, nullptr};
    void* deviceEnd_[2] = {nullptr, nullptr};
    void* wake_ = nullptr;
    void* stopEvent_ = nullptr;
#else
    int pcEnd_[2] = {-1, -1};
    int deviceEnd_[2] = {-1, -1};
    int wake_ = -1;
#endif
    std::thread thread_;

    // Shared by the program's calls and the device thread.
    mutable std::mutex mutex_;
    bool started_ = false;
    bool stop_ = false;
    bool closed_ = false;
    bool gone_ = false;
    Phase phase_ = Phase::Idle;
    int announced_ = -1;
    Delivery pending_;          // the prepared answer while AnswerReady
    Clock::time_point readyAt_; // the answer-ready poll says 0x55 from then on
    std::optional<Delivery> toSend_;
    int delivered_ = 0; // answers handed over with go

    // Device thread only.
    int exchanges_ = 0;
    std::map<std::string, int> perCommand_;
    Bytes receiveBuffer_;
};

} // namespace emu
