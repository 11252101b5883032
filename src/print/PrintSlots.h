// The four item slots of the result sheet: which stored record of the vehicle each prints and which of its lines.
//
// Slots are numbered 0 to 3 for the sheet's slots 1 to 4 (top left, top right, bottom left, bottom right). The print
// setup form shows this model: choosers, count labels and the item selection dialog read it and report the user's
// actions to it. Record lines are read from the vehicle's record files; a record that cannot be read never
// leaves a half-printed page: Resolve() says which before anything is drawn.
#pragma once

#include "print/SheetLayout.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vanto {

// A slot holds at most this many chosen lines; a larger choice is cut here.
inline constexpr int MaxSlotLines = 639;
inline constexpr const char* SlotCountLabelPrefix = "選択印刷項目数 ";

// The lines of a stored record; nothing when its file is missing or cannot be read, or the name is no file name.
std::optional<std::vector<std::string>> ReadPrintRecord(const std::string& vehicleFolder,
                                                        const std::string& recordName);

// The default choice with N: N > 0 the first N lines (fewer when the record is shorter); otherwise none (N = 0
// takes the lines checked in a freshly read list, which are none).
std::vector<int> DefaultChoice(int lineCount, int n);

// The choice after the item dialog's OK: every checked line in list order, cut at MaxSlotLines.
std::vector<int> ChoiceFromChecks(const std::vector<bool>& checked);

// "選択印刷項目数 " followed by the count.
std::string SlotCountLabel(int count);

// The message the print setup shows when a record cannot be printed; nothing is printed then.
std::string UnreadableRecordMessage(const std::string& recordName);

enum class RecordChange {
    Kept,       // the slot's own record chosen again: its choice stays
    Chosen,     // the new record's default choice was made
    Unreadable, // the new record cannot be read: the slot keeps its previous choice
};

// What the item selection dialog shows for a slot.
struct ItemChoice {
    std::vector<std::string> Lines;
    std::vector<bool> Checked;
};

struct ChoiceResult {
    int Count = 0;
    bool Cut = false; // more than MaxSlotLines lines were checked
};

struct SlotProblem {
    int Slot = 0; // 0 to 3
    std::string RecordName;
};

struct ResolvedSlots {
    std::array<SlotPrint, PrintSlotCount> Slots;
    // The first slot whose record is missing or shorter than a chosen line; print nothing then.
    std::optional<SlotProblem> Problem;
};

class PrintSlots {
public:
    // At form show: clears all four slots, linesPerColumn = 15, the choosers list the vehicle's records (the
    // monitor index, oldest first); with records every slot takes the first one and its default choice.
    void Fill(const std::string& vehicleFolder, const std::vector<std::string>& records);

    const std::vector<std::string>& Records() const { return records_; }
    const std::string& VehicleFolder() const { return vehicleFolder_; }

    int LinesPerColumn() const { return linesPerColumn_; }
    // Set from the measuring pass: LinesPerColumn(V, LH).
    void SetLinesPerColumn(int lines) { linesPerColumn_ = lines; }

    // The chooser's current item, -1 for none; its text ("" for none).
    int RecordIndex(int slot) const;
    std::string RecordName(int slot) const;
    int Count(int slot) const;
    std::vector<int> ChosenLines(int slot) const;
    std::string CountLabel(int slot) const { return SlotCountLabel(Count(slot)); }

    // The slot's chooser now shows record `recordIndex`. Choosing the record the slot already has keeps the
    // user's choice; another record gets the default choice with N = linesPerColumn.
    RecordChange ChangeRecord(int slot, int recordIndex);

    // The dialog's list: the slot's record, its chosen lines checked. Nothing when there is no record or it
    // cannot be read (the slot is unchanged).
    std::optional<ItemChoice> OpenChoice(int slot) const;
    // The dialog's OK with the list's checks.
    ChoiceResult ApplyChoice(int slot, const std::vector<bool>& checked);

    // Reads the four slots' chosen lines for printing.
    ResolvedSlots Resolve() const;
    // The record at `recordIndex` with all its lines, for the data print; nothing when it cannot be read.
    std::optional<SlotPrint> DataPrint(int recordIndex) const;

private:
    struct Slot {
        int Record = -1;
        std::vector<int> Lines;
    };
    const Slot* Find(int slot) const;
    Slot* Find(int slot);
    std::string NameOf(int recordIndex) const;

    std::string vehicleFolder_;
    std::vector<std::string> records_;
    std::array<Slot, PrintSlotCount> slots_;
    int linesPerColumn_ = DefaultLinesPerColumn;
};

} // namespace vanto
