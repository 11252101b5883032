// The device's pipes on Windows: two named pipes in message mode (one write arrives as one read), made with one
// instance each and connected at once, so that no other program can take them. The device thread waits on an
// overlapped read of the command pipe, a wake-up event and the stop event.
#include "Device.h"

#include "Transcript.h"

#include <atomic>
#include <string>

#include <windows.h>

namespace emu {
namespace {

constexpr DWORD PipeBufferSize = 512 * 1024; // room for the largest frame in each direction

void CloseIfOpen(void*& handle) {
    if (handle) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

std::wstring PipeName(const wchar_t* role) {
    static std::atomic<unsigned> counter{0};
    return L"\\\\.\\pipe\\uusbqk-emulator-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++) + L"-" + role;
}

// Makes one pipe: the device's end (server, overlapped) and the PC's end (client, blocking), connected.
bool MakePipe(bool deviceReads, void*& deviceEnd, void*& pcEnd) {
    const std::wstring name = PipeName(deviceReads ? L"command" : L"answer");
    const DWORD access = (deviceReads ? PIPE_ACCESS_INBOUND : PIPE_ACCESS_OUTBOUND) | FILE_FLAG_OVERLAPPED |
                         FILE_FLAG_FIRST_PIPE_INSTANCE;
    HANDLE server = CreateNamedPipeW(name.c_str(), access,
                                     PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                     1, PipeBufferSize, PipeBufferSize, 0, nullptr);
    if (server == INVALID_HANDLE_VALUE) {
        return false;
    }
    deviceEnd = server;
    // The PC's end of the answer pipe reads whole messages; that needs the right to change its mode.
    const DWORD rights = deviceReads ? GENERIC_WRITE | FILE_READ_ATTRIBUTES : GENERIC_READ | FILE_WRITE_ATTRIBUTES;
    HANDLE client = CreateFileW(name.c_str(), rights, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (client == INVALID_HANDLE_VALUE) {
        return false;
    }
    pcEnd = client;
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!deviceReads && !SetNamedPipeHandleState(client, &mode, nullptr, nullptr)) {
        return false;
    }
    OVERLAPPED overlapped{};
    return ConnectNamedPipe(server, &overlapped) || GetLastError() == ERROR_PIPE_CONNECTED;
}

// Waits for an overlapped operation or the stop; a stop cancels the operation. True when it completed.
bool Finish(HANDLE handle, OVERLAPPED& overlapped, HANDLE stopEvent, DWORD& bytes) {
    HANDLE events[2] = {overlapped.hEvent, stopEvent};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIoEx(handle, &overlapped);
        GetOverlappedResult(handle, &overlapped, &bytes, TRUE);
        return false;
    }
    return GetOverlappedResult(handle, &overlapped, &bytes, FALSE) != 0;
}

} // namespace

bool Device::Start() {
    if (!MakePipe(true, deviceEnd_[0], pcEnd_[0]) || !MakePipe(false, deviceEnd_[1], pcEnd_[1])) {
        return false;
    }
    wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!wake_ || !stopEvent_) {
        return false;
    }
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (...) {
        return false;
    }
    std::lock_guard lock(mutex_);
    started_ = true;
    return true;
}

void Device::Stop() {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return;
        }
        closed_ = true;
        stop_ = true;
        if (stopEvent_) {
            SetEvent(stopEvent_);
        }
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    std::lock_guard lock(mutex_);
    for (int i = 0; i < 2; ++i) {
        CloseIfOpen(pcEnd_[i]);
        CloseIfOpen(deviceEnd_[i]);
    }
    CloseIfOpen(wake_);
    CloseIfOpen(stopEvent_);
}

void Device::WakeLocked() {
    if (wake_) {
        SetEvent(wake_);
    }
}

