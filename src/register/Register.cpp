#include "register/Register.h"

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/Sjis.h"
#include "common/TextFile.h"

#include <algorithm>
#include <system_error>
#include <tuple>
#include <variant>

namespace vanto {
namespace fs = std::filesystem;

namespace {

constexpr const char* ListKey = "DATA0";
constexpr const char* CountKey = "NUM";

const std::string Separator(FolderSeparator);

// The list's lines as stored (CP932 bytes); nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadByteLines(const std::string& file) {
    auto bytes = ReadFileBytes(PathFromUtf8(file));
    if (!bytes) {
        return std::nullopt;
    }
    return SplitLines(*bytes);
}

bool SaveByteLines(const std::string& file, const std::vector<std::string>& lines) {
    return WriteFileAtomic(PathFromUtf8(file), JoinLines(lines));
}

using KeyWrite = std::tuple<std::string, std::string, std::string>; // section, key, value (UTF-8)

// Applies the writes to a profile the way key-by-key writes would, and replaces the file once. A missing file
// is created; an existing file that cannot be read is never replaced.
bool UpdateProfile(const std::string& file, const std::vector<KeyWrite>& writes) {
    const fs::path path = PathFromUtf8(file);
    std::optional<std::string> current = ReadFileBytes(path);
    if (!current) {
        if (FileExists(path)) {
            return false;
        }
        current.emplace();
    }
    std::string updated = *current;
    for (const auto& [section, key, value] : writes) {
        auto bytes = EncodeSjis(value);
        if (!bytes) {
            return false;
        }
        updated = ProfileUpdate(updated, EncodeSjisLossy(section), key, *bytes);
    }
    return updated == *current || WriteFileAtomic(path, updated);
}

std::vector<KeyWrite> ListSections(const std::vector<std::pair<std::string, std::string>>& values) {
    std::vector<KeyWrite> writes;
    for (const auto& [section, value] : values) {
        writes.emplace_back(section, CountKey, "1");
        writes.emplace_back(section, ListKey, value);
    }
    return writes;
}

std::vector<KeyWrite> DataWrites(const std::vector<std::pair<std::string, std::string>>& values) {
    std::vector<KeyWrite> writes;
    for (const auto& [section, value] : values) {
        writes.emplace_back(section, ListKey, value);
    }
    return writes;
}

} // namespace

std::vector<std::pair<std::string, std::string>> VehicleSections(const VehicleProfile& v) {
    return {{section::Maker, v.Maker},        {section::TypeCar, v.TypeCar},
            {section::Model, v.Model},        {section::EngineType, v.EngineType},
            {section::Comment, v.Comment},    {section::BodyNumber, v.BodyNumber},
            {section::Type, v.Type},          {section::Mileage, v.Mileage},
            {section::NextCheck, v.NextCheck}};
}

Register::Register(std::string customerRoot, std::string visitorFile, const std::string& exeDir)
    : customerRoot_(WithTrailingSeparator(std::move(customerRoot))), visitorFile_(std::move(visitorFile)),
      visitorBackupFile_(WithTrailingSeparator(exeDir) + VisitorBackupFileName) {}

std::string Register::CustomerFolder(const std::string& customer) const {
    return customerRoot_ + customer;
}

std::string Register::CustomerProfileFile(const std::string& customer) const {
    return ProfileFileName(CustomerFolder(customer), customer);
}

std::string Register::VehicleFolder(const std::string& customer, const std::string& vehicle) const {
    return CustomerFolder(customer) + Separator + vehicle;
}

std::string Register::VehicleProfileFile(const std::string& customer, const std::string& vehicle) const {
    return Vehicle(customer, vehicle).ProfileFile();
}

VehicleFolder Register::Vehicle(const std::string& customer, const std::string& vehicle) const {
    if (!IsSafePathComponent(customer) || !IsSafePathComponent(vehicle)) {
        return vanto::VehicleFolder::None();
    }
    return vanto::VehicleFolder(VehicleFolder(customer, vehicle));
}

