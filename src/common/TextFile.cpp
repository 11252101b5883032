#include "common/TextFile.h"

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/Sjis.h"

#include <atomic>
#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <algorithm>
#include <chrono>
#include <thread>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vanto {
namespace fs = std::filesystem;

std::optional<std::string> ReadFileBytes(const fs::path& path) {
    if (FolderExists(path)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.seekg(0, std::ios::beg);
        in.read(bytes.data(), size);
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

fs::path TemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    fs::path name = target;
#if defined(_WIN32)
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    name += ".~" + std::to_string(pid) + "-" + std::to_string(counter++) + ".tmp";
    return name;
}

bool WriteNewFile(const fs::path& path, std::string_view bytes) {
#if defined(_WIN32)
    // A new file only (never another save's temporary), written through to the disk before the rename.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            CloseHandle(file);
            return false;
        }
        done += written;
    }
    const bool flushed = FlushFileBuffers(file) != 0;
    return CloseHandle(file) != 0 && flushed;
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
#endif
}

// A save that was killed between writing its temporary file and renaming it leaves the temporary behind. The next
// save of the same file removes such leftovers: temporaries of this target whose writing process is gone.
// True when no running process has the id (the writer of a temporary is gone).
bool ProcessGone(unsigned long pid) {
#if defined(_WIN32)
    if (pid == GetCurrentProcessId()) {
        return false;
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) {
        return GetLastError() == ERROR_INVALID_PARAMETER; // no such process; any other refusal: leave it
    }
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
#else
    const auto id = static_cast<pid_t>(pid);
    return id != getpid() && ::kill(id, 0) != 0 && errno == ESRCH;
#endif
}

void RemoveLeftoverTemporaries(const fs::path& target) {
    // UTF-8 names on every platform (a wide name may have no narrow spelling on Windows).
    const std::string prefix = PathToUtf8(target.filename()) + ".~";
    std::error_code ec;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = PathToUtf8(it->path().filename());
        if (!name.starts_with(prefix) || !name.ends_with(".tmp")) {
            continue;
        }
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == std::string::npos || dash == 0 || dash > 9 || rest.find_first_not_of("0123456789") != dash) {
            continue;
        }
        if (ProcessGone(std::stoul(rest.substr(0, dash)))) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

// Puts the temporary in the target's place. Windows refuses while another program holds the target open without
// sharing its deletion (an editor, a virus scanner that looks at every new file): a few short retries ride out a
// scanner; a file that stays open is reported, and the old file stays as it was.
bool ReplaceWith(const fs::path& temporary, const fs::path& target) {
#if defined(_WIN32)
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION) ||
            attempt == 4) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
#else
    std::error_code ec;
    fs::rename(temporary, target, ec);
    return !ec;
#endif
}

} // namespace

bool WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    if (FolderExists(path)) {
        return false;
    }
    // The register orders a customer's vehicles by their folders' times. A file rewritten in place leaves its
    // folder's time alone, so the temporary file and the rename must not change it either: the time is put back
    // after replacing a file that was there, and after a failed save. A new file changes it, as any new file does.
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const bool replacing = EntryExists(path);
    const std::optional<ModificationTime> folderTime = ReadModificationTime(folder);
    auto keepFolderTime = [&] {
        if (folderTime) {
            SetModificationTime(folder, *folderTime);
        }
    };
    const fs::path temporary = TemporaryName(path);
    if (!WriteNewFile(temporary, bytes) || !ReplaceWith(temporary, path)) {
        std::error_code ec;
        fs::remove(temporary, ec);
        keepFolderTime();
        return false;
    }
    RemoveLeftoverTemporaries(path);
    if (replacing) {
        keepFolderTime();
    }
    return true;
}

bool AppendFileBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = text.size();
        }
        std::size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        lines.emplace_back(text.substr(start, lineEnd - start));
        start = last ? text.size() : end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

namespace {
std::optional<std::vector<std::string>> ReadLines(const fs::path& path, std::string (*decode)(std::string_view)) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<std::string> lines = SplitLines(*bytes);
    for (auto& line : lines) {
        line = decode(line);
    }
    return lines;
}
} // namespace

std::optional<std::vector<std::string>> ReadSjisLines(const fs::path& path) {
    return ReadLines(path, DecodeSjis);
}

std::optional<std::vector<std::string>> ReadSjisLinesForDisplay(const fs::path& path) {
    return ReadLines(path, DecodeSjisForDisplay);
}

bool SaveSjisLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        auto encoded = EncodeSjis(line);
        if (!encoded) {
            return false;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    return WriteFileAtomic(path, bytes);
}

bool AppendSjisLine(const fs::path& path, std::string_view line) {
    auto encoded = EncodeSjis(line);
    if (!encoded) {
        return false;
    }
    return AppendFileBytes(path, *encoded + "\r\n");
}

} // namespace vanto
