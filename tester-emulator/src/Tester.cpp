#include "Tester.h"

#include <charconv>

namespace emu {
namespace {

Answer Ok(Bytes data = {}) {
    return {kStatusOk, std::move(data)};
}
Answer Refuse(const char* status) {
    return {status, {}};
}

bool IsSetHeader(std::string_view header) {
    for (char c : header) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'E'))) {
            return false;
        }
    }
    return true;
}

// A decimal number as the program writes one: digits only, no sign, no leading zero.
std::optional<long long> ParseDecimal(std::string_view text) {
    if (text.empty() || text.size() > 12 || (text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The same, allowing a minus sign (record numbers of a continuous record).
std::optional<long long> ParseSigned(std::string_view text) {
    if (!text.empty() && text[0] == '-') {
        auto v = ParseDecimal(text.substr(1));
        if (!v || *v == 0) {
            return std::nullopt;
        }
        return -*v;
    }
    return ParseDecimal(text);
}

} // namespace

void ReferenceStore::Adopt(const std::string& fingerprint, const Scenario& scenario) {
    std::lock_guard lock(mutex);
    if (adopted_ && fingerprint == fingerprint_) {
        return;
    }
    adopted_ = true;
    fingerprint_ = fingerprint;
    sets = scenario.sets;
    known = scenario.sets;
    capacity = scenario.capacity;
}

Answer Tester::Run(const CommandFrame& frame) {
    const std::string& c = frame.letters;
    const bool known = c == "AA" || c == "AB" || c == "CB" || c == "DA" || c == "DC" || c == "DD" || c == "DE" ||
                       c == "DF" || c == "CD" || c == "DG";
    if (!known) {
        return Refuse(kStatusUnknownCommand);
    }
    const bool noData = c == "AA" || c == "AB" || c == "CB" || c == "DC" || c == "CD";
    if (scenario_->downloadMode) {
        if (c == "AA") {
            return Open();
        }
        return c == "AB" ? Answer{kStatusDownload, {}} : Refuse(kStatusNotOnline);
    }
    if (noData && !frame.data.empty()) {
        return Refuse(kStatusBadData);
    }
    if (c == "AA") {
        return Open();
    }
    if (c == "AB") {
        return Ok();
    }
    if (c == "CB") {
        Bytes directory;
        for (const auto& r : scenario_->records) {
            directory += r.entry;
        }
        return Ok(directory);
    }
    if (c == "DA") {
        return ReadRecord(frame.data);
    }
    if (c == "DC") {
        return ListSets();
    }
    if (c == "DD") {
        return DeleteSet(frame.data);
    }
    if (c == "DE") {
        return WriteSet(frame.data);
    }
    if (c == "DF") {
        return ReadSet(frame.data);
    }
    if (c == "CD") {
        return ContinuousRange();
    }
    return ContinuousData(frame.data);
}

// Comma-terminated key=value items, so that every value ends at a comma wherever the reader looks.
Answer Tester::Open() const {
    const Scenario& s = *scenario_;
    Bytes data;
    if (s.openingData) {
        data = *s.openingData;
    } else {
        for (const auto& [key, value] : s.openingItems) {
            if (s.downloadMode && (key == "APP_V" || key == "APP_LOG")) {
                continue; // no application runs in download mode
            }
            data += key + "=" + value + ",";
        }
    }
    return {s.downloadMode ? kStatusDownload : s.openingStatus, data};
}

Answer Tester::ReadRecord(const Bytes& data) const {
    if (data.size() != 3) {
        return Refuse(kStatusBadData);
    }
    for (const auto& r : scenario_->records) {
        if (r.entry == data) {
            return Ok(r.data);
        }
    }
    return Refuse(kStatusBadData);
}

Answer Tester::ListSets() const {
    std::lock_guard lock(store_->mutex);
    Bytes slots;
    for (const auto& set : store_->sets) {
        Bytes name = CutSjis(set.name, kNameSlot);
        slots += name + Bytes(kNameSlot - name.size(), '\0');
    }
    return Ok(slots);
}

Answer Tester::DeleteSet(const Bytes& data) {
    std::lock_guard lock(store_->mutex);
    if (data == "ALL") {
        store_->sets.clear();
        return Ok();
    }
    auto index = ParseDecimal(data);
    if (!index || *index >= static_cast<long long>(store_->sets.size())) {
        return Refuse(kStatusBadData);
    }
    store_->sets.erase(store_->sets.begin() + *index);
    return Ok();
}

// The program sends the description text as it stands in its file line, line feed included; the tester keeps
// the text without that line end.
Answer Tester::WriteSet(const Bytes& data) {
    Bytes text = data;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    if (text.size() < kSetHeaderSize + kSetInfoSize || !IsSetHeader(std::string_view(text).substr(0, 8))) {
        return Refuse(kStatusBadData);
    }
    std::lock_guard lock(store_->mutex);
    if (store_->sets.size() >= store_->capacity) {
        return Refuse(kStatusFull);
    }
    ReferenceSet set;
    set.data = text;
    set.name = DeriveSetName(text);
    // The converted values belong to the measurements, which follow the description: a set the tester
    // already knew with the same measurements gives its values; otherwise the measurements are the values.
    Bytes measurements = text.substr(kSetHeaderSize + kSetInfoSize);
    bool found = false;
    if (!measurements.empty()) {
        for (const auto& k : store_->known) {
            if (k.data.size() >= kSetHeaderSize + kSetInfoSize &&
                k.data.compare(kSetHeaderSize + kSetInfoSize, Bytes::npos, measurements) == 0) {
                set.values = k.values;
                found = true;
                break;
            }
        }
        if (!found) {
            set.values = measurements.back() == ',' ? measurements : measurements + ",";
        }
    }
    store_->sets.push_back(set);
    store_->known.push_back(std::move(set));
    return Ok();
}

Answer Tester::ReadSet(const Bytes& data) const {
    std::string_view d(data);
    bool wantData = d.size() == 9 && d.substr(4) == std::string_view("DATA\0", 5);
    bool wantValue = d.size() == 10 && d.substr(4) == std::string_view("VALUE\0", 6);
    auto index = d.size() >= 4 ? ParseHex(d.substr(0, 4)) : std::nullopt;
    if (!index || (!wantData && !wantValue)) {
        return Refuse(kStatusBadData);
    }
    std::lock_guard lock(store_->mutex);
    if (*index >= store_->sets.size()) {
        return Refuse(kStatusBadData);
    }
    const ReferenceSet& set = store_->sets[*index];
    return Ok(wantData ? set.data : set.values);
}

Answer Tester::ContinuousRange() const {
    const ContinuousRecord& c = scenario_->continuous;
    if (c.rangeData) {
        return Ok(*c.rangeData);
    }
    long long last = c.first + c.RowCount() - 1;
    return Ok("MIN=" + std::to_string(c.first) + ",MAX=" + std::to_string(last) + ",");
}

Answer Tester::ContinuousData(const Bytes& data) const {
    const ContinuousRecord& c = scenario_->continuous;
    if (data == "ITEM") {
        if (c.itemData) {
            return Ok(*c.itemData);
        }
        Bytes items;
        for (const auto& row : c.headerRows) {
            items += row + ";";
        }
        return Ok(items);
    }
    // "MIN=first,MAX=last": the records first to last, which must lie within what the tester holds.
    std::string_view d(data);
    auto comma = d.find(",MAX=");
    if (!d.starts_with("MIN=") || comma == std::string_view::npos) {
        return Refuse(kStatusBadData);
    }
    auto from = ParseSigned(d.substr(4, comma - 4));
    auto to = ParseSigned(d.substr(comma + 5));
    long long last = c.first + c.RowCount() - 1;
    if (!from || !to || *from > *to || *from < c.first || *to > last) {
        return Refuse(kStatusBadData);
    }
    // Rows are made only as far as one frame can carry them; a longer answer is refused as too long anyway.
    Bytes rows;
    for (long long n = *from; n <= *to && rows.size() <= kMaxFrame; ++n) {
        rows += c.Row(n - c.first) + ";";
    }
    if (c.endWithCr) {
        rows += '\r';
    }
    return Ok(rows);
}

} // namespace emu
