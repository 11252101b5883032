// What the print setup form needs beside the layouts: its vehicle fields as the sheet prints them, the check
// whether they differ from the stored vehicle, the vehicle it saves before printing, the judgement lines of its
// memo, and its fixed texts.
#pragma once

#include "print/SheetLayout.h"
#include "register/Register.h"

#include <string>
#include <vector>

namespace vanto {

// The box shown when the printed vehicle differs from the stored one; its buttons in this order.
inline constexpr const char* VehicleChangedCaption = "確認";
inline constexpr const char* VehicleChangedText = "＊＊＊＊＊お客様情報が変更されています。＊＊＊＊＊　　\n\n"
                                                  "　 保存・印刷 ： 登録した後に印刷する。\n"
                                                  "　 印　　　刷 ： 印刷のみ行う。\n"
                                                  "　 キャンセル ： 登録も印刷も行わない。\n";
inline constexpr const char* SaveAndPrintCaption = "保存・印刷";
inline constexpr const char* PrintOnlyCaption = "印刷";
inline constexpr const char* CancelCaption = "キャンセル";
enum class VehicleChangedChoice { SaveAndPrint = 0, PrintOnly = 1, Cancel = 2 };

// Told when more than MaxSlotLines lines were checked for one slot: the rest is left out.
inline constexpr const char* SlotLinesCutText =
    "選択できる印刷項目は１つのデータにつき639行までです。\n640行目以降は印刷されません。";
// Told when the printer or the PDF file cannot be opened; nothing was printed.
inline constexpr const char* PrintNotStartedText =
    "印刷を開始できませんでした。\nプリンタまたは出力先を確認して下さい。";

// The eight vehicle fields of the sheet from the stored vehicle (number as the vehicle selector shows it).
void SetSheetVehicle(SheetInput& input, const std::string& vehicleNumber, const VehicleProfile& vehicle);

// True when any of the eight vehicle fields the sheet prints differs from the stored vehicle.
bool SheetVehicleChanged(const SheetInput& printed, const std::string& vehicleNumber, const VehicleProfile& stored);

// The vehicle the "保存・印刷" choice stores: the stored one with the printed mileage and next inspection date;
// the other fields as the sheet shows them, maker and comment as stored.
VehicleProfile VehicleToSave(const SheetInput& printed, const VehicleProfile& stored);

// Draws the result sheet after a measuring pass on the same canvas: the item columns hold the lines that fit on
// this page with this judgement, whatever paper was measured when the form was shown. Returns that measure.
SheetMeasure PrintResultSheet(Canvas& canvas, SheetInput input);

// The name a printed page goes by (the print job's name, a PDF file's title): the page's title (the default
// title when the sheet's is empty), the customer as the sheet addresses him and the vehicle number, each when given.
// "点検・診断・結果表 山田 太郎 様 品川300さ5678".
std::string PrintDocumentName(const std::string& title, const SheetInput& sheet);

// The memo's text as judgement lines: one per line; a final line break adds no empty line, an empty text none.
std::vector<std::string> JudgementLines(const std::string& text);

} // namespace vanto