std::optional<std::vector<std::string>> Register::CustomerNames() const {
    return ReadSjisLines(PathFromUtf8(visitorFile_));
}

bool Register::CreateCustomerFolders(const std::string& customer, const std::string& vehicle) const {
    if (CheckFolderName(customer)) {
        return false;
    }
    std::error_code ec;
    fs::create_directory(PathFromUtf8(CustomerFolder(customer)), ec);
    if (!vehicle.empty()) {
        CreateVehicleFolder(customer, vehicle);
    }
    return true;
}

bool Register::CreateVehicleFolder(const std::string& customer, const std::string& vehicle) const {
    if (CheckFolderName(vehicle) || CheckFolderName(customer)) {
        return false;
    }
    std::error_code ec;
    fs::create_directory(PathFromUtf8(VehicleFolder(customer, vehicle)), ec);
    return true;
}

bool Register::CreateVehicleFiles(const std::string& customer, const std::string& vehicle) const {
    if (!WriteFileAtomic(PathFromUtf8(Vehicle(customer, vehicle).MonitorIndexFile()), "")) {
        return false;
    }
    return UpdateProfile(VehicleProfileFile(customer, vehicle), ListSections({{section::Maker, ""},
                                                                              {section::TypeCar, ""},
                                                                              {section::Model, ""},
                                                                              {section::EngineType, ""},
                                                                              {section::Comment, ""}}));
}

namespace {
// The customer list's bytes and whether the name is listed; nothing when an existing list cannot be read (a
// missing list reads as empty, as an append would create it).
struct ListState {
    std::string bytes;
    bool listed = false;
};

std::optional<ListState> ReadListState(const std::string& visitorFile, const std::string& name) {
    const fs::path list = PathFromUtf8(visitorFile);
    std::optional<std::string> bytes = ReadFileBytes(list);
    if (!bytes) {
        if (fs::exists(list)) {
            return std::nullopt;
        }
        bytes.emplace();
    }
    const auto lines = SplitLines(*bytes);
    return ListState{*bytes, std::find(lines.begin(), lines.end(), name) != lines.end()};
}

// Appends the name; a list whose last line lacks its line end gets one first, so the name is a line of its own.
bool AppendToList(const std::string& visitorFile, std::string bytes, const std::string& name) {
    if (!bytes.empty() && bytes.back() != '\n') {
        bytes += "\r\n";
    }
    bytes += name + "\r\n";
    return WriteFileAtomic(PathFromUtf8(visitorFile), bytes);
}
// The customer's name as the list stores it and the list's state, or why the customer cannot be listed.
struct Listing {
    std::string name;
    ListState list;
};

std::variant<Listing, RegisterResult> PrepareListing(const std::string& visitorFile, const std::string& customer) {
    if (customer.empty()) {
        return RegisterResult::EmptyName;
    }
    auto name = EncodeSjis(customer);
    if (!name || CheckFolderName(customer)) {
        return RegisterResult::InvalidName;
    }
    auto list = ReadListState(visitorFile, *name);
    if (!list) {
        return RegisterResult::ListUnavailable;
    }
    return Listing{std::move(*name), std::move(*list)};
}
} // namespace

RegisterResult Register::RegisterCustomer(const std::string& customer, const std::string& vehicle) const {
    const auto listing = PrepareListing(visitorFile_, customer);
    if (const auto* refused = std::get_if<RegisterResult>(&listing)) {
        return *refused;
    }
    const auto& [name, list] = std::get<Listing>(listing);
    if (!list.listed && !AppendToList(visitorFile_, list.bytes, name)) {
        return RegisterResult::ListUnavailable;
    }
    if (!UpdateProfile(CustomerProfileFile(customer), ListSections({{section::Tel, ""},
                                                                    {section::Handy, ""},
                                                                    {section::PostNo, "000-0000"},
                                                                    {section::Address, ""},
                                                                    {section::CarNo, vehicle}}))) {
        return RegisterResult::ProfileNotWritten;
    }
    if (!vehicle.empty() && !CreateVehicleFiles(customer, vehicle)) {
        return RegisterResult::ProfileNotWritten;
    }
    return RegisterResult::Done;
}

