#include "register/VehicleExport.h"

namespace vanto {

std::vector<std::string> VehicleExportLines(const VehicleExportData& d) {
    std::vector<std::string> lines;
    auto labelled = [&](const char* label, const std::string& value) {
        if (!value.empty()) {
            lines.push_back(label + value);
        }
    };
    lines.push_back("お　客　様　名：" + d.Customer + "様");
    if (!d.Tel1.empty()) {
        lines.push_back("電　話　番　号：" + d.Tel1 + "-" + d.Tel2 + "-" + d.Tel3);
    }
    if (!d.Mobile1.empty()) {
        lines.push_back("携　帯　番　号：" + d.Mobile1 + "-" + d.Mobile2 + "-" + d.Mobile3);
    }
    labelled("住　　　　　所：", d.Address);
    lines.emplace_back();
    lines.push_back("車　両　番　号：" + d.VehicleNumber);
    labelled("メ　ー　カ　ー：", d.Maker);
    labelled("車　　　　　種：", d.TypeCar);
    labelled("初年度登録年月：", d.Model);
    labelled("車　台　番　号：", d.BodyNumber);
    labelled("型　　　　　式：", d.Type);
    labelled("エンジン　形式：", d.EngineType);
    labelled("コメント：", d.Comment);
    for (const auto* record : {&d.First, &d.Second}) {
        if (record->Title == NoDataPlaceholder) {
            continue;
        }
        lines.emplace_back();
        lines.push_back("データ：" + record->Title);
        for (const auto& line : record->Lines) {
            lines.push_back("　　　" + line);
        }
    }
    return lines;
}

std::string VehicleExportFileName(const std::string& customer, const std::string& timestamp) {
    return customer + "様-" + timestamp;
}

} // namespace vanto
