// A workshop's day through the whole program against the emulated tester, as a user goes, by captions only:
// start-up, a record read from the tester into a customer's vehicle, and the result sheet printed to a PDF that
// holds the record's lines. The same test runs on Linux and, cross-built, under Wine.
#include "support/Emulator.h"
#include "support/HostTools.h"
#include "support/RegisterForms.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace vanto;
using namespace vanto::test;

namespace {

const std::string Record = "モニタ記録２2026年12月6日7時5分9秒"; // EM1 read at the fixed clock's time
const std::string VehicleFolder = "お客様/山田 太郎/品川300さ5678/";

class RecordToSheet : public RegisterForms {
protected:
    void TearDown() override {
        RegisterForms::TearDown();
        emulator.reset();
    }
    std::unique_ptr<Emulator> emulator;
};

TEST_F(RecordToSheet, ARecordReadFromTheTesterPrintsOnTheResultSheet) {
    emulator = std::make_unique<Emulator>(folder, R"({"records": [
        {"entry": "ED0", "values": ["P0101"]},
        {"entry": "EM1", "values": ["エンジン回転数 750rpm", "冷却水温 82℃", "車速 0km/h"]}]})");
    Seed({{"山田 太郎", {"品川300さ5678"}}});
    StartAndShow();

    // Monitor data, the vehicle, data import: the tester's record directory fills the reading form.
    Press(main, "テスターよりモニタデータ読み込み");
    Press(WaitForWindow("テスターよりモニタデータ読み込み"), "データ取込・印刷");
    QWidget* vehicleForm = WaitForWindow("データ取込・印刷");
    ASSERT_NE(vehicleForm, nullptr);
    Press(vehicleForm, "データ取り込み");
    QWidget* reading = WaitForWindow("モニタデータ読み込み選択");
    ASSERT_NE(reading, nullptr);
    QComboBox* lines = Named<QComboBox>(reading, "読み込むデータ");
    ASSERT_NE(lines, nullptr);
    ASSERT_EQ(lines->count(), 2);
    lines->setCurrentIndex(1);
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(reading, "読み込み実行");
    EXPECT_EQ(ReadBytes(folder / (VehicleFolder + Record + ".MONDT")),
              Sjis("エンジン回転数 750rpm\r\n冷却水温 82℃\r\n車速 0km/h\r\n"));

    // Back in the vehicle form: print setup, the new record in the first slot with two of its lines, print.
    ASSERT_TRUE(QTest::qWaitFor([&] { return vehicleForm->isVisible(); }, 10000));
    WriteBytes(PathFromUtf8(main->State.Paths.UserInfoFile), Sjis("[user]\r\nname=ベクトル自動車\r\n"));
    Press(vehicleForm, "印　　刷");
    QWidget* setup = WaitForWindow("印刷の設定");
    ASSERT_NE(setup, nullptr);
    Choose(setup, "印刷項目１（左上）", QString::fromStdString(Record));
    QTimer::singleShot(0, [] {
        QWidget* items = ShownWindow("印刷項目の選択");
        ASSERT_NE(items, nullptr);
        Press(items, "全解除");
        QListWidget* list = Named<QListWidget>(items, "印刷項目");
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 3);
        list->item(0)->setCheckState(Qt::Checked);
        list->item(1)->setCheckState(Qt::Checked);
        Press(items, "完　了");
    });
    Press(setup, "印刷項目設定", 0);
    dialogs.QueuePrint([&] {
        PrintTarget target;
        target.outputFile = (folder / "sheet.pdf").string();
        return target;
    }());
    Press(setup, "印刷実行");
    ASSERT_EQ(dialogs.PrintDialogs().size(), 1u);

    const std::string text = HostToolOutput("pdftotext", {"-enc", "UTF-8", folder / "sheet.pdf", "-"});
    for (const char* expected :
         {"山田 太郎 様", "品川300さ5678", "ベクトル自動車", "エンジン回転数 750rpm", "冷却水温 82℃"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

} // namespace