RegisterResult Register::SaveCustomer(const std::string& customer, const CustomerProfile& profile) const {
    const auto listing = PrepareListing(visitorFile_, customer);
    if (const auto* refused = std::get_if<RegisterResult>(&listing)) {
        return *refused;
    }
    const auto& [name, list] = std::get<Listing>(listing);
    CreateCustomerFolders(customer, "");
    if (!UpdateProfile(CustomerProfileFile(customer), ListSections({{section::Tel, profile.Tel},
                                                                    {section::Handy, profile.Handy},
                                                                    {section::PostNo, profile.PostNo},
                                                                    {section::Address, profile.Address},
                                                                    {section::CarNo, profile.CarNo}}))) {
        return RegisterResult::ProfileNotWritten;
    }
    if (!list.listed && !AppendToList(visitorFile_, list.bytes, name)) {
        return RegisterResult::ListUnavailable;
    }
    return RegisterResult::Done;
}

bool Register::WriteCustomerField(const std::string& customer, const std::string& section,
                                  const std::string& value) const {
    return WriteCustomerFields(customer, {{section, value}});
}

bool Register::WriteCustomerFields(const std::string& customer,
                                   const std::vector<std::pair<std::string, std::string>>& values) const {
    if (customer.empty()) {
        return false;
    }
    return UpdateProfile(CustomerProfileFile(customer), DataWrites(values));
}

bool Register::WriteVehicleField(const std::string& customer, const std::string& vehicle, const std::string& section,
                                 const std::string& value) const {
    return WriteVehicleFields(customer, vehicle, {{section, value}});
}

bool Register::WriteVehicleFields(const std::string& customer, const std::string& vehicle,
                                  const std::vector<std::pair<std::string, std::string>>& values) const {
    if (customer.empty() || vehicle.empty()) {
        return false;
    }
    return UpdateProfile(VehicleProfileFile(customer, vehicle), DataWrites(values));
}

CustomerProfile Register::ReadCustomer(const std::string& customer) const {
    if (!IsSafePathComponent(customer)) {
        return {};
    }
    const ProfileFile profile(PathFromUtf8(CustomerProfileFile(customer)));
    return {profile.ReadString(section::Tel, ListKey), profile.ReadString(section::Handy, ListKey),
            profile.ReadString(section::PostNo, ListKey), profile.ReadString(section::Address, ListKey),
            profile.ReadString(section::CarNo, ListKey)};
}

VehicleProfile Register::ReadVehicle(const std::string& customer, const std::string& vehicle) const {
    if (!IsSafePathComponent(customer) || !IsSafePathComponent(vehicle)) {
        return {};
    }
    const ProfileFile profile(PathFromUtf8(VehicleProfileFile(customer, vehicle)));
    auto read = [&](const char* name) { return profile.ReadString(name, ListKey); };
    return {read(section::Maker),      read(section::TypeCar), read(section::Model),
            read(section::EngineType), read(section::Comment), read(section::BodyNumber),
            read(section::Type),       read(section::Mileage), read(section::NextCheck)};
}

bool Register::VehicleExists(const std::string& customer, const std::string& vehicle) const {
    return IsSafePathComponent(customer) && IsSafePathComponent(vehicle) &&
           FileExists(PathFromUtf8(VehicleProfileFile(customer, vehicle)));
}

bool Register::VehicleFolderTaken(const std::string& customer, const std::string& vehicle) const {
    return EntryExists(PathFromUtf8(VehicleFolder(customer, vehicle)));
}

std::vector<VehicleEntry> Register::ListVehicles(const std::string& customer) const {
    std::vector<VehicleEntry> list;
    if (!IsSafePathComponent(customer)) {
        return list;
    }
    const auto names = EnumerateVehicleFolders(CustomerFolder(customer));
    if (!names) {
        return list;
    }
    for (const auto& name : *names) {
        VehicleEntry vehicle{name, FolderTime(VehicleFolder(customer, name))};
        // Inserted before the first vehicle with a strictly later time: oldest first, ties keep their order.
        const auto later = std::find_if(list.begin(), list.end(),
                                        [&](const VehicleEntry& listed) { return listed.Time > vehicle.Time; });
        list.insert(later, std::move(vehicle));
    }
    return list;
}

