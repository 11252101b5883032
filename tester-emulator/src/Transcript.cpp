#include "Transcript.h"

#include "Bytes.h"

#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace emu {
namespace {

std::mutex& OutputMutex() {
    static std::mutex m;
    return m;
}

// One write per line, so that lines of several devices never interleave inside a line.
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
