// The tester's USB access library, loaded at run time by name from the program's folder first. A missing or
// incomplete library behaves like a tester that is not attached.
#pragma once

#include "common/DynamicLibrary.h"
#include "tester/uusbqk.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vanto {

// A pipe handle as the library returns it; 0 is no pipe.
using PipeHandle = int32_t;

class UsbqkLibrary {
public:
#if defined(_WIN32)
    static constexpr const char* FileName = "UUSBQK.DLL";
#else
    static constexpr const char* FileName = "libuusbqk.so";
#endif

    // Loads the library from the folder (then by name from the system's search path). Loading twice does
    // nothing; false when no complete library was found.
    bool Load(const std::string& folder);
    bool Loaded() const {
        return open_ != nullptr;
    }

    int32_t Open() const {
        return open_ ? open_() : -1;
    }
    int32_t Close(int32_t device) const {
        return close_ ? close_(device) : 0;
    }
    int32_t OpenPipe(int32_t device, uint8_t interfaceNo, int32_t direction) const {
        return openPipe_ ? openPipe_(device, interfaceNo, direction) : -1;
    }
    int32_t ResetDevice(int32_t device) const {
        return reset_ ? reset_(device) : 0;
    }
    int32_t Check(int32_t device) const {
        return check_ ? check_(device) : 1;
    }
    int32_t VendorRequest(int32_t device, int32_t direction, int32_t request, int32_t value, int32_t length,
                          uint8_t* buffer) const {
        return vendor_ ? vendor_(device, direction, 0, 1, request, value, length, buffer) : 0;
    }

    // The platform's file calls on a pipe handle. Read and write return the bytes moved, or -1.
    static long ReadPipe(PipeHandle pipe, uint8_t* buffer, std::size_t length);
    static long WritePipe(PipeHandle pipe, const uint8_t* buffer, std::size_t length);
    static void ClosePipe(PipeHandle pipe);

private:
    void Clear();

    bool tried_ = false;
    DynamicLibrary library_;
    USBQK_OpenFn open_ = nullptr;
    USBQK_CloseFn close_ = nullptr;
    USBQK_OpenPipeFn openPipe_ = nullptr;
    USBQK_ResetDeviceFn reset_ = nullptr;
    USBQK_CheckFn check_ = nullptr;
    USBQK_VendorRequestFn vendor_ = nullptr;
};

} // namespace vanto
