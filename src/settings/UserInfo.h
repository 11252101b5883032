// The workshop's own details (the "user" of the program), printed on every result sheet: section "user" of the
// user information file. Postal code, telephone and fax are stored as one value joined by "-" and shown as
// separate fields.
#pragma once

#include <array>
#include <string>

namespace vanto {

inline constexpr const char* UserInfoSection = "user";
inline constexpr const char* UserInfoSaveQuestion = "使用者情報を更新してよろしいですか？";
inline constexpr const char* UserInfoNotStorableText =
    "使用者情報に保存できない文字が含まれています。文字を確認して下さい。";
inline constexpr const char* UserInfoNotSavedText = "使用者情報を保存できませんでした。";
// The print setup shows this postal code when the file has none.
inline constexpr const char* PrintPostDefault = "000-0000";

// The fields as the settings form and the print setup show them.
struct UserInfo {
    std::string Name;
    std::array<std::string, 2> Post;
    std::array<std::string, 3> Tel;
    std::array<std::string, 3> Fax;
    std::string Address;
    std::string Mes1; // message lines of the result sheet: kept, not edited in the settings form
    std::string Mes2;

    bool operator==(const UserInfo&) const = default;
};

// The settings form's reading: a missing file or key gives empty fields.
UserInfo ReadUserInfo(const std::string& userInfoFile);
// The print setup's reading: as above, but a missing "post" key reads as "000-0000".
UserInfo ReadUserInfoForPrint(const std::string& userInfoFile);

enum class UserInfoSaveResult {
    Done,
    NotStorable, // a field holds a character the file cannot store, or a line break: nothing written
    NotWritten,  // the file cannot be read or written: it is as it was
};

// Writes all seven keys in one atomic replacement of the file (the bytes are those of the seven writes one by
// one); empty parts give "-" and "--". A missing file is created.
UserInfoSaveResult SaveUserInfo(const std::string& userInfoFile, const UserInfo& info);

// The message for a failed save (empty for Done).
std::string UserInfoSaveMessage(UserInfoSaveResult result);

} // namespace vanto
