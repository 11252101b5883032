// The emulated tester for tests: the real emulator library, reached through the program's real loading code
// from a program folder of the test's own, with a scenario per test and the emulator's transcript.
#pragma once

#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace vanto::test {

class Emulator {
public:
    // Links the built emulator library into the folder (the program's folder in the test) and selects the
    // scenario (JSON text) and a transcript file for the process.
    Emulator(const TempFolder& programFolder, const std::string& scenarioJson);
    ~Emulator();

    // Without the library in the program's folder the tester is unreachable.
    static void RemoveLibrary(const TempFolder& programFolder);

    // The frames of the transcript, "PC> ..." and "TS> ..." lines as the emulator wrote them.
    std::vector<std::string> Transcript() const;
    // The frames of the transcript with their escapes undone, without the direction.
    std::vector<std::string> Frames() const;
    // Only the frames the program sent, in order.
    std::vector<std::string> FramesFromPc() const;

private:
    std::string transcript_;
};

// Undoes the transcript's escapes ("\\" and "\xHH").
std::string Unescape(const std::string& text);

} // namespace vanto::test
