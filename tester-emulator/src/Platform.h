// What differs between the platforms outside the device's pipes: file names, environment and the library's folder.
#pragma once

#include <filesystem>
#include <string>

namespace emu {

// File names are native: UTF-8 bytes here, UTF-16 on Windows. The emulator's texts are UTF-8.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// An environment variable as UTF-8 text; "" when it is not set.
std::string EnvironmentText(const char* name);

// The folder of the library that holds the address; empty when it cannot be found.
std::filesystem::path ModuleFolder(const void* address);

} // namespace emu
