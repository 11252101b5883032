// The six calls of the tester's USB access library.
//
// The program loads the library at run time by name from its own folder (UUSBQK.DLL on Windows,
// libuusbqk.so elsewhere), so any library that implements these calls can stand in for the tester.
// C linkage; every integer is 32 bits.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define USBQK_CALL __stdcall
#else
#define USBQK_CALL
#endif

// Device handle, or -1 when no tester is attached.
typedef int32_t(USBQK_CALL* USBQK_OpenFn)(void);
// Non-zero on success.
typedef int32_t(USBQK_CALL* USBQK_CloseFn)(int32_t device);
// direction 1: answers (tester to PC), 0: commands (PC to tester). Returns a pipe that the program reads and
// writes with the platform's file calls (a file descriptor here, a HANDLE on Windows), or -1. One write by
// the sender arrives as one read.
typedef int32_t(USBQK_CALL* USBQK_OpenPipeFn)(int32_t device, uint8_t interfaceNo, int32_t direction);
typedef int32_t(USBQK_CALL* USBQK_ResetDeviceFn)(int32_t device);
// Non-zero when the device has gone.
typedef int32_t(USBQK_CALL* USBQK_CheckFn)(int32_t device);
// reserved0 is always 0 and reserved1 always 1; non-zero on success.
typedef int32_t(USBQK_CALL* USBQK_VendorRequestFn)(int32_t device, int32_t direction, int32_t reserved0,
                                                   int32_t reserved1, int32_t request, int32_t value, int32_t length,
                                                   uint8_t* buffer);

#if !defined(USBQK_NO_PROTOTYPES)
int32_t USBQK_CALL USBQK_Open(void);
int32_t USBQK_CALL USBQK_Close(int32_t device);
int32_t USBQK_CALL USBQK_OpenPipe(int32_t device, uint8_t interfaceNo, int32_t direction);
int32_t USBQK_CALL USBQK_ResetDevice(int32_t device);
int32_t USBQK_CALL USBQK_Check(int32_t device);
int32_t USBQK_CALL USBQK_VendorRequest(int32_t device, int32_t direction, int32_t reserved0, int32_t reserved1,
                                       int32_t request, int32_t value, int32_t length, uint8_t* buffer);
#endif

// Vendor request codes.
enum {
    USBQK_REQ_READY_TO_RECEIVE = 0x40, // direction 1, 1 byte: 0x55 when the tester accepts a frame
    USBQK_REQ_ANSWER_READY = 0x41,     // direction 1, 3 bytes: 0x55, answer length low, high
    USBQK_REQ_OUT = 0x00               // direction 0, 3 bytes: announce {0, len hi, len lo} or go {1, 0, 0}
};

#ifdef __cplusplus
}
#endif
