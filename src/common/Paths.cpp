#include "common/Paths.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

namespace vanto {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty()) {
        return folder;
    }
    const char last = folder.back();
    if (last != '/' && !(FolderSeparator == "\\" && last == '\\')) {
        folder += FolderSeparator;
    }
    return folder;
}

bool SameFileName(const std::filesystem::path& a, const std::filesystem::path& b) {
#if defined(_WIN32)
    const std::wstring& x = a.native();
    const std::wstring& y = b.native();
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
           CSTR_EQUAL;
#else
    return a.native() == b.native();
#endif
}

bool PathWithin(const std::filesystem::path& outer, const std::filesystem::path& inner) {
    if (outer.empty()) {
        return false; // no folder
    }
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
        if (o->empty()) {
            continue; // the empty name after a trailing separator
        }
        if (i == inner.end() || !SameFileName(*o, *i)) {
            return false;
        }
    }
    return true;
}

namespace {
std::filesystem::path ExecutablePath() {
#if defined(_WIN32)
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return std::filesystem::path(std::wstring(buffer, n));
#else
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
}
} // namespace

std::string ExecutableFolder() {
    return WithTrailingSeparator(PathToUtf8(ExecutablePath().parent_path()));
}

std::string ExecutableFileName() {
    return PathToUtf8(ExecutablePath().filename());
}

} // namespace vanto
