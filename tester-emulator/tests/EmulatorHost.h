// The PC side of the tester link, as small as a test needs: loads a private copy of the emulator library with
// dlopen (so every test starts with a fresh library state) and runs exchanges through the six calls only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#define USBQK_NO_PROTOTYPES
#include "uusbqk.h"

namespace emutest {

using Bytes = std::string;

// A folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Write(const std::string& name, std::string_view content) const;

private:
    std::filesystem::path path_;
};

// Sets (or unsets, with nullptr) an environment variable for the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// The built library copied into `folder` and loaded from there.
class Library {
public:
    explicit Library(const std::filesystem::path& folder);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    bool Loaded() const { return handle_ != nullptr; }

    USBQK_OpenFn Open = nullptr;
    USBQK_CloseFn Close = nullptr;
    USBQK_OpenPipeFn OpenPipe = nullptr;
    USBQK_ResetDeviceFn ResetDevice = nullptr;
    USBQK_CheckFn Check = nullptr;
    USBQK_VendorRequestFn VendorRequest = nullptr;

private:
    void* handle_ = nullptr;
};

// An opened device with both pipes, and the steps of one exchange.
class Link {
public:
    explicit Link(Library& library);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;
    bool Opened() const { return device > 0 && in >= 0 && out >= 0; }
    void OpenPipes();
    void CloseAll();

    // Byte 0 of the ready-to-receive poll, or nothing when the request fails.
    std::optional<uint8_t> PollReady();
    // Polls until 0x55 (false on a failed request or after timeoutMs).
    bool WaitReady(int timeoutMs = 2000);
    bool Announce(std::size_t length);
    bool Write(std::string_view frame);
    // Polls the answer-ready request until 0x55; the announced answer length.
    std::optional<std::size_t> WaitAnswer(int timeoutMs = 2000);
    bool Go();
    // One read of up to `length` bytes; the bytes read (empty when the read returned 0 or failed).
    Bytes Read(std::size_t length);
    // All of the above; nothing when any step fails.
    std::optional<Bytes> Exchange(std::string_view frame);

    Library& lib;
    int32_t device = -1;
    int in = -1;
    int out = -1;
};

// A command frame as the program builds one.
Bytes Command(std::string_view letters, std::string_view data = {});

// An answer frame taken apart; `wellFormed` when start, length, checksum and CR LF are all right.
struct Answer {
    bool wellFormed = false;
    std::string letters;
    std::string status;
    Bytes data;
};
Answer ParseAnswer(std::string_view frame);

// UTF-8 to CP932 (the test's own conversion, to state expected bytes).
Bytes Sjis(std::string_view utf8);

// Shipped scenario file.
std::filesystem::path ScenarioFile(const std::string& name);

std::string ReadText(const std::filesystem::path& path);

} // namespace emutest
