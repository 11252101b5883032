#include "register/CustomerSearch.h"

#include "common/FolderName.h"

#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/Sjis.h"
#include "common/TextFile.h"

#include <optional>
#include <utility>

#include <algorithm>
#include <array>
#include <memory>

#if !defined(_WIN32)
#include <dirent.h>
#include <fcntl.h>
#if defined(__linux__)
#include <cstddef>
#include <sys/vfs.h>
#endif
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vanto {
namespace {

constexpr const char* ListKey = "DATA0";

// The customer sections a key is looked for in, in the order they are tested (the name comes first).
constexpr const char* CustomerSections[] = {section::Tel, section::Handy, section::PostNo, section::Address};
// The vehicle sections, tested after the vehicle number.
constexpr const char* VehicleSearchSections[] = {section::Maker,      section::TypeCar, section::Model,
                                                 section::EngineType, section::Comment, section::BodyNumber,
                                                 section::Mileage,    section::Type,    section::NextCheck};

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The customer root, opened once per search, so every customer folder and profile below it is reached by a
// short relative path. A search reads thousands of profiles: the system calls and path walks, not the bytes,
// are what costs.
class RootFolder {
public:
    explicit RootFolder(const Register& reg) : reg_(reg) {
#if !defined(_WIN32)
        fd_ = ::open(reg.CustomerRoot().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
#if defined(__linux__)
        // Local file systems hand out directory entries until the caller's buffer is full, so a batch that
        // leaves room for another entry is the last one and the closing empty read can be skipped. Others
        // (network and user-space file systems) may return less: there the scan reads until the end mark.
        struct statfs info {};
        if (fd_ >= 0 && ::fstatfs(fd_, &info) == 0) {
            switch (static_cast<unsigned long>(info.f_type)) {
            case 0xEF53UL:     // ext2, ext3, ext4
            case 0x58465342UL: // xfs
            case 0x9123683EUL: // btrfs
            case 0x01021994UL: // tmpfs
                fillsBatches_ = true;
                break;
            default:
                break;
            }
        }
#endif
    }
    RootFolder(const RootFolder&) = delete;
    RootFolder& operator=(const RootFolder&) = delete;
    ~RootFolder() {
#if !defined(_WIN32)
        if (fd_ >= 0) {
            ::close(fd_);
        }
#endif
    }
    const Register& Reg() const {
        return reg_;
    }
    int Fd() const {
        return fd_;
    }
    bool FillsBatches() const {
        return fillsBatches_;
    }

    // Scratch area for reading files (left uninitialised: only what a read wrote is ever used).
    static constexpr std::size_t ScratchSize = 65536;
    char* Scratch() const {
        return scratch_.get();
    }

private:
    const Register& reg_;
    int fd_ = -1;
    bool fillsBatches_ = false;
    std::unique_ptr<char[]> scratch_{new char[ScratchSize]};
};

// One customer folder, opened once: its vehicle folders (the rule of EnumerateVehicleFolders) and the profiles
// below it.
class CustomerFolderScan {
public:
    CustomerFolderScan(const RootFolder& root, const std::string& customer) : root_(root), customer_(customer) {}
    CustomerFolderScan(const CustomerFolderScan&) = delete;
    CustomerFolderScan& operator=(const CustomerFolderScan&) = delete;
    ~CustomerFolderScan() {
#if !defined(_WIN32)
        if (dirFd_ >= 0) {
            ::close(dirFd_);
        }
#endif
    }

    // The vehicle folders in enumeration order, or nothing when the customer folder cannot be enumerated (a name
    // that is no single folder name never is).
    const std::optional<std::vector<std::string>>& Vehicles() {
        if (!enumerated_) {
            enumerated_ = true;
            if (IsSafePathComponent(customer_)) {
                Enumerate();
            }
        }
        return vehicles_;
    }

    // Reads the customer's profile, or a vehicle's, whole into the buffer; false when it cannot be read.
    bool ReadCustomerProfile(std::string& buffer) {
        buffer.clear();
        return IsSafePathComponent(customer_) && Read(ProfileFileName("", customer_), buffer);
    }
    bool ReadVehicleProfile(const std::string& vehicle, std::string& buffer) {
        buffer.clear();
        return IsSafePathComponent(customer_) && IsSafePathComponent(vehicle) &&
               Read(vehicle + std::string(FolderSeparator) + ProfileFileName("", vehicle), buffer);
    }

private:
#if defined(_WIN32)
    void Enumerate() {
        vehicles_ = EnumerateVehicleFolders(root_.Reg().CustomerFolder(customer_));
    }

    bool Read(const std::string& relative, std::string& buffer) {
        auto bytes = ReadFileBytes(PathFromUtf8(root_.Reg().CustomerFolder(customer_) + "\\" + relative));
        buffer = bytes.value_or(std::string());
        return bytes.has_value();
    }
#else
    void Enumerate() {
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
        dirFd_ = root_.Fd() >= 0 ? ::openat(root_.Fd(), customer_.c_str(), flags)
                                 : ::open(root_.Reg().CustomerFolder(customer_).c_str(), flags);
        if (dirFd_ < 0) {
            return;
        }
        std::vector<std::string> names;
        if (!ReadEntries(names)) {
            return;
        }
        std::sort(names.begin(), names.end());
        vehicles_ = std::move(names);
    }

    // A plain directory, not hidden: a vehicle folder. Links and other entries are not.
    void Consider(const char* name, unsigned char type, std::vector<std::string>& names) const {
        if (name[0] == '.') {
            return; // hidden, "." and ".."
        }
        if (type == DT_UNKNOWN) {
            struct stat status {};
            if (::fstatat(dirFd_, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
                return;
            }
            type = S_ISDIR(status.st_mode) ? DT_DIR : DT_REG;
        }
        if (type == DT_DIR) {
            names.emplace_back(name);
        }
    }

#if defined(__linux__)
    // The entries straight from the open folder (opendir would add two calls per folder).
    bool ReadEntries(std::vector<std::string>& names) const {
        alignas(8) char buffer[16384];
        for (;;) {
            const ssize_t n = ::getdents64(dirFd_, buffer, sizeof buffer);
            if (n < 0) {
                return false;
            }
            if (n == 0) {
                return true;
            }
            for (ssize_t pos = 0; pos < n;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + pos);
                Consider(entry->d_name, entry->d_type, names);
                pos += entry->d_reclen;
            }
            // The largest entry: its header and a name of 255 bytes with its terminator, 8-byte aligned.
            constexpr std::size_t LargestEntry = (offsetof(struct dirent64, d_name) + 256 + 7) / 8 * 8;
            if (root_.FillsBatches() && static_cast<std::size_t>(n) + LargestEntry <= sizeof buffer) {
                return true;
            }
        }
    }
#else
    bool ReadEntries(std::vector<std::string>& names) const {
        const int copy = ::dup(dirFd_);
        DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
        if (!dir) {
            if (copy >= 0) {
                ::close(copy);
            }
            return false;
        }
        while (const dirent* entry = ::readdir(dir)) {
            Consider(entry->d_name, entry->d_type, names);
        }
        ::closedir(dir);
        return true;
    }
#endif

    // Relative to the open customer folder, else to the root, else by the full path.
    bool Read(const std::string& relative, std::string& buffer) {
        int fd = -1;
        if (dirFd_ >= 0) {
            fd = ::openat(dirFd_, relative.c_str(), O_RDONLY | O_CLOEXEC);
        } else if (root_.Fd() >= 0) {
            fd = ::openat(root_.Fd(), (customer_ + "/" + relative).c_str(), O_RDONLY | O_CLOEXEC);
        } else {
            fd = ::open((root_.Reg().CustomerFolder(customer_) + "/" + relative).c_str(), O_RDONLY | O_CLOEXEC);
        }
        if (fd < 0) {
            return false;
        }
        // Profiles are small: one read fills the scratch area; a full one means there may be more.
        char* const scratch = root_.Scratch();
        buffer.clear();
        bool ok = true;
        for (;;) {
            const ssize_t n = ::read(fd, scratch, RootFolder::ScratchSize);
            if (n < 0) {
                ok = false; // a folder, or a read error
                break;
            }
            buffer.append(scratch, static_cast<std::size_t>(n));
            if (static_cast<std::size_t>(n) < RootFolder::ScratchSize) {
                break; // a short read of a regular file is its end
            }
        }
        ::close(fd);
        return ok;
    }

    int dirFd_ = -1;
#endif

    const RootFolder& root_;
    const std::string& customer_;
    bool enumerated_ = false;
    std::optional<std::vector<std::string>> vehicles_;
};

// True when DATA0 of one of the sections, tested in this order, contains the key.
template <std::size_t N>
bool ProfileContains(std::string_view profile, const char* const (&sections)[N], const std::string& key) {
    std::array<std::optional<std::string_view>, N> values;
    ProfileLookupSections(profile, std::span<const char* const>(sections, N), ListKey, std::span(values));
    for (const auto& value : values) {
        if (value && ContainsText(DecodeSjis(*value), key)) {
            return true;
        }
    }
    return false;
}

void Add(std::vector<SearchResult>& results, const std::string& customer, int line, const std::string& vehicle) {
    results.push_back({customer + "/" + vehicle, line, vehicle});
}

} // namespace

bool ContainsText(std::string_view text, std::string_view key) {
    if (key.empty()) {
        return true;
    }
    for (std::size_t pos = text.find(key); pos != std::string_view::npos; pos = text.find(key, pos + 1)) {
        const std::size_t end = pos + key.size();
        if (!IsContinuation(text[pos]) && (end == text.size() || !IsContinuation(text[end]))) {
            return true;
        }
    }
    return false;
}

std::vector<SearchResult> SearchCustomers(const Register& reg, const std::string& key, bool includeVehicles) {
    std::vector<SearchResult> results;
    const auto names = reg.CustomerNames();
    if (!names) {
        return results;
    }
    std::string buffer;
    const RootFolder root(reg);
    for (std::size_t i = 0; i < names->size(); ++i) {
        const std::string& customer = (*names)[i];
        const int line = static_cast<int>(i);
        CustomerFolderScan folder(root, customer);
        if (key.empty()) {
            const auto& vehicles = folder.Vehicles();
            if (!vehicles) {
                continue; // no folder: not in the full list
            }
            if (includeVehicles && !vehicles->empty()) {
                for (const auto& vehicle : *vehicles) {
                    Add(results, customer, line, vehicle);
                }
            } else {
                Add(results, customer, line, "");
            }
            continue;
        }
        if (includeVehicles) {
            folder.Vehicles(); // opens the folder, so the profiles below are read relative to it
        }
        const bool customerMatch = ContainsText(customer, key) || (folder.ReadCustomerProfile(buffer) &&
                                                                   ProfileContains(buffer, CustomerSections, key));
        bool vehicleAdded = false;
        if (includeVehicles && folder.Vehicles()) {
            for (const auto& vehicle : *folder.Vehicles()) {
                if (customerMatch || ContainsText(vehicle, key) ||
                    (folder.ReadVehicleProfile(vehicle, buffer) &&
                     ProfileContains(buffer, VehicleSearchSections, key))) {
                    Add(results, customer, line, vehicle);
                    vehicleAdded = true;
                }
            }
        }
        if (customerMatch && !vehicleAdded) {
            Add(results, customer, line, "");
        }
    }
    return results;
}

} // namespace vanto
