#include "Scenario.h"

#include <nlohmann/json.hpp>

#include <set>
#include <stdexcept>

namespace emu {
namespace {

using Json = nlohmann::ordered_json;

struct SchemaError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw SchemaError((path.empty() ? std::string("scenario") : path) + ": " + what);
}

// An object whose keys are checked: every key must be read, except comments (keys starting with "_").
class Object {
public:
    Object(const Json& json, std::string path) : json_(json), path_(std::move(path)) {
        if (!json.is_object()) {
            Fail(path_, "must be an object");
        }
    }
    const Json* Get(const char* key) {
        used_.insert(key);
        auto it = json_.find(key);
        return it == json_.end() ? nullptr : &*it;
    }
    std::string Path(const char* key) const { return path_.empty() ? key : path_ + "." + key; }
    std::string Where() const { return path_; }
    void Finish() const {
        for (auto it = json_.begin(); it != json_.end(); ++it) {
            if (!it.key().starts_with("_") && !used_.count(it.key())) {
                Fail(path_, "unknown key \"" + it.key() + "\"");
            }
        }
    }
    bool Bool(const char* key, bool fallback) {
        const Json* v = Get(key);
        if (!v) {
            return fallback;
        }
        if (!v->is_boolean()) {
            Fail(Path(key), "must be true or false");
        }
        return v->get<bool>();
    }
    long long Integer(const char* key, long long fallback, long long min, long long max) {
        const Json* v = Get(key);
        if (!v) {
            return fallback;
        }
        if (!v->is_number_integer()) {
            Fail(Path(key), "must be an integer");
        }
        auto n = v->get<long long>();
        if (n < min || n > max) {
            Fail(Path(key), "must be between " + std::to_string(min) + " and " + std::to_string(max));
        }
        return n;
    }
    std::string Ascii(const char* key, const std::string& fallback) {
        const Json* v = Get(key);
        if (!v) {
            return fallback;
        }
        if (!v->is_string()) {
            Fail(Path(key), "must be a string");
        }
        return v->get<std::string>();
    }

private:
    const Json& json_;
    std::string path_;
    std::set<std::string> used_;
};

// A text value: a JSON string is UTF-8 and goes out as Shift-JIS; {"hex": "82 A0"} gives exact bytes.
Bytes ReadBytes(const Json& v, const std::string& path) {
    if (v.is_string()) {
        auto sjis = ToCp932(v.get<std::string>());
        if (!sjis) {
            Fail(path, "has a character that Shift-JIS (CP932) cannot store");
        }
        return *sjis;
    }
    if (v.is_object()) {
        Object o(v, path);
        const Json* hex = o.Get("hex");
        o.Finish();
        if (!hex || !hex->is_string()) {
            Fail(path, "must be a string or {\"hex\": \"...\"}");
        }
        auto bytes = FromHex(hex->get<std::string>());
        if (!bytes) {
            Fail(path + ".hex", "must be pairs of hexadecimal digits");
        }
        return *bytes;
    }
    Fail(path, "must be a string or {\"hex\": \"...\"}");
}

// A list of texts joined by ","; `terminated` puts a "," after every item instead of between them.
Bytes ReadList(const Json& v, const std::string& path, bool terminated) {
    if (!v.is_array()) {
        return ReadBytes(v, path);
    }
    Bytes out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (i > 0 && !terminated) {
            out += ',';
        }
        out += ReadBytes(v[i], path + "[" + std::to_string(i) + "]");
        if (terminated) {
            out += ',';
        }
    }
    return out;
}

const Json& Array(const Json* v, const std::string& path) {
    if (!v->is_array()) {
        Fail(path, "must be an array");
    }
    return *v;
}

void ReadOpening(Object o, Scenario& s) {
    s.openingStatus = o.Ascii("status", s.openingStatus);
    if (s.openingStatus.size() != 4) {
        Fail(o.Path("status"), "must have 4 characters");
    }
    if (const Json* items = o.Get("items")) {
        Object io(*items, o.Path("items"));
        s.openingItems.clear();
        for (auto it = items->begin(); it != items->end(); ++it) {
            if (it.key().starts_with("_")) {
                continue;
            }
            io.Get(it.key().c_str());
            if (it.value().is_null()) {
                continue;
            }
            s.openingItems.emplace_back(it.key(), ReadBytes(it.value(), io.Path(it.key().c_str())));
        }
    }
    if (const Json* data = o.Get("data")) {
        s.openingData = ReadBytes(*data, o.Path("data"));
    }
    o.Finish();
}

void ReadRecords(const Json& list, const std::string& path, Scenario& s) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        Object o(list[i], path + "[" + std::to_string(i) + "]");
        StoredRecord r;
        const Json* entry = o.Get("entry");
        if (!entry) {
            Fail(o.Path("entry"), "is missing");
        }
        r.entry = ReadBytes(*entry, o.Path("entry"));
        if (r.entry.size() != 3) {
            Fail(o.Path("entry"), "must be 3 bytes");
        }
        const Json* values = o.Get("values");
        const Json* data = o.Get("data");
        if (values && data) {
            Fail(o.Where(), "has both \"values\" and \"data\"");
        }
        if (values) {
            r.data = ReadList(Array(values, o.Path("values")), o.Path("values"), false);
        } else if (data) {
            r.data = ReadBytes(*data, o.Path("data"));
        }
        o.Finish();
        s.records.push_back(std::move(r));
    }
}