int32_t Device::OpenPipe(uint8_t interfaceNo, int32_t direction) {
    std::lock_guard lock(mutex_);
    if (closed_ || gone_ || !started_ || interfaceNo != 0 || (direction != 0 && direction != 1)) {
        return -1;
    }
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), pcEnd_[direction == 1 ? 1 : 0], GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        return -1;
    }
    // Kernel handles fit in 32 bits (so that 32- and 64-bit programs can share them).
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(copy));
}

void Device::Run() {
    OVERLAPPED read{};
    read.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!read.hEvent) {
        return;
    }
    HANDLE commands = deviceEnd_[0];
    bool commandsOpen = true;
    bool reading = false;
    for (;;) {
        bool listen;
        {
            std::lock_guard lock(mutex_);
            if (stop_) {
                break;
            }
            listen = commandsOpen && !gone_;
        }
        if (listen && !reading) {
            ResetEvent(read.hEvent);
            const DWORD size = static_cast<DWORD>(receiveBuffer_.size());
            if (ReadFile(commands, receiveBuffer_.data(), size, nullptr, &read) || GetLastError() == ERROR_IO_PENDING ||
                GetLastError() == ERROR_MORE_DATA) {
                reading = true; // finished or not, the event tells
            } else {
                commandsOpen = false;
                continue;
            }
        }
        HANDLE events[3] = {stopEvent_, wake_, read.hEvent};
        WaitForMultipleObjects(reading ? 3 : 2, events, FALSE, INFINITE);
        std::optional<Delivery> delivery;
        {
            std::lock_guard lock(mutex_);
            if (stop_) {
                break;
            }
            delivery.swap(toSend_);
        }
        if (delivery) {
            Deliver(*delivery);
        }
        if (reading && WaitForSingleObject(read.hEvent, 0) == WAIT_OBJECT_0) {
            reading = false;
            DWORD bytes = 0;
            if (GetOverlappedResult(commands, &read, &bytes, FALSE)) {
                if (bytes > 0) {
                    bool gone;
                    {
                        std::lock_guard lock(mutex_);
                        gone = gone_;
                    }
                    if (!gone) { // an unplugged tester takes no frame
                        Accept(Bytes(receiveBuffer_.data(), bytes));
                    }
                }
            } else if (GetLastError() == ERROR_MORE_DATA) {
                // Longer than any frame: the first part counts (it fails the length check), the rest is dropped.
                const Bytes first(receiveBuffer_.data(), bytes);
                DWORD error = ERROR_MORE_DATA;
                while (error == ERROR_MORE_DATA) {
                    ResetEvent(read.hEvent);
                    const DWORD size = static_cast<DWORD>(receiveBuffer_.size());
                    error = ReadFile(commands, receiveBuffer_.data(), size, nullptr, &read) ? 0 : GetLastError();
                    if (error == ERROR_IO_PENDING) {
                        error = Finish(commands, read, stopEvent_, bytes) ? 0 : GetLastError();
                    }
                }
                Accept(first);
            } else {
                commandsOpen = false;
            }
        }
    }
    if (reading) {
        DWORD bytes = 0;
        CancelIoEx(commands, &read);
        GetOverlappedResult(commands, &read, &bytes, TRUE);
    }
    CloseHandle(read.hEvent);
}

void Device::SendAnswer(std::string_view bytes) {
    OVERLAPPED write{};
    write.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD written = 0;
    bool sent = write.hEvent &&
                (WriteFile(deviceEnd_[1], bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &write) ||
                 GetLastError() == ERROR_IO_PENDING) &&
                Finish(deviceEnd_[1], write, stopEvent_, written) && written == bytes.size();
    if (!sent) {
        Diagnose(settings_.logPath, "answer not sent: error " + std::to_string(GetLastError()));
    }
    if (write.hEvent) {
        CloseHandle(write.hEvent);
    }
}

void Device::EndAnswers() {
    // Closing the device's end lets the PC read what was sent; then its reads end (broken pipe).
    std::lock_guard lock(mutex_);
    CloseIfOpen(deviceEnd_[1]);
}

} // namespace emu
