// Downloading the tester's continuous record (job 4 of the wait dialog) on an open link: the range, the header
// rows, then the records block by block.
#pragma once

#include "continuous/ContinuousRecord.h"
#include "continuous/ContinuousTable.h"

#include <cstdint>
#include <functional>

namespace vanto {

class TesterLink;

enum class ContinuousResult {
    Done,              // every request answered: the table holds the series
    SomeRequestFailed, // the table holds the blocks that arrived; ContinuousCommunicationFailedText is shown
    NoRecord,          // no MIN or MAX, or MIN above MAX: the table is unchanged; ContinuousNoRecordText is shown
    StartFailed,       // the range or the header request failed: the table is unchanged;
                       // ContinuousCommunicationFailedText is shown
};

struct ContinuousDownload {
    ContinuousResult result = ContinuousResult::StartFailed;
    int64_t requests = 0;       // record requests sent
    int64_t failedRequests = 0; // of those, the ones that brought nothing
    bool linkLost = false;      // the tester stopped answering (unplugged): the remaining blocks were not asked for
};

// Bit 31 of AppLog: the tester's running application can give continuous records. Without it the form shows
// ContinuousCapabilityText and closes the link.
constexpr bool SupportsContinuousRecords(uint32_t appLog) {
    return (appLog & 0x8000'0000u) != 0;
}

// The message the form shows once the download has ended, or nullptr.
const char* ContinuousResultMessage(ContinuousResult result);
// True when the download filled the table anew (the save button may then be used).
constexpr bool ContinuousTableFilled(ContinuousResult result) {
    return result == ContinuousResult::Done || result == ContinuousResult::SomeRequestFailed;
}

// Called before each records request with the block about to be read (1-based) and the number of blocks, so the
// wait dialog can show "ただいま通信中です。しばらくお待ちください。 k / n" and repaint.
using ContinuousProgress = std::function<void(int64_t block, int64_t blocks)>;

// Runs the download on the open link. The table is replaced only when the header rows arrived; a record request
// that fails loses its own block, later blocks still fill the rows in order, and the result reports the failure.
// When the tester stops answering altogether the download ends there (every further request would only fail
// with its own message).
ContinuousDownload DownloadContinuous(TesterLink& link, ContinuousTable& table,
                                      const ContinuousProgress& progress = {});

} // namespace vanto