Bytes ReadInfo(Object o) {
    static const struct {
        const char* key;
        std::size_t width;
    } fields[] = {{"vehicle", 20}, {"type", 20}, {"engine", 20}, {"year", 20}, {"mileage", 8}, {"comment", 128}};
    Bytes info;
    for (const auto& f : fields) {
        Bytes text;
        if (const Json* v = o.Get(f.key)) {
            text = CutSjis(ReadBytes(*v, o.Path(f.key)), f.width);
        }
        info += text + Bytes(f.width - text.size(), ' ');
    }
    o.Finish();
    return info;
}

ReferenceSet ReadSet(Object o) {
    ReferenceSet set;
    const Json* data = o.Get("data");
    const Json* header = o.Get("header");
    const Json* info = o.Get("info");
    const Json* payload = o.Get("payload");
    if (data && (header || info || payload)) {
        Fail(o.Where(), "has \"data\" and also \"header\", \"info\" or \"payload\"");
    }
    if (data) {
        set.data = ReadBytes(*data, o.Path("data"));
    } else {
        Bytes head = header ? ReadBytes(*header, o.Path("header")) : Bytes("00000000");
        if (head.size() != kSetHeaderSize) {
            Fail(o.Path("header"), "must be 8 bytes");
        }
        set.data = head + (info ? ReadInfo(Object(*info, o.Path("info"))) : Bytes(kSetInfoSize, ' ')) +
                   (payload ? ReadBytes(*payload, o.Path("payload")) : Bytes());
    }
    if (const Json* values = o.Get("values")) {
        set.values = ReadList(*values, o.Path("values"), true);
    }
    const Json* name = o.Get("name");
    set.name = name ? CutSjis(ReadBytes(*name, o.Path("name")), kNameSlot) : DeriveSetName(set.data);
    o.Finish();
    return set;
}

void ReadReference(Object o, Scenario& s) {
    s.capacity = static_cast<std::size_t>(o.Integer("capacity", static_cast<long long>(s.capacity), 0, 100000));
    if (const Json* sets = o.Get("sets")) {
        const Json& list = Array(sets, o.Path("sets"));
        for (std::size_t i = 0; i < list.size(); ++i) {
            s.sets.push_back(ReadSet(Object(list[i], o.Path("sets") + "[" + std::to_string(i) + "]")));
        }
    }
    o.Finish();
}

void ReadContinuous(Object o, Scenario& s) {
    ContinuousRecord& c = s.continuous;
    c.first = o.Integer("first", 1, -1000000000LL, 1000000000LL);
    if (const Json* items = o.Get("items")) {
        const Json& rows = Array(items, o.Path("items"));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            c.headerRows.push_back(ReadList(rows[i], o.Path("items") + "[" + std::to_string(i) + "]", false));
        }
    }
    if (const Json* itemData = o.Get("item_data")) {
        c.itemData = ReadBytes(*itemData, o.Path("item_data"));
    }
    if (const Json* rows = o.Get("rows")) {
        const Json& list = Array(rows, o.Path("rows"));
        for (std::size_t i = 0; i < list.size(); ++i) {
            c.rows.push_back(ReadList(list[i], o.Path("rows") + "[" + std::to_string(i) + "]", false));
        }
    }
    if (const Json* range = o.Get("range_data")) {
        c.rangeData = ReadBytes(*range, o.Path("range_data"));
    }
    c.endWithCr = o.Bool("end_with_cr", true);
    if (const Json* generate = o.Get("generate")) {
        if (!c.rows.empty()) {
            Fail(o.Where(), "has both \"rows\" and \"generate\"");
        }
        Object g(*generate, o.Path("generate"));
        c.generatedRows = g.Integer("rows", 0, 0, 100000000LL);
        c.generatedColumns = static_cast<int>(g.Integer("columns", 8, 1, 1000));
        g.Finish();
        if (c.headerRows.empty()) {
            c.headerRows = GeneratedHeaderRows(c.generatedColumns);
        }
    }
    o.Finish();
}

