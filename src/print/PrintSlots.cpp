#include "print/PrintSlots.h"

#include "common/Paths.h"
#include "common/TextFile.h"
#include "register/MonitorFiles.h"
#include "register/VehicleFolder.h"

#include <algorithm>

namespace vanto {

std::optional<std::vector<std::string>> ReadPrintRecord(const std::string& vehicleFolder,
                                                        const std::string& recordName) {
    // Unlike the record list of the vehicle form, printing must tell a missing record from an empty one.
    if (vehicleFolder.empty() || !IsRecordTitleUsable(recordName)) {
        return std::nullopt;
    }
    return ReadSjisLinesForDisplay(PathFromUtf8(VehicleFolder(vehicleFolder).RecordFile(recordName)));
}

std::vector<int> DefaultChoice(int lineCount, int n) {
    std::vector<int> lines;
    const int chosen = std::min({n, lineCount, MaxSlotLines});
    for (int i = 0; i < chosen; ++i) {
        lines.push_back(i);
    }
    return lines;
}

std::vector<int> ChoiceFromChecks(const std::vector<bool>& checked) {
    std::vector<int> lines;
    for (std::size_t i = 0; i < checked.size() && lines.size() < static_cast<std::size_t>(MaxSlotLines); ++i) {
        if (checked[i]) {
            lines.push_back(static_cast<int>(i));
        }
    }
    return lines;
}

std::string SlotCountLabel(int count) {
    return SlotCountLabelPrefix + std::to_string(count);
}

std::string UnreadableRecordMessage(const std::string& recordName) {
    return "データ「" + recordName + "」が読み込めない為、印刷できません。\n\n" +
           "データが削除されていないか、印刷項目の選択を確認して下さい。";
}

void PrintSlots::Fill(const std::string& vehicleFolder, const std::vector<std::string>& records) {
    vehicleFolder_ = vehicleFolder;
    records_ = records;
    slots_ = {};
    linesPerColumn_ = DefaultLinesPerColumn;
    if (records_.empty()) {
        return;
    }
    // Every slot starts on the first record; when it is missing the slots stay empty.
    const auto lines = ReadPrintRecord(vehicleFolder_, records_[0]);
    for (Slot& slot : slots_) {
        slot.Record = 0;
        if (lines) {
            slot.Lines = DefaultChoice(static_cast<int>(lines->size()), linesPerColumn_);
        }
    }
}

const PrintSlots::Slot* PrintSlots::Find(int slot) const {
    return slot >= 0 && slot < PrintSlotCount ? &slots_[static_cast<std::size_t>(slot)] : nullptr;
}

PrintSlots::Slot* PrintSlots::Find(int slot) {
    return slot >= 0 && slot < PrintSlotCount ? &slots_[static_cast<std::size_t>(slot)] : nullptr;
}

std::string PrintSlots::NameOf(int recordIndex) const {
    return recordIndex >= 0 && static_cast<std::size_t>(recordIndex) < records_.size()
               ? records_[static_cast<std::size_t>(recordIndex)]
               : std::string{};
}

int PrintSlots::RecordIndex(int slot) const {
    const Slot* s = Find(slot);
    return s ? s->Record : -1;
}

std::string PrintSlots::RecordName(int slot) const {
    return NameOf(RecordIndex(slot));
}

int PrintSlots::Count(int slot) const {
    const Slot* s = Find(slot);
    return s ? static_cast<int>(s->Lines.size()) : 0;
}

std::vector<int> PrintSlots::ChosenLines(int slot) const {
    const Slot* s = Find(slot);
    return s ? s->Lines : std::vector<int>{};
}

RecordChange PrintSlots::ChangeRecord(int slot, int recordIndex) {
    Slot* s = Find(slot);
    // Compared with the slot's own record, not with one index remembered for all four choosers: a chooser changed
    // from the keyboard after another one was dropped down must still get the new record's lines.
    if (!s || recordIndex == s->Record) {
        return RecordChange::Kept;
    }
    if (recordIndex < 0 || static_cast<std::size_t>(recordIndex) >= records_.size()) {
        return RecordChange::Unreadable;
    }
    s->Record = recordIndex;
    const auto lines = ReadPrintRecord(vehicleFolder_, NameOf(recordIndex));
    if (!lines) {
        return RecordChange::Unreadable;
    }
    s->Lines = DefaultChoice(static_cast<int>(lines->size()), linesPerColumn_);
    return RecordChange::Chosen;
}

std::optional<ItemChoice> PrintSlots::OpenChoice(int slot) const {
    const Slot* s = Find(slot);
    auto lines = s ? ReadPrintRecord(vehicleFolder_, NameOf(s->Record)) : std::nullopt;
    if (!lines) {
        return std::nullopt;
    }
    ItemChoice choice{std::move(*lines), {}};
    choice.Checked.assign(choice.Lines.size(), false);
    for (const int line : s->Lines) {
        if (line >= 0 && static_cast<std::size_t>(line) < choice.Checked.size()) {
            choice.Checked[static_cast<std::size_t>(line)] = true;
        }
    }
    return choice;
}

ChoiceResult PrintSlots::ApplyChoice(int slot, const std::vector<bool>& checked) {
    Slot* s = Find(slot);
    if (!s || s->Record < 0) {
        return {};
    }
    s->Lines = ChoiceFromChecks(checked);
    const auto all = std::count(checked.begin(), checked.end(), true);
    return {static_cast<int>(s->Lines.size()), all > MaxSlotLines};
}

ResolvedSlots PrintSlots::Resolve() const {
    ResolvedSlots resolved;
    for (int k = 0; k < PrintSlotCount; ++k) {
        const Slot& s = slots_[static_cast<std::size_t>(k)];
        SlotPrint& out = resolved.Slots[static_cast<std::size_t>(k)];
        out.RecordName = NameOf(s.Record);
        if (s.Lines.empty()) {
            continue;
        }
        const auto lines = ReadPrintRecord(vehicleFolder_, out.RecordName);
        const bool complete = lines && std::all_of(s.Lines.begin(), s.Lines.end(), [&](int line) {
                                  return line >= 0 && static_cast<std::size_t>(line) < lines->size();
                              });
        if (!complete) {
            if (!resolved.Problem) {
                resolved.Problem = SlotProblem{k, out.RecordName};
            }
            continue;
        }
        for (const int line : s.Lines) {
            out.Lines.push_back((*lines)[static_cast<std::size_t>(line)]);
        }
    }
    return resolved;
}

std::optional<SlotPrint> PrintSlots::DataPrint(int recordIndex) const {
    const std::string name = NameOf(recordIndex);
    auto lines = ReadPrintRecord(vehicleFolder_, name);
    if (!lines) {
        return std::nullopt;
    }
    return SlotPrint{name, std::move(*lines)};
}

} // namespace vanto
