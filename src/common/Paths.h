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

// Folder of the running program, with a trailing separator, and the program's file name.
std::string ExecutableFolder();
std::string ExecutableFileName();

} // namespace vanto
