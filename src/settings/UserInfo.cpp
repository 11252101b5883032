#include "settings/UserInfo.h"

#include "common/DashField.h"
#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/Sjis.h"
#include "common/TextFile.h"

#include <optional>
#include <utility>
#include <vector>

namespace vanto {
namespace {

constexpr const char* NameKey = "name";
constexpr const char* PostKey = "post";
constexpr const char* TelKey = "tel";
constexpr const char* FaxKey = "fax";
constexpr const char* AddressKey = "Address";
constexpr const char* Mes1Key = "mes1";
constexpr const char* Mes2Key = "mes2";

template <std::size_t N> std::array<std::string, N> Split(const std::string& value) {
    std::array<std::string, N> parts;
    for (std::size_t i = 0; i < N; ++i) {
        parts[i] = DashField(value, static_cast<int>(i + 1));
    }
    return parts;
}

std::string Join(const std::array<std::string, 2>& parts) {
    return JoinDashFields({parts[0], parts[1]});
}

std::string Join(const std::array<std::string, 3>& parts) {
    return JoinDashFields({parts[0], parts[1], parts[2]});
}

UserInfo Read(const std::string& userInfoFile, std::string_view postDefault) {
    const ProfileFile profile(PathFromUtf8(userInfoFile));
    auto read = [&](const char* key, std::string_view fallback = {}) {
        return profile.ReadString(UserInfoSection, key, fallback);
    };
    return {read(NameKey),          Split<2>(read(PostKey, postDefault)),
            Split<3>(read(TelKey)), Split<3>(read(FaxKey)),
            read(AddressKey),       read(Mes1Key),
            read(Mes2Key)};
}

} // namespace

UserInfo ReadUserInfo(const std::string& userInfoFile) {
    return Read(userInfoFile, {});
}

UserInfo ReadUserInfoForPrint(const std::string& userInfoFile) {
    return Read(userInfoFile, PrintPostDefault);
}

UserInfoSaveResult SaveUserInfo(const std::string& userInfoFile, const UserInfo& info) {
    const std::vector<std::pair<const char*, std::string>> values{
        {NameKey, info.Name},       {PostKey, Join(info.Post)}, {TelKey, Join(info.Tel)}, {FaxKey, Join(info.Fax)},
        {AddressKey, info.Address}, {Mes1Key, info.Mes1},       {Mes2Key, info.Mes2}};
    const std::filesystem::path path = PathFromUtf8(userInfoFile);
    std::optional<std::string> current = ReadFileBytes(path);
    if (!current) {
        if (std::filesystem::exists(path)) {
            return UserInfoSaveResult::NotWritten; // there but unreadable: never replaced
        }
        current.emplace();
    }
    std::string updated = *current;
    for (const auto& [key, value] : values) {
        auto bytes = EncodeSjis(value);
        // A line break would end the key's line and leave the rest as a line of its own.
        if (!bytes || value.find_first_of("\r\n") != std::string::npos) {
            return UserInfoSaveResult::NotStorable;
        }
        updated = ProfileUpdate(updated, UserInfoSection, key, *bytes);
    }
    if (updated != *current && !WriteFileAtomic(path, updated)) {
        return UserInfoSaveResult::NotWritten;
    }
    return UserInfoSaveResult::Done;
}

std::string UserInfoSaveMessage(UserInfoSaveResult result) {
    switch (result) {
    case UserInfoSaveResult::Done:
        return {};
    case UserInfoSaveResult::NotStorable:
        return UserInfoNotStorableText;
    case UserInfoSaveResult::NotWritten:
        break;
    }
    return UserInfoNotSavedText;
}

} // namespace vanto
