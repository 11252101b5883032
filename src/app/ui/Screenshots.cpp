// Writes a PNG of every form, rendered offscreen, into the folder given on the command line:
//   vantodesk-screenshots OUTDIR
#include "app/ui/FormSet.h"
#include "common/Clock.h"
#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/Sjis.h"
#include "common/TextFile.h"
#include "common/ui/Application.h"
#include "continuous/ContinuousRecord.h"
#include "continuous/ui/ContinuousChartWindow.h"
#include "continuous/ui/ContinuousRecordForm.h"
#include "inspection/ui/InspectionReminderForm.h"
#include "monitor/ui/MonitorMenuForm.h"
#include "monitor/ui/RecordReadForm.h"
#include "print/ui/PrintItemDialog.h"
#include "print/ui/PrintSetupForm.h"
#include "reference/ReferenceFiles.h"
#include "reference/ReferenceTexts.h"
#include "reference/ui/ReferenceReadForm.h"
#include "reference/ui/ReferenceWriteForm.h"
#include "register/MonitorFiles.h"
#include "register/Register.h"
#include "register/ui/CustomerForm.h"
#include "register/ui/CustomerSearchDialog.h"
#include "register/ui/RegisterUi.h"
#include "register/ui/VehicleInfoForm.h"
#include "register/ui/VehicleUpdateForm.h"
#include "settings/UserInfo.h"
#include "settings/ui/SettingsForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
// The demo fills a form the way a user does, reaching a widget by its accessible name or, for a button, its
// caption; nullptr when the form has none.
template <typename T> T* Named(QWidget* form, const char* name) {
    const QString wanted = QString::fromUtf8(name);
    for (T* child : form->findChildren<T*>()) {
        const auto* button = qobject_cast<const QAbstractButton*>(child);
        if (child->accessibleName() == wanted || (button && button->text() == wanted)) {
            return child;
        }
    }
    std::fprintf(stderr, "no %s in %s\n", name, form->windowTitle().toLocal8Bit().constData());
    return nullptr;
}

// A small register, so the register's forms show what they show in a workshop.
void SeedDemoRegister(const std::string& dir) {
    const vanto::Register reg(dir + "お客様", dir + "VISITOR_M.DT", dir);
    QDir().mkpath(QString::fromStdString(reg.CustomerRoot()));
    struct Demo {
        const char* name;
        std::vector<std::pair<std::string, std::string>> contact;
        std::vector<std::pair<const char*, vanto::VehicleProfile>> vehicles;
    };
    const Demo demos[] = {
        {"山田 太郎",
         {{"TEL", "03-1234-5678"},
          {"HANDY", "090-1111-2222"},
          {"POST_NO", "140-0001"},
          {"ADD", "東京都品川区北品川1-2-3"}},
         {{"品川500あ1234",
           {"トヨタ", "カローラ", "平成30年4月", "2ZR", "定期点検", "ZRE212-0001", "DBA-ZRE212", "", ""}},
          {"品川300さ5678",
           {"日産", "ノート", "令和2年10月", "HR12", "", "E13-0002", "6AA-E13", "", "2027年1月28日"}}}},
        {"鈴木 花子", {{"TEL", "045-987-6543"}, {"POST_NO", "220-0012"}, {"ADD", "神奈川県横浜市西区"}}, {}},
        {"佐藤 一郎",
         {{"TEL", "03-5555-0101"}, {"POST_NO", "120-0034"}, {"ADD", "東京都足立区千住2-5"}},
         {{"足立330な8765",
           {"ホンダ", "フィット", "平成29年6月", "L13B", "", "GK3-0003", "DBA-GK3", "", "Ｒ９．３．１５"}},
          {"足立500ま2468",
           {"スズキ", "ワゴンR", "平成27年2月", "R06A", "", "MH44S-0004", "DBA-MH44S", "", "来年春頃"}}}},
    };
    for (const Demo& demo : demos) {
        reg.CreateCustomerFolders(demo.name, "");
        reg.RegisterCustomer(demo.name, "");
        reg.WriteCustomerFields(demo.name, demo.contact);
        for (const auto& [number, data] : demo.vehicles) {
            reg.CreateVehicleFolder(demo.name, number);
            reg.CreateVehicleFiles(demo.name, number);
            reg.WriteVehicleFields(demo.name, number, vanto::VehicleSections(data));
            reg.WriteCustomerField(demo.name, "CAR_NO", number);
        }
    }
    // Two stored records of the current vehicle.
    const vanto::VehicleFolder vehicle = reg.Vehicle("山田 太郎", "品川300さ5678");
    for (const auto& [title, data] :
         {std::pair{std::string("モニタ記録１2026年12月6日9時15分2秒"),
                    std::string("エンジン回転数,750,rpm,水温,82,℃")},
          std::pair{std::string("自己診断記録２2026年12月6日9時20分41秒"), std::string("P0171,燃料系統リーン")}}) {
        vanto::StoreRecord(vehicle, title, vanto::EncodeSjisLossy(data));
    }
}

