#include "EmulatorHost.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace emutest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "uusbqk-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::Write(const std::string& name, std::string_view content) const {
    auto path = path_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        old_ = old;
    }
    if (value) {
        ::setenv(name, value, 1);
    } else {
        ::unsetenv(name);
    }
}

ScopedEnv::~ScopedEnv() {
    if (old_) {
        ::setenv(name_.c_str(), old_->c_str(), 1);
    } else {
        ::unsetenv(name_.c_str());
    }
}

Library::Library(const std::filesystem::path& folder) {
    auto copy = folder / "libuusbqk.so";
    std::filesystem::copy_file(UUSBQK_LIBRARY, copy, std::filesystem::copy_options::overwrite_existing);
    handle_ = ::dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        return;
    }
    Open = reinterpret_cast<USBQK_OpenFn>(::dlsym(handle_, "USBQK_Open"));
    Close = reinterpret_cast<USBQK_CloseFn>(::dlsym(handle_, "USBQK_Close"));
    OpenPipe = reinterpret_cast<USBQK_OpenPipeFn>(::dlsym(handle_, "USBQK_OpenPipe"));
    ResetDevice = reinterpret_cast<USBQK_ResetDeviceFn>(::dlsym(handle_, "USBQK_ResetDevice"));
    Check = reinterpret_cast<USBQK_CheckFn>(::dlsym(handle_, "USBQK_Check"));
    VendorRequest = reinterpret_cast<USBQK_VendorRequestFn>(::dlsym(handle_, "USBQK_VendorRequest"));
    if (!Open || !Close || !OpenPipe || !ResetDevice || !Check || !VendorRequest) {
        ::dlclose(handle_);
        handle_ = nullptr;
    }
}

Library::~Library() {
    if (handle_) {
        ::dlclose(handle_);
    }
}

Link::Link(Library& library) : lib(library) {
    device = lib.Open();
    if (device <= 0) {
        return;
    }
    OpenPipes();
}

void Link::OpenPipes() {
    in = lib.OpenPipe(device, 0, 1);
    out = lib.OpenPipe(device, 0, 0);
    lib.ResetDevice(device);
}

Link::~Link() {
    CloseAll();
}

void Link::CloseAll() {
    if (in >= 0) {
        ::close(in);
    }
    if (out >= 0) {
        ::close(out);
    }
    if (device > 0) {
        lib.Close(device);
    }
    in = out = device = -1;
}

std::optional<uint8_t> Link::PollReady() {
    uint8_t b = 0xEE;
    if (!lib.VendorRequest(device, 1, 0, 1, USBQK_REQ_READY_TO_RECEIVE, 0, 1, &b)) {
        return std::nullopt;
    }
    return b;
}

bool Link::WaitReady(int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto b = PollReady();
        if (!b) {
            return false;
        }
        if (*b == 0x55) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool Link::Announce(std::size_t length) {
    uint8_t b[3] = {0, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length & 0xFF)};
    return lib.VendorRequest(device, 0, 0, 1, USBQK_REQ_OUT, 0, 3, b) != 0;
}

bool Link::Write(std::string_view frame) {
    return ::write(out, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size());
}

std::optional<std::size_t> Link::WaitAnswer(int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        uint8_t b[3] = {0xEE, 0xEE, 0xEE};
        if (!lib.VendorRequest(device, 1, 0, 1, USBQK_REQ_ANSWER_READY, 0, 3, b)) {
            return std::nullopt;
        }
        if (b[0] == 0x55) {
            return b[1] + 256u * b[2];
        }
        if (std::chrono::steady_clock::now() > end) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool Link::Go() {
    uint8_t b[3] = {1, 0, 0};
    return lib.VendorRequest(device, 0, 0, 1, USBQK_REQ_OUT, 0, 3, b) != 0;
}

Bytes Link::Read(std::size_t length) {
    Bytes buffer(length + 16, '\0');
    ssize_t n = ::read(in, buffer.data(), length);
    return n > 0 ? buffer.substr(0, static_cast<std::size_t>(n)) : Bytes();
}

std::optional<Bytes> Link::Exchange(std::string_view frame) {
    if (!WaitReady() || !Announce(frame.size()) || !Write(frame)) {
        return std::nullopt;
    }
    auto length = WaitAnswer();
    if (!length || !Go()) {
        return std::nullopt;
    }
    Bytes answer = Read(*length);
    if (answer.empty()) {
        return std::nullopt;
    }
    return answer;
}

namespace {
std::string Hex2(unsigned v) {
    static const char d[] = "0123456789ABCDEF";
    return {d[(v >> 4) & 15], d[v & 15]};
}
unsigned Sum(std::string_view s) {
    unsigned sum = 0;
    for (unsigned char c : s) {
        sum += c;
    }
    return sum & 0xFF;
}
} // namespace

Bytes Command(std::string_view letters, std::string_view data) {
    std::string body = std::string(letters) + Hex2(static_cast<unsigned>(data.size() >> 8)) +
                       Hex2(static_cast<unsigned>(data.size())) + std::string(data);
    return "\x02" + body + Hex2(Sum(body)) + "\r\n";
}

Answer ParseAnswer(std::string_view frame) {
    Answer a;
    if (frame.size() < 15 || frame[0] != 0x02) {
        return a;
    }
    a.letters = frame.substr(1, 2);
    a.status = frame.substr(3, 4);
    std::size_t n = std::stoul(std::string(frame.substr(7, 4)), nullptr, 16);
    if (frame.size() != 15 + n) {
        return a;
    }
    a.data = frame.substr(11, n);
    a.wellFormed = frame.substr(11 + n, 2) == Hex2(Sum(frame.substr(1, 10 + n))) && frame.substr(13 + n) == "\r\n";
    for (char c : frame.substr(7, 4)) {
        a.wellFormed = a.wellFormed && ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
    }
    return a;
}

Bytes Sjis(std::string_view utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) {
        throw std::runtime_error("not CP932: " + in);
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::filesystem::path ScenarioFile(const std::string& name) {
    return std::filesystem::path(SCENARIO_DIR) / name;
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace emutest
