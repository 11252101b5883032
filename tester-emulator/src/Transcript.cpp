#include "Transcript.h"

#include "Bytes.h"
#include "Platform.h"

#include <cstdio>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace emu {
namespace {

std::mutex& OutputMutex() {
    static std::mutex m;
    return m;
}

// One write per line, so that lines of several devices never interleave inside a line.
#if defined(_WIN32)
void AppendLine(const std::string& path, const std::string& line) {
    std::lock_guard lock(OutputMutex());
    // Shared with readers and writers alike: a test reads the transcript while the device still writes it.
    HANDLE file = CreateFileW(PathFromUtf8(path).c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    std::size_t done = 0;
    while (done < line.size()) {
        DWORD written = 0;
        if (!WriteFile(file, line.data() + done, static_cast<DWORD>(line.size() - done), &written, nullptr) ||
            written == 0) {
            break;
        }
        done += written;
    }
    CloseHandle(file);
}
#else
void AppendLine(const std::string& path, const std::string& line) {
    std::lock_guard lock(OutputMutex());
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    std::size_t done = 0;
    while (done < line.size()) {
        ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}
#endif

} // namespace

void AppendTranscript(const std::string& path, bool fromPc, std::string_view frame) {
    if (path.empty()) {
        return;
    }
    AppendLine(path, std::string(fromPc ? "PC> " : "TS> ") + Escape(frame) + "\n");
}

void Diagnose(const std::string& logPath, const std::string& line, bool alsoStderr) {
    if (alsoStderr) {
        std::fprintf(stderr, "uusbqk-emulator: %s\n", line.c_str());
    }
    if (!logPath.empty()) {
        AppendLine(logPath, line + "\n");
    }
}

} // namespace emu
