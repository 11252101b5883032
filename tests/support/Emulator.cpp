#include "support/Emulator.h"

#include "common/TextFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace vanto::test {
namespace fs = std::filesystem;

namespace {
#if defined(_WIN32)
const char* LibraryName = "UUSBQK.DLL";

// The process environment, as the library reads it (UTF-16, whatever the C runtime).
void SetVariable(const wchar_t* name, const fs::path& value) {
    _wputenv_s(name, value.c_str());
}
void UnsetVariable(const wchar_t* name) {
    _wputenv_s(name, L"");
}
#define VARIABLE(name) L##name
#else
const char* LibraryName = "libuusbqk.so";

void SetVariable(const char* name, const fs::path& value) {
    setenv(name, value.c_str(), 1);
}
void UnsetVariable(const char* name) {
    unsetenv(name);
}
#define VARIABLE(name) name
#endif
} // namespace

Emulator::Emulator(const TempFolder& programFolder, const std::string& scenarioJson) {
    const char* bin = std::getenv("VANTO_TEST_BIN");
    EXPECT_NE(bin, nullptr) << "VANTO_TEST_BIN names the folder of the built emulator";
    std::error_code ec;
#if defined(_WIN32)
    // Links need privileges there; a copy loads the same.
    fs::copy_file(fs::path(bin ? bin : ".") / LibraryName, programFolder / LibraryName, ec);
#else
    fs::create_symlink(fs::path(bin ? bin : ".") / LibraryName, programFolder / LibraryName, ec);
#endif
    EXPECT_FALSE(ec) << ec.message();
    WriteBytes(programFolder / "scenario.json", scenarioJson);
    transcript_ = (programFolder / "transcript.txt").string();
    SetVariable(VARIABLE("UUSBQK_EMULATOR_SCENARIO"), programFolder / "scenario.json");
    SetVariable(VARIABLE("UUSBQK_EMULATOR_TRANSCRIPT"), programFolder / "transcript.txt");
}

Emulator::~Emulator() {
    UnsetVariable(VARIABLE("UUSBQK_EMULATOR_SCENARIO"));
    UnsetVariable(VARIABLE("UUSBQK_EMULATOR_TRANSCRIPT"));
}

void Emulator::RemoveLibrary(const TempFolder& programFolder) {
    std::error_code ec;
    fs::remove(programFolder / LibraryName, ec);
}

std::vector<std::string> Emulator::Transcript() const {
    const auto bytes = ReadFileBytes(transcript_);
    return bytes ? SplitLines(*bytes) : std::vector<std::string>{};
}

std::vector<std::string> Emulator::Frames() const {
    std::vector<std::string> frames;
    for (const auto& line : Transcript()) {
        frames.push_back(Unescape(line.substr(4)));
    }
    return frames;
}

std::vector<std::string> Emulator::FramesFromPc() const {
    std::vector<std::string> frames;
    for (const auto& line : Transcript()) {
        if (line.starts_with("PC> ")) {
            frames.push_back(Unescape(line.substr(4)));
        }
    }
    return frames;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace vanto::test
