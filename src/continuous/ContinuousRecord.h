// The continuous record (連続記録): the tester's answers turned into a table, the size of the record requests, and
// the CSV files the table is kept in.
//
// Tester texts and CSV cells stay the bytes received (CP932) from the answer to the file and back.
#pragma once

#include "continuous/ContinuousTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vanto {

// Texts of the continuous-record form's messages and dialogs.
inline constexpr const char* ContinuousCapabilityText =
    "確認をお願いします。\n\n"
    " １．診断ソフトのオンラインを実行していますか？\n"
    "　　 [ﾒｲﾝﾒﾆｭｰ画面] → [診断] → [自動車ﾒｰｶｰ選択画面] → [メインメニュー] → [オンライン]\n\n"
    " ２．１を確認出来ましたら、診断機の実行中アプリケーションは、連続記録読出し機能が対応していません。\n"
    "     \n"
    "     お客様相談窓口までご相談下さい。\n";
inline constexpr const char* ContinuousNoRecordText = "診断機に連続記録ﾃﾞｰﾀが有りません";
inline constexpr const char* ContinuousCommunicationFailedText = "正常な通信が出来ません！";
inline constexpr const char* CsvOverwriteQuestion = "既に同じファイル名が存在します、上書きしてよろしいですか？";
inline constexpr const char* CsvWriteFailedText = "ファイルの書き込みが出来ません！";
inline constexpr const char* CsvOpenFailedText = "ファイルがオープン出来ません！";
inline constexpr const char* CsvSaveFilter = "CSVファイル|*.CSV";
inline constexpr const char* CsvOpenFilter = "CSVﾌｧｲﾙ|*.CSV";
inline constexpr const char* CsvDefaultExtension = "CSV";

// The first and last record number the tester holds.
struct RecordRange {
    int32_t first = 0;
    int32_t last = 0;
};

// MIN and MAX from the answer to the range command; nothing when either is missing or MIN is above MAX (the
// tester holds no record).
std::optional<RecordRange> ParseRecordRange(std::string_view answerData);

// Records per request: the tester's buffer size / 9 / (columns + 1), times 0.9, truncated; at least 1 (many
// columns would otherwise give 0 and the requests would never advance).
int RecordsPerRequest(int bufferSize, int columns);

// How many requests a range takes, and the records of request `index` (0-based); the last one ends at MAX.
int64_t RequestCount(const RecordRange& range, int recordsPerRequest);
RecordRange NthRequest(const RecordRange& range, int recordsPerRequest, int64_t index);

// The answer to the items request into a new table: two header rows, fields ended by "," or ";", each row by
// ";"; a zero byte or the end of the data ends it. The table gets as many columns as header row 1 has fields
// (header row 0 when there is no row 1), and both header rows hold that many cells. Fields beyond the columns are
// not kept.
ContinuousTable ParseItemRows(std::string_view answerData);

// The answer to one records request appended after the table's last row: fields ended by ",", ";", CR or a zero
// byte, each record by ";"; a CR or a zero byte ends the answer. Only records ended by ";" become rows. A row
// holds the record's fields up to the table's columns; fields beyond them are not kept, and a short record
// stays short.
void AppendRecords(ContinuousTable& table, std::string_view answerData);

// The table as CSV bytes: every row a line, each cell the row holds followed by ",", CR LF after each line, no
// quoting. A table whose rows all hold every column is written as the full grid.
std::string CsvBytes(const ContinuousTable& table);

// Saves the table as a CSV file (UTF-8 path), replacing the file atomically; false when it cannot be written
// (an old file then stays as it was).
bool SaveCsvFile(const ContinuousTable& table, const std::string& path);

// A CSV text into a table: lines end with CR LF or LF (a last line without one counts), fields split at ",";
// each row holds its line's fields and the table is as wide as the longest line. A saved table reads back one
// column wider (every cell was followed by ","). Fields are kept whole, whatever their length.
ContinuousTable ParseCsv(std::string_view bytes);

// Reads a CSV file (UTF-8 path); nothing when it cannot be read or is 2 GB or more.
std::optional<ContinuousTable> OpenCsvFile(const std::string& path);

} // namespace vanto
