// Profile (INI) files, read and written key by key on the file's bytes the way the Windows profile routines do:
// every byte the write does not mean to change stays as it was, so folders written by other programs and
// programs that read ours keep working.
//
// The byte layer takes and returns CP932 bytes (reference-value texts pass through unchanged); the UTF-8 layer
// converts at the edge.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vanto {

// The value of a key in profile text, or nothing when the section or key is missing.
std::optional<std::string> ProfileLookup(std::string_view content, std::string_view section, std::string_view key);

// The value of `key` in each of the (distinct) sections, found in one pass over the profile text with the rules
// of ProfileLookup: the first section of a name counts, and within it the first key. Values are views into the
// content; missing sections or keys give nothing. For readers that need one key of many sections.
void ProfileLookupSections(std::string_view content, std::span<const char* const> sections, std::string_view key,
                           std::span<std::optional<std::string_view>> values);

// The profile text after writing the value of a key (see ProfileFile::WriteBytes).
std::string ProfileUpdate(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view value);

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path_; }

    // Reads come from a snapshot of the file taken at the first read (one file read for many keys); writes
    // go to the file at once and refresh the snapshot.
    std::optional<std::string> ReadBytes(std::string_view section, std::string_view key) const;
    std::string ReadBytes(std::string_view section, std::string_view key, std::string_view fallback) const;

    // Writes the value (bytes) of a key: a missing file, section or key is created. A write that changes
    // nothing leaves the file untouched; a change replaces the file atomically. False when the file cannot
    // be read or written; the file is then as it was.
    bool WriteBytes(std::string_view section, std::string_view key, std::string_view value);

    // UTF-8 layer. A value CP932 cannot store is not written (false).
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Drops the snapshot so the next read sees the file as it is now.
    void Reload() { loaded_ = false; }

private:
    const std::optional<std::string>& Content() const;

    std::filesystem::path path_;
    mutable std::optional<std::string> content_;
    mutable bool loaded_ = false;
};

} // namespace vanto