// The workshop's details and a phrase dictionary chosen in the settings form, for the settings form and the picker.
void PrepareSettings(const std::string& name) {
    const vanto::FormRegistry& f = vanto::Forms();
    vanto::WorkingPaths& paths = f.Main->State.Paths;
    if (name == "PhrasePicker") {
        paths.PhraseFile = paths.OwnerDir + paths.DocumentFolder + "/定型文.txt";
        std::filesystem::create_directories(vanto::PathFromUtf8(paths.OwnerDir + paths.DocumentFolder));
        vanto::SaveSjisLines(vanto::PathFromUtf8(paths.PhraseFile),
                             {"点検の結果、異常はありませんでした。", "ブレーキパッドの残量が少なくなっています。",
                              "次回点検時にエンジンオイルの交換をお勧めします。", "バッテリーの電圧が低下しています。",
                              "タイヤの溝が減っています。早めの交換をお勧めします。"});
    } else if (name == "SettingsForm") {
        vanto::UserInfo shop;
        shop.Name = "ベクトル自動車整備工場";
        shop.Post = {"140", "0013"};
        shop.Tel = {"03", "3761", "1234"};
        shop.Fax = {"03", "3761", "1235"};
        shop.Address = "東京都品川区南大井三丁目１２番５号";
        vanto::SaveUserInfo(paths.UserInfoFile, shop);
    }
}

// The settings form once more, with its detailed section open.
void ShootDetailedSettings(const QString& outDir, int& written) {
    SettingsForm* form = vanto::Forms().Settings;
    if (!form) {
        return;
    }
    form->show();
    if (auto* details = Named<QPushButton>(form, "詳細設定")) {
        details->click();
    }
    QApplication::processEvents();
    const QString file = outDir + "/SettingsForm-detailed.png";
    if (form->grab().save(file)) {
        std::printf("%s\n", file.toLocal8Bit().constData());
        ++written;
    }
    if (auto* details = Named<QPushButton>(form, "詳細設定を終了")) {
        details->click();
    }
    form->hide();
}

// The print setup of the demo vehicle as a workshop uses it: its details, a longer monitor record in the slots,
// a judgement; the result sheet and the data print go to PDF files beside the pictures, drawn as printing does.
void PreparePrinting(const std::string& name, const QString& outDir) {
    const vanto::FormRegistry& f = vanto::Forms();
    if (name == "PrintItemDialog" && f.PrintItems) {
        f.PrintItems->Load({{"エンジン回転数 750rpm", "冷却水温 82℃", "吸気温度 31℃", "車速 0km/h", "O2センサ 0.45V"},
                            {true, true, false, true, false}});
        return;
    }
    if (name != "PrintSetupForm" || !f.PrintSetup || !f.VehicleInfo) {
        return;
    }
    const vanto::FormContext context = f.Main->Context();
    vanto::UserInfo shop;
    shop.Name = "ベクトル自動車整備工場";
    shop.Post = {"140", "0013"};
    shop.Tel = {"03", "3761", "1234"};
    shop.Fax = {"03", "3761", "1235"};
    shop.Address = "東京都品川区南大井三丁目１２番５号";
    shop.Mes1 = "車検・点検・修理はお任せ下さい";
    vanto::SaveUserInfo(context.Paths().UserInfoFile, shop);
    vanto::StoreRecord(vanto::RegisterOf(context).Vehicle("山田 太郎", "品川300さ5678"),
                       "モニタ記録３2026年12月6日9時32分10秒",
                       vanto::EncodeSjisLossy("エンジン回転数 752rpm,冷却水温 88℃,吸気温度 31℃,車速 0km/h,"
                                              "スロットル開度 12%,O2センサ 0.45V,点火時期 8°CA,燃料噴射時間 2.6ms,"
                                              "バッテリ電圧 14.1V,エアフロ 3.2g/s,短期燃料補正 -1.6%,"
                                              "長期燃料補正 2.3%"));
    f.VehicleInfo->PrepareFromMenu();
    f.VehicleInfo->show();
    QApplication::processEvents();
    f.VehicleInfo->hide();
    PrintSetupForm* form = f.PrintSetup;
    form->show();
    // The records chosen for the first three slots, as a user picks them.
    for (const auto& [slot, record] :
         {std::pair{"印刷項目１（左上）", 2}, std::pair{"印刷項目２（右上）", 1}, std::pair{"印刷項目３（左下）", 0}}) {
        if (auto* combo = Named<QComboBox>(form, slot)) {
            combo->setCurrentIndex(record);
            emit combo->activated(record);
        }
    }
    const std::pair<const char*, const char*> typed[] = {{"走行距離", "45210"}, {"次回車検日", "2027年5月31日"}};
    for (const auto& [field, text] : typed) {
        if (auto* edit = Named<QLineEdit>(form, field)) {
            edit->setText(text);
        }
    }
    if (auto* judgement = Named<QPlainTextEdit>(form, "総　合　判　定")) {
        judgement->setPlainText("ブレーキパッド残量少\n次回点検時に交換を推奨");
    }
    if (auto* dataPrint = Named<QComboBox>(form, "読込ﾃﾞｰﾀ印刷")) {
        dataPrint->setCurrentIndex(2);
    }
    for (const char* pdf : {"result-sheet.pdf", "data-print.pdf"}) {
        const QString file = outDir + "/" + pdf;
        vanto::PrintTarget target;
        target.outputFile = file.toStdString();
        const bool sheet = QString(pdf) == "result-sheet.pdf";
        if (sheet ? form->PrintSheetTo(target) : form->PrintDataTo(target)) {
            std::printf("%s\n", file.toLocal8Bit().constData());
        }
    }
}

