#include "tester/UsbqkLibrary.h"

#include "common/Paths.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace vanto {

void UsbqkLibrary::Clear() {
    open_ = nullptr;
    close_ = nullptr;
    openPipe_ = nullptr;
    reset_ = nullptr;
    check_ = nullptr;
    vendor_ = nullptr;
    library_.Unload();
}

bool UsbqkLibrary::Load(const std::string& folder) {
    if (tried_) {
        return Loaded();
    }
    tried_ = true;
#if !defined(_WIN32)
    // A pipe whose device went away must fail the write, not end the program.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    for (const auto& candidate : {PathFromUtf8(folder + FileName), std::filesystem::path(FileName)}) {
        if (!library_.Load(candidate)) {
            continue;
        }
        open_ = library_.Function<USBQK_OpenFn>("USBQK_Open");
        close_ = library_.Function<USBQK_CloseFn>("USBQK_Close");
        openPipe_ = library_.Function<USBQK_OpenPipeFn>("USBQK_OpenPipe");
        reset_ = library_.Function<USBQK_ResetDeviceFn>("USBQK_ResetDevice");
        check_ = library_.Function<USBQK_CheckFn>("USBQK_Check");
        vendor_ = library_.Function<USBQK_VendorRequestFn>("USBQK_VendorRequest");
        if (open_ && close_ && openPipe_ && reset_ && check_ && vendor_) {
            return true;
        }
        Clear(); // an incomplete library is no library
    }
    return false;
}

#if defined(_WIN32)

long UsbqkLibrary::ReadPipe(PipeHandle pipe, uint8_t* buffer, std::size_t length) {
    const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(pipe));
    DWORD read = 0;
    if (ReadFile(handle, buffer, static_cast<DWORD>(length), &read, nullptr)) {
        return static_cast<long>(read);
    }
    switch (GetLastError()) {
    case ERROR_MORE_DATA: {
        // A message longer than the buffer: its start is what was read, the rest is dropped, so that it is not
        // taken for the next answer (a message socket drops it the same way).
        uint8_t rest[4096];
        DWORD more = 0;
        while (!ReadFile(handle, rest, sizeof rest, &more, nullptr) && GetLastError() == ERROR_MORE_DATA) {
        }
        return static_cast<long>(read);
    }
    case ERROR_BROKEN_PIPE:
    case ERROR_PIPE_NOT_CONNECTED:
        return 0; // the other end is gone: the pipe has ended, as a read of a closed socket says
    default:
        return -1;
    }
}

long UsbqkLibrary::WritePipe(PipeHandle pipe, const uint8_t* buffer, std::size_t length) {
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(static_cast<intptr_t>(pipe)), buffer, static_cast<DWORD>(length), &written,
                   nullptr)) {
        return -1;
    }
    return static_cast<long>(written);
}

void UsbqkLibrary::ClosePipe(PipeHandle pipe) {
    CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(pipe)));
}

#else

long UsbqkLibrary::ReadPipe(PipeHandle pipe, uint8_t* buffer, std::size_t length) {
    for (;;) {
        const ssize_t n = ::read(pipe, buffer, length);
        if (n >= 0 || errno != EINTR) {
            return static_cast<long>(n);
        }
    }
}

long UsbqkLibrary::WritePipe(PipeHandle pipe, const uint8_t* buffer, std::size_t length) {
    for (;;) {
        const ssize_t n = ::write(pipe, buffer, length);
        if (n >= 0 || errno != EINTR) {
            return static_cast<long>(n);
        }
    }
}

void UsbqkLibrary::ClosePipe(PipeHandle pipe) {
    ::close(pipe);
}

#endif

} // namespace vanto
