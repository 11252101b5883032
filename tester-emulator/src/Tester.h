// The tester's command set: what it answers to each well-formed command frame.
#pragma once

#include "Frame.h"
#include "Scenario.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace emu {

// Answer status texts. Every refusal starts with "A00", which is what the program checks; the fourth
// character says why (see README.md).
inline constexpr const char* kStatusOk = "0000";
inline constexpr const char* kStatusDownload = "N000";       // the main menu is in download (waiting) mode
inline constexpr const char* kStatusBadStart = "A001";       // frame start byte is not STX
inline constexpr const char* kStatusBadLength = "A002";      // length digits, frame size or announce wrong
inline constexpr const char* kStatusBadChecksum = "A003";    // checksum characters wrong
inline constexpr const char* kStatusBadEnd = "A004";         // frame does not end with CR LF
inline constexpr const char* kStatusUnknownCommand = "A005"; // letters not in the command set
inline constexpr const char* kStatusBadData = "A006";        // data not acceptable for the command
inline constexpr const char* kStatusFull = "A007";           // reference area full
inline constexpr const char* kStatusTooLong = "A008";        // the answer would not fit one frame
inline constexpr const char* kStatusNotOnline = "A009";      // command not available in download mode

struct Answer {
    std::string status;
    Bytes data;
};

// The reference-value sets in the tester's memory. They outlive a device: changes the program makes last for
// the library's lifetime and survive re-reading the same scenario at the next open.
class ReferenceStore {
public:
    // Takes the scenario's sets unless the same scenario text (`fingerprint`) was taken before.
    void Adopt(const std::string& fingerprint, const Scenario& scenario);

    std::mutex mutex;
    std::vector<ReferenceSet> sets;
    std::vector<ReferenceSet> known; // every set the tester ever held, to find the values of a written set
    std::size_t capacity = 0;

private:
    std::string fingerprint_;
    bool adopted_ = false;
};

class Tester {
public:
    Tester(std::shared_ptr<const Scenario> scenario, std::shared_ptr<ReferenceStore> store)
        : scenario_(std::move(scenario)), store_(std::move(store)) {}

    Answer Run(const CommandFrame& frame);

private:
    Answer Open() const;
    Answer ReadRecord(const Bytes& data) const;
    Answer ListSets() const;
    Answer DeleteSet(const Bytes& data);
    Answer WriteSet(const Bytes& data);
    Answer ReadSet(const Bytes& data) const;
    Answer ContinuousRange() const;
    Answer ContinuousData(const Bytes& data) const;

    std::shared_ptr<const Scenario> scenario_;
    std::shared_ptr<ReferenceStore> store_;
};

} // namespace emu
