// File names are native: UTF-8 bytes here, UTF-16 on Windows. The program's texts are UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vanto {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The platform's folder separator, as a text.
inline constexpr std::string_view FolderSeparator =
#if defined(_WIN32)
    "\\";
#else
    "/";
#endif

// The folder text with a trailing separator (an empty text stays empty).
std::string WithTrailingSeparator(std::string folder);

// True when two names of one path component name the same entry: byte for byte here, without regard to letter
// case on Windows, whose file systems compare names that way.
bool SameFileName(const std::filesystem::path& a, const std::filesystem::path& b);

// True when `inner` is `outer` or lies below it, compared component by component (so /x/owner2 is not inside
// /x/owner) with SameFileName. Both are taken as given: normalise them first. An empty outer path holds nothing.
bool PathWithin(const std::filesystem::path& outer, const std::filesystem::path& inner);

// Folder of the running program, with a trailing separator, and the program's file name.
std::string ExecutableFolder();
std::string ExecutableFileName();

} // namespace vanto
