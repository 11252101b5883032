#include "support/TempFolder.h"

#include "common/Paths.h"
#include "common/Sjis.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <random>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vanto::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    path_ = fs::temp_directory_path() / ("vanto-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Tests make files read-only on purpose; make everything removable again.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_symlink()) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::remove_all(path_, ec);
}

std::string TempFolder::Dir() const {
    return WithTrailingSeparator(PathToUtf8(path_));
}

fs::path TempFolder::operator/(std::string_view relative) const {
    return path_ / PathFromUtf8(relative);
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SetModificationTime(const fs::path& path, std::chrono::system_clock::time_point time) {
#if defined(_WIN32)
    // FILETIME counts 100 ns steps from 1601-01-01; the system clock counts from 1970-01-01.
    const auto steps =
        std::chrono::duration_cast<std::chrono::duration<long long, std::ratio<1, 10000000>>>(time.time_since_epoch())
            .count() +
        116444736000000000LL;
    const FILETIME written{static_cast<DWORD>(steps & 0xFFFFFFFF), static_cast<DWORD>(steps >> 32)};
    // Backup semantics open folders too.
    const HANDLE handle =
        CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "cannot open " << path;
    const bool set = SetFileTime(handle, nullptr, nullptr, &written);
    CloseHandle(handle);
    ASSERT_TRUE(set) << "cannot set the time of " << path;
#else
    std::error_code ec;
    fs::last_write_time(path, std::chrono::file_clock::from_sys(time), ec);
    ASSERT_FALSE(ec) << "cannot set the time of " << path << ": " << ec.message();
#endif
}

std::string Sjis(std::string_view utf8) {
    auto bytes = EncodeSjis(utf8);
    EXPECT_TRUE(bytes.has_value()) << utf8;
    return bytes.value_or(std::string());
}

} // namespace vanto::test
