#include "continuous/ContinuousRecord.h"

#include "common/Paths.h"
#include "common/TextFile.h"
#include "tester/TesterLink.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace vanto {

std::optional<RecordRange> ParseRecordRange(std::string_view answerData) {
    const int32_t first = TesterLink::FindNumber(1, "MIN=", answerData);
    const int32_t last = TesterLink::FindNumber(1, "MAX=", answerData);
    if (first == NumberAbsent || last == NumberAbsent || first > last) {
        return std::nullopt;
    }
    return RecordRange{first, last};
}

int RecordsPerRequest(int bufferSize, int columns) {
    const int perRecord = columns + 1 > 0 ? columns + 1 : 1;
    const int records = static_cast<int>(bufferSize / 9 / perRecord * 0.9);
    return records < 1 ? 1 : records;
}

int64_t RequestCount(const RecordRange& range, int recordsPerRequest) {
    const int64_t records = int64_t{range.last} - range.first + 1;
    const int64_t per = recordsPerRequest < 1 ? 1 : recordsPerRequest;
    return records <= 0 ? 0 : (records + per - 1) / per;
}

RecordRange NthRequest(const RecordRange& range, int recordsPerRequest, int64_t index) {
    const int64_t per = recordsPerRequest < 1 ? 1 : recordsPerRequest;
    const int64_t from = range.first + index * per;
    const int64_t to = from + per > range.last ? range.last : from + per - 1;
    return RecordRange{static_cast<int32_t>(from), static_cast<int32_t>(to)};
}

namespace {

// Splits tester text into rows of fields: "," ends a field, ";" ends the field and the row, and a byte of `stops`
// (or the end of the data) ends the field and the text. Calls row(fields, ended) for every row; a row the text
// ends without ";" is passed with ended == false. Stops early when row() returns false.
template <typename RowFunction> void SplitTesterText(std::string_view data, std::string_view stops, RowFunction row) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= data.size(); ++i) {
        const bool atEnd = i == data.size();
        const char c = atEnd ? '\0' : data[i];
        const bool stop = atEnd || stops.find(c) != std::string_view::npos;
        if (c != ',' && c != ';' && !stop) {
            continue;
        }
        const std::string_view field = data.substr(start, i - start);
        start = i + 1;
        if (c == ';') {
            fields.push_back(field);
            if (!row(fields, true)) {
                return;
            }
            fields.clear();
        } else if (stop) {
            // A field the text ends without "," counts only when it holds something.
            if (!field.empty()) {
                fields.push_back(field);
            }
            if (!fields.empty()) {
                row(fields, false);
            }
            return;
        } else {
            fields.push_back(field);
        }
    }
}

} // namespace

ContinuousTable ParseItemRows(std::string_view answerData) {
    std::vector<std::vector<std::string_view>> rows;
    SplitTesterText(answerData, std::string_view("\0", 1), [&rows](const auto& fields, bool) {
        rows.push_back(fields);
        return rows.size() < static_cast<std::size_t>(ContinuousTable::HeaderRows);
    });
    const std::size_t columns = rows.empty() ? 0 : rows.back().size();
    // Both header rows are as wide as the table (they name its columns), which costs no more than the answer.
    ContinuousTable table;
    table.Reserve(ContinuousTable::HeaderRows, ContinuousTable::HeaderRows * columns, answerData.size());
    for (std::size_t r = 0; r < static_cast<std::size_t>(ContinuousTable::HeaderRows); ++r) {
        table.AppendRow();
        for (std::size_t c = 0; c < columns; ++c) {
            table.AppendCell(r < rows.size() && c < rows[r].size() ? rows[r][c] : std::string_view());
        }
    }
    return table;
}

void AppendRecords(ContinuousTable& table, std::string_view answerData) {
    const auto columns = static_cast<std::size_t>(table.ColumnCount());
    SplitTesterText(answerData, std::string_view("\r\0", 2), [&](const auto& fields, bool ended) {
        // A record cut off without ";" is not a row: the next answer starts where it stood.
        if (!ended || !table.AppendRow()) {
            return false;
        }
        // A short record stays short: the cells it lacks read empty and cost nothing.
        for (std::size_t c = 0; c < fields.size() && c < columns; ++c) {
            table.AppendCell(fields[c]);
        }
        return true;
    });
}

std::string CsvBytes(const ContinuousTable& table) {
    // Each row writes the cells it holds: a table whose rows are all as wide as the table (every download whose
    // records are whole, every file whose lines have as many fields) is written as the full grid, and a short
    // row stays short, so one wide line does not make the file rows times that line long.
    std::size_t size = 0;
    for (int r = 0; r < table.RowCount(); ++r) {
        const int width = table.RowWidth(r);
        for (int c = 0; c < width; ++c) {
            size += table.Cell(r, c).size() + 1;
        }
        size += 2;
    }
    std::string out;
    out.reserve(size);
    for (int r = 0; r < table.RowCount(); ++r) {
        const int width = table.RowWidth(r);
        for (int c = 0; c < width; ++c) {
            out += table.Cell(r, c);
            out += ',';
        }
        out += "\r\n";
    }
    return out;
}

bool SaveCsvFile(const ContinuousTable& table, const std::string& path) {
    return WriteFileAtomic(PathFromUtf8(path), CsvBytes(table));
}

namespace {

// Calls line(text) for every line: lines end with LF or CR LF (the CR is not part of the line), and a last line
// without line end counts. Stops early when line() returns false.
template <typename LineFunction> void ForEachLine(std::string_view bytes, LineFunction line) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        if (!line(bytes.substr(start, end - start))) {
            return;
        }
        start = lf == std::string_view::npos ? bytes.size() : lf + 1;
    }
}

} // namespace

ContinuousTable ParseCsv(std::string_view bytes) {
    // Two passes: the sizes first, so the cells are laid out once. Every line keeps its own fields: memory follows
    // the file, whatever the widest line.
    std::size_t lines = 0;
    std::size_t fields = 0;
    std::size_t cellBytes = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        const auto commas = static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
        ++lines;
        fields += commas + 1;
        cellBytes += line.size() - commas;
        return true;
    });
    ContinuousTable table;
    table.Reserve(lines, fields, cellBytes);
    ForEachLine(bytes, [&](std::string_view line) {
        if (!table.AppendRow()) {
            return false;
        }
        std::size_t start = 0;
        for (std::size_t comma = line.find(','); comma != std::string_view::npos; comma = line.find(',', start)) {
            table.AppendCell(line.substr(start, comma - start));
            start = comma + 1;
        }
        table.AppendCell(line.substr(start));
        return true;
    });
    return table;
}

std::optional<ContinuousTable> OpenCsvFile(const std::string& path) {
    const auto bytes = ReadFileBytes(PathFromUtf8(path));
    // Rows and cells are counted in int: a CSV of 2 GB is no continuous record.
    if (!bytes || bytes->size() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    return ParseCsv(*bytes);
}

} // namespace vanto