// The reference-value forms as a workshop sees them: the tester's sets with one read and its description
// corrected, and two reference value files picked for writing, saved the way the reading form saves them.
void PrepareReference(const std::string& name) {
    const vanto::FormRegistry& f = vanto::Forms();
    const auto sjis = [](const char* text) { return vanto::EncodeSjisLossy(text); };
    if (name == "ReferenceReadForm" && f.ReferenceRead) {
        ReferenceReadForm* form = f.ReferenceRead;
        form->ShowSets(
            {sjis("プリウス DAA-ZVW30 2ZR-FXE"), sjis("ノート DBA-E12 HR12DE"), sjis("ハイエース TRH200 1TR")});
        const char* texts[] = {"プリウス", "DAA-ZVW30", "2ZR-FXE", "2015年", "48210", "アイドル不調の点検前に記録"};
        for (std::size_t i = 0; i < std::size(texts); ++i) {
            if (auto* edit = Named<QLineEdit>(form, vanto::InfoFieldCaptions[i])) {
                edit->setText(QString::fromUtf8(texts[i]));
            }
        }
        if (auto* save = Named<QPushButton>(form, "参考値の保存")) {
            save->setEnabled(true); // as after reading the set
        }
    } else if (name == "ReferenceWriteForm" && f.ReferenceWrite) {
        const std::string& dir = f.Main->State.Paths.ExeDir;
        const vanto::ReferenceInfo info = vanto::ReferenceInfo::FromUtf8(
            {"プリウス", "DAA-ZVW30", "2ZR-FXE", "2015年", "48210", "アイドル不調の点検前に記録"});
        vanto::WriteWorkFile(dir, vanto::WorkPass::Data, "21A03B00" + info.Record() + "IDL=0750,TW=86,");
        vanto::WriteWorkFile(dir, vanto::WorkPass::Value,
                             sjis("アイドル回転数 750rpm,冷却水温 86℃,吸気温度 31℃,バッテリ電圧 14.1V,"
                                  "O2センサ 0.45V,点火時期 8°CA,"));
        const std::vector<std::string> files{dir + "プリウス点検前.DTKJ2", dir + "プリウス点検後.DTKJ2"};
        for (const auto& file : files) {
            vanto::SaveReferenceFile(dir, file, info);
        }
        f.ReferenceWrite->ShowFromMenu();
        f.ReferenceWrite->PickFiles(files);
    }
}

// A continuous record as a tester sends it: 300 samples of four items.
vanto::ContinuousTable DemoSeries() {
    vanto::ContinuousTable table =
        vanto::ParseItemRows(vanto::EncodeSjisLossy("No.,エンジン回転数,冷却水温,車速,スロットル開度;,rpm,℃,km/h,%;"));
    std::string records;
    for (int n = 1; n <= 300; ++n) {
        const double t = n / 30.0;
        records += std::to_string(n) + "," + std::to_string(static_cast<int>(1800 + 900 * std::sin(t))) + "," +
                   std::to_string(60 + n / 12) + "," + std::to_string(static_cast<int>(40 + 30 * std::sin(t / 2))) +
                   "," + std::to_string(static_cast<int>(20 + 15 * std::sin(t))) + ";";
    }
    vanto::AppendRecords(table, records);
    return table;
}

