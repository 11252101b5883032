// GUI tests of printing: a whole program with one customer's vehicle and its records, the workshop's details,
// and the print setup opened from the vehicle information form.
#pragma once

#include "print/ui/PrintItemDialog.h"
#include "print/ui/PrintSetupForm.h"
#include "register/MonitorFiles.h"
#include "register/ui/VehicleInfoForm.h"
#include "support/HostTools.h"
#include "support/RegisterForms.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace vanto::test {

inline const std::string Customer = "山田 太郎";
inline const std::string Vehicle = "品川300さ5678";
inline const VehicleProfile StoredVehicle{"日産",     "ノート",  "令和2年10月", "HR12",         "定期点検",
                                          "E13-0002", "6AA-E13", "12000",       "2027年5月31日"};

class PrintForms : public RegisterForms {
protected:
    // The customer with his contact data and the vehicle; its records are given as name and lines.
    void SeedVehicle(const std::vector<std::pair<std::string, std::vector<std::string>>>& records) {
        Seed({{Customer, {Vehicle}}});
        Reg().WriteCustomerFields(Customer, {{"TEL", "03-1234-5678"},
                                             {"HANDY", "090-1111-2222"},
                                             {"POST_NO", "140-0001"},
                                             {"ADD", "東京都品川区北品川1-2-3"}});
        Reg().WriteVehicleFields(Customer, Vehicle, VehicleSections(StoredVehicle));
        for (const auto& [title, lines] : records) {
            std::string data;
            for (const auto& line : lines) {
                data += (data.empty() ? "" : ",") + line;
            }
            StoreRecord(Reg().Vehicle(Customer, Vehicle), title, Sjis(data));
        }
    }

    // Starts the program, writes the workshop's details (profile bytes, UTF-8 here) and opens the print setup the
    // way a user does: monitor data menu, vehicle information, "印　　刷".
    PrintSetupForm* OpenPrintSetup(const std::string& userInfo = "[user]\r\nname=ベクトル自動車\r\n") {
        StartAndShow();
        WriteBytes(PathFromUtf8(main->State.Paths.UserInfoFile), Sjis(userInfo));
        main->monitorDataButton_->click();
        Forms().MonitorMenu->vehicleInfoButton_->click();
        ProcessEvents();
        Press(Forms().VehicleInfo, "印　　刷");
        ProcessEvents();
        return Forms().PrintSetup;
    }

    std::string VehicleProfileBytes() const {
        return File("お客様/" + Customer + "/" + Vehicle + "/" + Vehicle + ".DT");
    }

    // Runs `inside` once the modal item selection dialog is open.
    static void WhileItemsAreOpen(std::function<void(PrintItemDialog*)> inside) {
        QTimer::singleShot(0, [inside] { inside(Forms().PrintItems); });
    }

    static std::vector<int> CheckedRows(const PrintItemDialog* dialog) {
        std::vector<int> rows;
        for (int i = 0; i < dialog->itemList_->count(); ++i) {
            if (dialog->itemList_->item(i)->checkState() == Qt::Checked) {
                rows.push_back(i);
            }
        }
        return rows;
    }

    PrintTarget PdfTarget(const std::string& name) const {
        PrintTarget target;
        target.outputFile = (folder / name).string();
        return target;
    }

    // The output of a poppler tool on the file ("pdftotext", "pdfinfo"); an argument that names an existing file
    // is that file.
    static std::string Tool(const QString& tool, const QStringList& arguments) {
        std::vector<HostArgument> hostArguments;
        for (const QString& argument : arguments) {
            if (std::filesystem::is_regular_file(PathFromUtf8(argument.toStdString()))) {
                hostArguments.emplace_back(PathFromUtf8(argument.toStdString()));
            } else {
                hostArguments.emplace_back(argument.toStdString());
            }
        }
        return HostToolOutput(tool.toStdString(), hostArguments);
    }
};

// Lines L0, L1, ... of a record.
inline std::vector<std::string> Numbered(const std::string& prefix, int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(prefix + std::to_string(i));
    }
    return lines;
}

} // namespace vanto::test
