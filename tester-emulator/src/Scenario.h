// What the emulated tester holds and how it behaves, read from a scenario file (JSON, see README.md).
#pragma once

#include "Bytes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace emu {

struct StoredRecord {
    Bytes entry; // 3 bytes: kind letter, type letter, record digit
    Bytes data;
};

// A reference-value set as the tester keeps it: the list name, the description text (8-byte header,
// 216-byte description record, measurements) and the converted values text.
struct ReferenceSet {
    Bytes name;
    Bytes data;
    Bytes values;
};

inline constexpr std::size_t kSetHeaderSize = 8;
inline constexpr std::size_t kSetInfoSize = 216;
inline constexpr std::size_t kNameSlot = 80;

struct ContinuousRecord {
    long long first = 1;            // record number of rows[0]
    std::vector<Bytes> headerRows;  // each row's fields joined by ",", without the ";"
    std::optional<Bytes> itemData;  // exact answer to DG "ITEM" instead of headerRows
    std::vector<Bytes> rows;        // each record's fields joined by ",", without the ";"
    std::optional<Bytes> rangeData; // exact answer to CD instead of "MIN=..,MAX=..,"
    bool endWithCr = true;          // a record answer ends with CR
    long long generatedRows = 0;    // "generate": rows made when asked for, instead of `rows`
    int generatedColumns = 0;

    // The number of records and record `index` (0 for the first), whether listed or generated.
    long long RowCount() const;
    Bytes Row(long long index) const;
};

// The header rows of a generated series of `columns` columns: "No.,項目1,項目2,…" and ",単位1,単位2,…".
std::vector<Bytes> GeneratedHeaderRows(int columns);

enum class FaultAction { Error, ByteFF, Truncate, UnplugInRead, Delay };

// A fault applied to the exchanges it matches: all given conditions must hold.
struct FaultRule {
    std::string command; // two letters; empty matches any
    int nth = 0;         // the nth exchange with that command (1-based); 0 = every one
    int exchange = 0;    // the nth exchange since USBQK_Open (1-based); 0 = any
    FaultAction action = FaultAction::Error;
    std::string status = "A00F"; // Error
    long offset = 0;             // ByteFF: frame offset, negative counts from the frame's end
    bool lastData = false;       // ByteFF: the last data byte instead of offset
    std::size_t bytes = 0;       // Truncate: bytes actually sent
    int ms = 0;                  // Delay
};

struct Scenario {
    bool attached = true;
    bool online = true;
    int onlineAfterMs = 0;
    bool downloadMode = false;
    std::string openingStatus = "0000";
    std::vector<std::pair<std::string, Bytes>> openingItems;
    std::optional<Bytes> openingData;
    std::vector<StoredRecord> records;
    std::size_t capacity = 20;
    std::vector<ReferenceSet> sets;
    ContinuousRecord continuous;
    int delayMs = 0;
    int unplugAfter = -1; // exchanges after which the tester is unplugged; -1 never
    std::vector<FaultRule> rules;
};

// Parses a scenario; on failure returns nothing and says why in `error` (with the JSON path).
std::optional<Scenario> ParseScenario(const std::string& text, std::string& error);

// The list name a tester gives a set: vehicle name, type code and engine type of its description, without
// their padding, joined by one space; the header when those are all empty. At most one 80-byte slot.
Bytes DeriveSetName(const Bytes& data);

} // namespace emu
