// Reference value sets as the program holds them: the description record inside a set's description text, the
// working file DATA.WK with the set read last, the reference value files (.DTKJ2) the user keeps, and the line
// reader both forms use on them.
//
// A set travels as two tester texts, kept as the bytes received: the description text (an 8-byte header of the
// tester, the 216-byte description record, then the tester's measurements) and the values text (items each
// ended by ","). Only the description record is ever changed, by the user; everything is decoded only to show.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

inline constexpr std::size_t ReferenceHeaderSize = 8;
inline constexpr std::size_t ReferenceInfoSize = 216;
inline constexpr std::size_t ReferenceDataMinSize = ReferenceHeaderSize + ReferenceInfoSize; // 224
// The line buffer of the line reader: a longer line comes in pieces of one byte less.
inline constexpr std::size_t LineBufferSize = 66'560;
// One slot of the tester's list of sets.
inline constexpr std::size_t ReferenceListSlot = 80;

// The six fields of the description record, in the order of the forms' edits.
enum class InfoField : std::size_t { VehicleName, VehicleType, EngineType, ModelYear, Mileage, Comment };
inline constexpr std::size_t InfoFieldCount = 6;

struct InfoFieldSpan {
    std::size_t offset;
    std::size_t width; // bytes
};
inline constexpr std::array<InfoFieldSpan, InfoFieldCount> InfoFieldSpans{
    {{0, 20}, {20, 20}, {40, 20}, {60, 20}, {80, 8}, {88, 128}}};

// The description record of a set. Fields are CP932 bytes without their trailing spaces.
struct ReferenceInfo {
    std::array<std::string, InfoFieldCount> Fields;

    // From a 216-byte record; bytes missing from a shorter one count as spaces.
    static ReferenceInfo FromRecord(std::string_view record);
    // From a description text: its bytes 8 to 223.
    static ReferenceInfo FromReferenceData(std::string_view data);
    // From the texts of the forms' edits (UTF-8). A character CP932 cannot store becomes "?"; the edits
    // refuse such characters in the first place.
    static ReferenceInfo FromUtf8(const std::array<std::string, InfoFieldCount>& texts);

    // The fields decoded for showing.
    std::array<std::string, InfoFieldCount> ToUtf8() const;
    // This description as the user left it in the edits that showed it: a field whose text is still the one
    // shown keeps its bytes (decoding for showing merges codes CP932 repeats), only an edited one is encoded.
    ReferenceInfo WithEdits(const std::array<std::string, InfoFieldCount>& texts) const;
    // The 216-byte record: spaces, then each field cut to its width. A cut never splits a double-byte
    // character (the character is left out and its bytes stay spaces); line ends become spaces so the record
    // stays one line of a profile file.
    std::string Record() const;

    const std::string& operator[](InfoField field) const { return Fields[static_cast<std::size_t>(field)]; }
    bool operator==(const ReferenceInfo&) const = default;
};

// The leading bytes of the text that fit into `width` bytes without splitting a double-byte character.
std::string_view CutSjis(std::string_view text, std::size_t width);

// The line reader of the reference files. Reads the file as text (CR LF reads as LF) line by line, a line longer
// than the line buffer in pieces; when a line begins with `header`, the next line must begin with `keyPrefix`,
// and the result is the rest of that line up to and including its line feed (up to a zero byte, which ends the
// text). Nothing when the file cannot be read or no such pair of lines exists: a key that does not stand
// directly below its header is not found.
std::optional<std::string> ReadSectionLine(const std::string& path, std::string_view header,
                                           std::string_view keyPrefix);
// The same on file bytes already read.
std::optional<std::string> FindSectionLine(std::string_view fileBytes, std::string_view header,
                                           std::string_view keyPrefix);

// A description text may go to a tester when its first eight bytes are "0"-"9" or "A"-"E".
bool IsValidReferenceData(std::string_view data);
// The rule applied to every picked file: its [DATA] / "DATA=" line is found and valid.
bool IsValidReferenceFile(const std::string& path);

// The values text listed for showing: every piece followed by a "," is one line (UTF-8), in order; what follows
// the last "," is not listed.
std::vector<std::string> ListReferenceValues(std::string_view values);

// The entries of the tester's list of sets from the list answer's data: 80-byte slots up to the data's end or a
// slot whose first byte is zero; each entry is its slot up to the first zero byte, as bytes.
std::vector<std::string> ReferenceListEntries(std::string_view data);

// The working file DATA.WK in the program's folder (folder text with a trailing separator).
inline constexpr const char* WorkFileName = "DATA.WK";
std::string WorkFilePath(const std::string& exeDir);

// The two passes of a read: the description text goes to [DATA], the values text to [VALUE], key DATA.
enum class WorkPass { Data, Value };
// Stores one pass's text, bytes unchanged; false when DATA.WK cannot be written.
bool WriteWorkFile(const std::string& exeDir, WorkPass pass, std::string_view text);

enum class SaveResult {
    Saved,
    NoWorkData,  // DATA.WK does not hold both texts of a set
    WriteFailed, // the file could not be read or written; it is as it was
};

// Saves the set in DATA.WK as a reference value file: [INFO] the record, [DATA] the description text with its
// bytes 8-223 replaced by the record (a shorter text is first padded with spaces to 224 bytes), [VALUE] the
// values text, written key by key as the profile writer does, so each text's line feed leaves an empty line
// after its key line and other content of an existing file stays. The file is replaced whole or not at all.
SaveResult SaveReferenceFile(const std::string& exeDir, const std::string& path, const ReferenceInfo& info);

// A picked reference value file as the write form shows it.
struct ReferenceFileView {
    bool HasInfo = false; // an [INFO] value: the file has a description and may be written
    // The description, from bytes 8-223 of the [DATA] text (the same record, kept whole there; the [INFO]
    // value loses the leading blanks of an empty vehicle name), or from [INFO] when [DATA] is not found.
    ReferenceInfo Info;
    std::string Values;                  // the [VALUE] text as the line reader returns it, empty when not found
    std::vector<std::string> ValueLines; // Values listed for showing
};
// Nothing is filled but HasInfo when the file has no description.
ReferenceFileView ReadReferenceFile(const std::string& path);

} // namespace vanto
