// The exchanges of the reference-value functions with a connected tester: listing the sets, reading one into
// DATA.WK, deleting one or all, and writing reference value files into the tester. The callers open the link
// (ConnectTester) and close it; the link shows its own messages for transport failures, and every result here
// tells the caller what to show beyond them (texts in ReferenceTexts.h).
#pragma once

#include "reference/ReferenceFiles.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vanto {

class TesterLink;

// The running tester application supports reference values: bit 31 of the capability word.
bool SupportsReferenceValues(const TesterLink& link);

struct ReferenceList {
    bool Received = false;            // false: the exchange failed, the caller keeps the list it had
    std::vector<std::string> Entries; // names as bytes, in the tester's order; position = set number
};
ReferenceList ListReferenceSets(TesterLink& link);

enum class ReadOutcome {
    Read,            // both texts read and in DATA.WK
    DataPassFailed,  // the description exchange failed; nothing was stored
    ValuePassFailed, // the description was read and stored, the values exchange failed
    WorkFileFailed,  // DATA.WK could not be written (WorkFileFailedText)
};
struct ReferenceRead {
    ReadOutcome Outcome = ReadOutcome::DataPassFailed;
    std::optional<ReferenceInfo> Info; // from the description text, when its exchange succeeded
    // Only a set read whole may be saved: after a failed pass DATA.WK holds a mix of two sets.
    bool SaveArmed() const { return Outcome == ReadOutcome::Read; }
};
// Reads set `setNumber` in two passes (description, then values), stopping at the first failed exchange;
// each successful pass stores its text in DATA.WK in the program's folder.
ReferenceRead ReadReferenceSet(TesterLink& link, const std::string& exeDir, int setNumber);

// True when the tester took the command and answered without refusal.
bool DeleteReferenceSet(TesterLink& link, int setNumber);
bool DeleteAllReferenceSets(TesterLink& link);

enum class WriteStop {
    AllWritten,
    FileUnreadable, // a file no longer reads as valid, or its command could not be sent (FileUnreadableText)
    Refused,        // the tester refused the set: area full or write error (AreaFullText)
    NoAnswer,       // no valid answer (NoAnswerText)
};
struct ReferenceWrite {
    WriteStop Stop = WriteStop::AllWritten;
    std::size_t Written = 0; // files written before the stop; the file at this position stopped the run
};
// The message for a stop other than AllWritten (the caller shows WriteCompleteText for that).
const char* WriteStopText(WriteStop stop);

// Called before each file's exchange with the files already written (k) and the number of files (n).
using WriteProgress = std::function<void(std::size_t k, std::size_t n)>;
using Sleeper = std::function<void(int ms)>;
// Writes the files in order, one set each, pausing 80 ms between files (through `sleep`, real sleeping when
// empty). Each file's description line is read again when its turn comes: a file that is no longer valid stops
// the run rather than sending an empty set. The first failure stops the run; the sets sent before it stay in the
// tester. The link counts as consumed afterwards (LinkOpen cleared); the caller closes it.
ReferenceWrite WriteReferenceFiles(TesterLink& link, const std::vector<std::string>& paths,
                                   const WriteProgress& progress = {}, const Sleeper& sleep = {});

} // namespace vanto