FaultRule ReadRule(Object o) {
    FaultRule r;
    static const std::pair<const char*, FaultAction> actions[] = {{"error", FaultAction::Error},
                                                                  {"byte_ff", FaultAction::ByteFF},
                                                                  {"truncate", FaultAction::Truncate},
                                                                  {"unplug_in_read", FaultAction::UnplugInRead},
                                                                  {"delay", FaultAction::Delay}};
    std::string action = o.Ascii("action", "");
    bool known = false;
    for (const auto& [name, value] : actions) {
        if (action == name) {
            r.action = value;
            known = true;
        }
    }
    if (!known) {
        Fail(o.Path("action"), "must be error, byte_ff, truncate, unplug_in_read or delay");
    }
    r.command = o.Ascii("command", "");
    if (!r.command.empty() && r.command.size() != 2) {
        Fail(o.Path("command"), "must be two letters");
    }
    r.nth = static_cast<int>(o.Integer("nth", 0, 0, 1000000));
    r.exchange = static_cast<int>(o.Integer("exchange", 0, 0, 1000000));
    switch (r.action) {
    case FaultAction::Error:
        r.status = o.Ascii("status", r.status);
        if (r.status.size() != 4) {
            Fail(o.Path("status"), "must have 4 characters");
        }
        break;
    case FaultAction::ByteFF:
        if (const Json* off = o.Get("offset"); off && off->is_string() && off->get<std::string>() == "last_data") {
            r.lastData = true;
        } else {
            r.offset = static_cast<long>(o.Integer("offset", 1, -65535, 65535));
        }
        break;
    case FaultAction::Truncate:
        r.bytes = static_cast<std::size_t>(o.Integer("bytes", 0, 0, 65535));
        break;
    case FaultAction::Delay:
        r.ms = static_cast<int>(o.Integer("ms", 0, 0, 600000));
        break;
    case FaultAction::UnplugInRead:
        break;
    }
    o.Finish();
    return r;
}

void ReadFaults(Object o, Scenario& s) {
    s.delayMs = static_cast<int>(o.Integer("delay_ms", 0, 0, 600000));
    s.unplugAfter = static_cast<int>(o.Integer("unplug_after_exchanges", -1, -1, 1000000));
    if (const Json* rules = o.Get("rules")) {
        const Json& list = Array(rules, o.Path("rules"));
        for (std::size_t i = 0; i < list.size(); ++i) {
            s.rules.push_back(ReadRule(Object(list[i], o.Path("rules") + "[" + std::to_string(i) + "]")));
        }
    }
    o.Finish();
}

} // namespace

std::vector<Bytes> GeneratedHeaderRows(int columns) {
    Bytes names = "No.";
    Bytes units;
    for (int j = 1; j < columns; ++j) {
        names += "," + *ToCp932("項目") + std::to_string(j);
        units += "," + *ToCp932("単位") + std::to_string(j);
    }
    return {names, units};
}

long long ContinuousRecord::RowCount() const {
    return generatedColumns > 0 ? generatedRows : static_cast<long long>(rows.size());
}

// A generated record: its record number, then for column j the value (n * j * 7 + j * 13) mod 1000 of record
// number n (made non-negative), so every cell can be checked without keeping the series.
Bytes ContinuousRecord::Row(long long index) const {
    if (generatedColumns == 0) {
        return rows[static_cast<std::size_t>(index)];
    }
    const long long n = first + index;
    Bytes row = std::to_string(n);
    for (long long j = 1; j < generatedColumns; ++j) {
        row += ',';
        row += std::to_string(((n * j * 7 + j * 13) % 1000 + 1000) % 1000);
    }
    return row;
}

Bytes DeriveSetName(const Bytes& data) {
    Bytes name;
    for (std::size_t offset : {0u, 20u, 40u}) {
        std::size_t at = kSetHeaderSize + offset;
        if (at >= data.size()) {
            break;
        }
        auto field = TrimRight(std::string_view(data).substr(at, 20));
        if (!field.empty()) {
            if (!name.empty()) {
                name += ' ';
            }
            name += field;
        }
    }
    if (name.empty()) {
        name = data.substr(0, kSetHeaderSize);
    }
    return CutSjis(name, kNameSlot);
}

std::optional<Scenario> ParseScenario(const std::string& text, std::string& error) {
    try {
        Json json = Json::parse(text);
        Object o(json, "");
        Scenario s;
        o.Ascii("description", "");
        s.attached = o.Bool("attached", true);
        s.online = o.Bool("online", true);
        s.onlineAfterMs = static_cast<int>(o.Integer("online_after_ms", 0, 0, 600000));
        s.downloadMode = o.Bool("download_mode", false);
        s.openingItems = {{"APP_V", "1.00"}, {"BUFF", "2C00"}, {"APP_LOG", "80000000"}};
        if (const Json* opening = o.Get("opening")) {
            ReadOpening(Object(*opening, "opening"), s);
        }
        if (const Json* records = o.Get("records")) {
            ReadRecords(Array(records, "records"), "records", s);
        }
        if (const Json* reference = o.Get("reference")) {
            ReadReference(Object(*reference, "reference"), s);
        }
        if (const Json* continuous = o.Get("continuous")) {
            ReadContinuous(Object(*continuous, "continuous"), s);
        }
        if (const Json* faults = o.Get("faults")) {
            ReadFaults(Object(*faults, "faults"), s);
        }
        o.Finish();
        return s;
    } catch (const std::exception& e) {
        error = e.what();
        return std::nullopt;
    }
}

} // namespace emu