// The chart window of the continuous-record form with its table, as a window and as the PNG it saves.
void ShootContinuousChart(const QString& outDir, int& written) {
    ContinuousRecordForm* form = vanto::Forms().Continuous;
    if (!form) {
        return;
    }
    form->show();
    auto* chart = form->findChild<ContinuousChartWindow*>();
    QPushButton* open = Named<QPushButton>(form, "グラフ表示");
    if (!chart || !open) {
        return;
    }
    open->click();
    // Two items of a like scale.
    for (const auto& [column, chosen] :
         {std::pair{"エンジン回転数 rpm", false}, {"車速 km/h", true}, {"スロットル開度 %", true}}) {
        if (auto* check = Named<QCheckBox>(chart, column)) {
            check->setChecked(chosen);
        }
    }
    QApplication::processEvents();
    const QString window = outDir + "/ContinuousChartWindow.png";
    const QString saved = outDir + "/ContinuousChart-saved.png";
    for (const auto& [file, done] :
         {std::pair{window, chart->grab().save(window)}, std::pair{saved, chart->SavePng(saved.toStdString())}}) {
        if (done) {
            std::printf("%s\n", file.toLocal8Bit().constData());
            ++written;
        }
    }
    form->hide();
}

// The inspection reminder over the first half of 2027, so the demo's dates are listed and one is not readable.
void PrepareInspectionReminder(const std::string& name) {
    InspectionReminderForm* form = vanto::Forms().InspectionReminder;
    if (name != "InspectionReminderForm" || !form) {
        return;
    }
    form->show();
    for (const auto& [edit, month] : {std::pair{"開始月", 1}, std::pair{"終了月", 6}}) {
        if (auto* dateEdit = Named<QDateEdit>(form, edit)) {
            dateEdit->setDate(QDate(2027, month, 1));
        }
    }
}

// Opens a form the way the monitor data menu does.
void PrepareLikeTheMenu(const std::string& name) {
    const vanto::FormRegistry& f = vanto::Forms();
    if (name == "CustomerForm" && f.Customer) {
        f.Customer->Prepare();
    } else if (name == "VehicleUpdateForm" && f.VehicleUpdate) {
        f.VehicleUpdate->PrepareFromMenu();
    } else if (name == "VehicleInfoForm" && f.VehicleInfo) {
        f.VehicleInfo->PrepareFromMenu();
        f.VehicleInfo->ReturnFromRecordRead(); // the record reading form, shot before, disabled its panel
        f.VehicleInfo->hide();
    } else if (name == "ContinuousRecordForm" && f.Continuous) {
        f.Continuous->ShowTable(DemoSeries());
    } else if (name == "RecordReadForm" && f.RecordRead) {
        if (auto* records = Named<QComboBox>(f.RecordRead, "読み込むデータ")) {
            records->addItems({"モニタ記録１", "自己診断記録２", "作業サポート記録４"});
        }
    }
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    vanto::Application application(argc, argv); // an escaped exception goes to the error stream
    QCoreApplication::setApplicationName(QString::fromUtf8(vanto::EntryTitle));
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);

    QTemporaryDir dataDir;
    vanto::SilentDialogs dialogs; // the screenshots must never block
    vanto::SystemClock clock;
    const vanto::StartupOptions options{vanto::WithTrailingSeparator(dataDir.path().toStdString()), "vantodesk",
                                        &dialogs, &clock};
    SeedDemoRegister(options.ExeDir);
    vanto::CreateAllForms(options);

    int written = 0;
    for (const auto& [name, form] : vanto::AllForms()) {
        PrepareLikeTheMenu(name);
        PreparePrinting(name, outDir);
        PrepareSettings(name);
        PrepareReference(name);
        PrepareInspectionReminder(name);
        form->show();
        QApplication::processEvents();
        const QString file = outDir + "/" + QString::fromStdString(name) + ".png";
        if (form->grab().save(file)) {
            std::printf("%s\n", file.toLocal8Bit().constData());
            ++written;
        }
        form->hide();
    }
    ShootDetailedSettings(outDir, written);
    ShootContinuousChart(outDir, written);
    vanto::DestroyAllForms();
    return written > 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
