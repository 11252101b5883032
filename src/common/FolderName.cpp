#include "common/FolderName.h"

#include "common/Sjis.h"

#include <string_view>

namespace vanto {

std::optional<NameProblem> CheckFolderName(const std::string& name) {
    if (name.empty()) {
        return NameProblem::Empty;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return NameProblem::ForbiddenCharacter;
        }
    }
    if (name == "." || name == "..") {
        return NameProblem::DotName;
    }
    // Windows drops trailing blanks and dots silently (two names would share one folder); a leading dot
    // hides the folder here.
    auto edge = [](char c) { return c == ' ' || c == '.'; };
    if (edge(name.front()) || edge(name.back())) {
        return NameProblem::EdgeBlankOrDot;
    }
    if (!IsSjisText(name)) {
        return NameProblem::NotShiftJis;
    }
    return std::nullopt;
}

bool IsSafePathComponent(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.find('\0') != std::string_view::npos) {
        return false;
    }
#if defined(_WIN32)
    return name.find_first_of("\\/:") == std::string_view::npos;
#else
    return name.find('/') == std::string_view::npos;
#endif
}

std::string FolderNameMessage(NameProblem problem, const std::string& label) {
    switch (problem) {
    case NameProblem::Empty:
        return label + "を入力してください。";
    case NameProblem::ForbiddenCharacter:
        return label + "に使用できない文字が含まれています。\n\\ / : * ? \" < > | は使用できません。";
    case NameProblem::DotName:
        return "「.」と「..」は" + label + "に使用できません。";
    case NameProblem::EdgeBlankOrDot:
        return label + "の先頭と末尾には空白と「.」を使用できません。";
    case NameProblem::NotShiftJis:
        return label + "に登録できない文字（シフトJISにない文字）が含まれています。";
    }
    return {};
}

} // namespace vanto
