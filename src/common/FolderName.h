// Names a user types that become folder and file names as they stand (customer names, vehicle numbers, record
// titles) are checked before anything is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto {

enum class NameProblem {
    Empty,
    ForbiddenCharacter, // \ / : * ? " < > | or a control character
    DotName,            // "." or ".."
    EdgeBlankOrDot,     // leading or trailing space, leading or trailing "."
    NotShiftJis,        // a character Shift-JIS cannot store
};

// Nothing when the name can be a folder name on every platform the register lives on.
std::optional<NameProblem> CheckFolderName(const std::string& name);

// True when the name can stand as one path component without reaching outside its folder: not empty, not "." or
// "..", no separator. Names read from files (the customer list, an index, a profile) are checked with this before
// they become part of a path, so a damaged or hostile file never leads anywhere else.
bool IsSafePathComponent(std::string_view name);

// The refusal message for a problem, with the field's label (お客様名, 車両番号).
std::string FolderNameMessage(NameProblem problem, const std::string& label);

} // namespace vanto
