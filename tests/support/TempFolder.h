// A fresh folder per test, removed afterwards, with helpers to write and read exact bytes.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace vanto::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder as a UTF-8 text with a trailing separator, as the program keeps its folders.
    std::string Dir() const;
    // A UTF-8 path below the folder.
    std::filesystem::path operator/(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

// Writes exact bytes, creating parent folders.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
// The file's bytes; fails the test when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
// Sets a file's or a folder's modification time; fails the test when it cannot. (MinGW's std::filesystem sets no
// folder's time, so folders are set through the platform's own call there.)
void SetModificationTime(const std::filesystem::path& path, std::chrono::system_clock::time_point time);
// UTF-8 text to CP932 bytes (the test fails when a character cannot be stored).
std::string Sjis(std::string_view utf8);

} // namespace vanto::test
