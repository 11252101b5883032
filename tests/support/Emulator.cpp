#include "support/Emulator.h"

#include "common/TextFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace vanto::test {
namespace fs = std::filesystem;

namespace {
const char* LibraryName = "libuusbqk.so";
}

Emulator::Emulator(const TempFolder& programFolder, const std::string& scenarioJson) {
    const char* bin = std::getenv("VANTO_TEST_BIN");
    EXPECT_NE(bin, nullptr) << "VANTO_TEST_BIN names the folder of the built emulator";
    std::error_code ec;
    fs::create_symlink(fs::path(bin ? bin : ".") / LibraryName, programFolder / LibraryName, ec);
    EXPECT_FALSE(ec) << ec.message();
    WriteBytes(programFolder / "scenario.json", scenarioJson);
    transcript_ = (programFolder / "transcript.txt").string();
    setenv("UUSBQK_EMULATOR_SCENARIO", (programFolder / "scenario.json").c_str(), 1);
    setenv("UUSBQK_EMULATOR_TRANSCRIPT", transcript_.c_str(), 1);
}

Emulator::~Emulator() {
    unsetenv("UUSBQK_EMULATOR_SCENARIO");
    unsetenv("UUSBQK_EMULATOR_TRANSCRIPT");
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
