// The emulator's two optional outputs, both appended line by line:
// the transcript (UUSBQK_EMULATOR_TRANSCRIPT), one line per frame: "PC> " or "TS> " and the escaped frame;
// the diagnostic log (UUSBQK_EMULATOR_LOG): why a frame or a request was refused, scenario errors.
#pragma once

#include <string>
#include <string_view>

namespace emu {

// Appends "PC> " (from the PC) or "TS> " (from the tester) and the frame, escaped, as one line.
void AppendTranscript(const std::string& path, bool fromPc, std::string_view frame);

// Appends a line to the diagnostic log `logPath` (UUSBQK_EMULATOR_LOG as read at open; empty: none);
// `alsoStderr` for errors the user must see (a scenario that cannot be read).
void Diagnose(const std::string& logPath, const std::string& line, bool alsoStderr = false);

} // namespace emu
