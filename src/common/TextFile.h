// Plain files: whole-file reads, atomic whole-file saves, appends, and CR LF text lines.
//
// A whole-file save writes a temporary file in the target's folder and renames it over the target, so a crash
// leaves the old file or the new one, never half of one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Replaces the file with the bytes, atomically. False when it cannot be written; the old file is then intact.
// Replacing a file that existed keeps its folder's modification time, as a rewrite in place would; a new file
// changes it.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Appends the bytes, creating the file when missing.
bool AppendFileBytes(const std::filesystem::path& path, std::string_view bytes);

// Splits text into lines at LF; a CR before the LF is not part of the line, and a last line without line end
// counts. An empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Lines of a CP932 text file, decoded to UTF-8 (losslessly, see Sjis.h); nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadSjisLines(const std::filesystem::path& path);
// The same for showing and printing only (see DecodeSjisForDisplay): record files, kept as the tester sent them.
std::optional<std::vector<std::string>> ReadSjisLinesForDisplay(const std::filesystem::path& path);

// Saves UTF-8 lines as a CP932 text file with CR LF, atomically. False when the file cannot be written or a
// line holds a character that CP932 cannot store (nothing is written then).
bool SaveSjisLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Appends one UTF-8 line as CP932 with CR LF.
bool AppendSjisLine(const std::filesystem::path& path, std::string_view line);

} // namespace vanto