RenameResult Register::RenameCustomer(int line, const std::string& oldName, const std::string& newName) const {
    const auto newBytes = EncodeSjis(newName);
    if (!newBytes || CheckFolderName(newName)) {
        return RenameResult::InvalidName;
    }
    auto lines = ReadByteLines(visitorFile_);
    if (!lines) {
        return RenameResult::ListUnavailable;
    }
    if (line < 0 || static_cast<std::size_t>(line) >= lines->size() ||
        DecodeSjis((*lines)[static_cast<std::size_t>(line)]) != oldName || !IsSafePathComponent(oldName)) {
        return RenameResult::NotListed;
    }
    const fs::path oldFolder = PathFromUtf8(CustomerFolder(oldName));
    const fs::path newFolder = PathFromUtf8(CustomerFolder(newName));
    const bool hasFolder = EntryExists(oldFolder);
    const bool targetTaken = EntryExists(newFolder);
    std::error_code ec;
    if (targetTaken && !(hasFolder && fs::equivalent(oldFolder, newFolder, ec))) {
        return RenameResult::TargetExists;
    }
    const fs::path oldProfile = PathFromUtf8(ProfileFileName(PathToUtf8(newFolder), oldName));
    const fs::path newProfile = PathFromUtf8(ProfileFileName(PathToUtf8(newFolder), newName));
    if (hasFolder) {
        fs::rename(oldFolder, newFolder, ec);
        if (ec) {
            return RenameResult::FolderNotRenamed;
        }
        // A missing profile is not an error: the confirm writes a new one.
        if (oldProfile != newProfile && FileExists(oldProfile) && !fs::exists(newProfile, ec)) {
            fs::rename(oldProfile, newProfile, ec);
        }
    }
    (*lines)[static_cast<std::size_t>(line)] = *newBytes;
    if (!SaveByteLines(visitorFile_, *lines)) {
        if (hasFolder) {
            if (oldProfile != newProfile && FileExists(newProfile) && !FileExists(oldProfile)) {
                fs::rename(newProfile, oldProfile, ec);
            }
            fs::rename(newFolder, oldFolder, ec);
        }
        return RenameResult::ListNotSaved;
    }
    return RenameResult::Done;
}

DeleteResult Register::DeleteCustomer(int line, const std::string& name) const {
    auto lines = ReadByteLines(visitorFile_);
    if (!lines) {
        return DeleteResult::ListUnavailable;
    }
    if (line < 0 || static_cast<std::size_t>(line) >= lines->size() ||
        DecodeSjis((*lines)[static_cast<std::size_t>(line)]) != name) {
        return DeleteResult::NotListed;
    }
    if (!SaveByteLines(visitorBackupFile_, *lines)) {
        return DeleteResult::BackupNotSaved;
    }
    lines->erase(lines->begin() + line);
    if (!SaveByteLines(visitorFile_, *lines)) {
        return DeleteResult::ListNotSaved;
    }
    // A line that names no folder of its own (an empty line, "..") only leaves the list.
    if (IsSafePathComponent(name)) {
        ForceRemoveDir(CustomerFolder(name));
    }
    return DeleteResult::Done;
}

VehicleDeletion Register::DeleteVehicle(const std::string& customer, const std::string& vehicle) const {
    VehicleDeletion result;
    const std::string stored = ReadCustomer(customer).CarNo;
    result.Current = stored;
    if (!IsSafePathComponent(customer) || !IsSafePathComponent(vehicle)) {
        return result;
    }
    result.Removed = ForceRemoveDir(VehicleFolder(customer, vehicle));
    if (stored == vehicle) {
        const auto remaining = ListVehicles(customer);
        result.Current = remaining.empty() ? std::string() : remaining.front().Number;
        result.CurrentWritten = WriteCustomerField(customer, section::CarNo, result.Current);
    }
    return result;
}

} // namespace vanto
