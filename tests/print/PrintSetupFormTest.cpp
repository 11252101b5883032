#include "PrintForms.h"

#include "common/ui/QtDialogs.h"
#include "print/PrintSetup.h"
#include "print/ui/QtCanvas.h"
#include "settings/ui/PhrasePicker.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

const std::string Monitor = "モニタ記録１2026年12月6日9時15分2秒";
const std::string Diagnosis = "自己診断記録２2026年12月6日9時20分41秒";

// The four slots by the caption of their boxes, which also names their record lists.
const char* const SlotNames[] = {"印刷項目１（左上）", "印刷項目２（右上）", "印刷項目３（左下）",
                                 "印刷項目４（右下）"};

std::string Times(const std::string& text, int n) {
    std::string repeated;
    for (int i = 0; i < n; ++i) {
        repeated += text;
    }
    return repeated;
}

// Every value but the mileage longer than the forms' fields take when typed.
const VehicleProfile LongVehicle{
    Times("日産", 11),        Times("ノート", 8),   Times("令和2年10月", 3), Times("HR12DE", 4),
    Times("定期点検", 19),    Times("E13-0002", 3), Times("6AA-E13", 3),     "12000",
    Times("2027年5月31日", 3)};

void ExpectFields(QWidget* form, const std::vector<std::pair<const char*, std::string>>& fields) {
    for (const auto& [name, text] : fields) {
        EXPECT_EQ(T(Named<QLineEdit>(form, name)->text()), text) << name;
    }
}

// What a slot's box says of the lines it prints ("選択印刷項目数 3").
std::string SlotCount(QWidget* form, int slot) {
    for (const QLabel* label : Named<QComboBox>(form, SlotNames[slot])->parentWidget()->findChildren<QLabel*>()) {
        if (label->text().startsWith("選択印刷項目数")) {
            return T(label->text());
        }
    }
    return "(none)";
}

// A field of pdfinfo's output ("Title", "Page size"), without its padding.
std::string InfoField(const std::string& info, const std::string& field) {
    const std::size_t at = info.find(field + ":");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t value = info.find_first_not_of(' ', at + field.size() + 1);
    return info.substr(value, info.find('\n', value) - value);
}

// Where pdftotext -bbox places a word on the page, in points from the top left; empty when it is not there.
QRectF WordBox(const std::string& words, const std::string& word) {
    const std::size_t end = words.find(">" + word + "</word>");
    const std::size_t start = words.rfind("<word ", end);
    if (end == std::string::npos || start == std::string::npos) {
        return {};
    }
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    std::sscanf(words.c_str() + start, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &xMin, &yMin, &xMax,
                &yMax);
    return QRectF(QPointF(xMin, yMin), QPointF(xMax, yMax));
}

} // namespace

TEST_F(PrintForms, ShowsTheVehicleAndTheWorkshopAsTheyWillPrintAndReturns) {
    SeedVehicle({{Monitor, Numbered("L", 3)}});
    PrintSetupForm* f = OpenPrintSetup("[user]\r\nname=ベクトル自動車\r\ntel=03-3761-1234\r\nfax=0337611235\r\n"
                                       "Address=東京都品川区南大井\r\nmes1=車検はお任せ下さい\r\n");
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_FALSE(Forms().VehicleInfo->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "印刷の設定");
    ExpectFields(f, {{"印刷タイトル", "点検・診断・結果表"},
                     {"お客様名", Customer},
                     {"郵便番号1", "140"},
                     {"郵便番号2", "0001"},
                     {"住所", "東京都品川区北品川1-2-3"},
                     {"電話番号1", "03"},
                     {"電話番号2", "1234"},
                     {"電話番号3", "5678"},
                     {"携帯電話1", "090"},
                     {"携帯電話3", "2222"},
                     {"車両番号", Vehicle},
                     {"車体番号", "E13-0002"},
                     {"初年度登録年月", "令和2年10月"},
                     {"走行距離", "12000"},
                     {"次回車検日", "2027年5月31日"},
                     {"車種名", "ノート"},
                     {"型式", "6AA-E13"},
                     {"エンジン形式", "HR12"}});
    // The workshop's fields, whose names the customer's share.
    ExpectFields(Named<QGroupBox>(f, "お店の情報"),
                 {{"店名", "ベクトル自動車"},
                  // A phone of three groups fills the three parts; one without "-" only the first.
                  {"電話番号1", "03"},
                  {"電話番号2", "3761"},
                  {"電話番号3", "1234"},
                  {"FAX番号1", "0337611235"},
                  {"FAX番号2", ""},
                  {"FAX番号3", ""},
                  // No postal code stored: 000-0000.
                  {"郵便番号1", "000"},
                  {"郵便番号2", "0000"},
                  {"住所", "東京都品川区南大井"},
                  {"メッセージ1", "車検はお任せ下さい"},
                  {"メッセージ2", ""}});
    EXPECT_TRUE(Named<QPlainTextEdit>(f, "総　合　判　定")->toPlainText().isEmpty());
    EXPECT_FALSE(Named<QPushButton>(f, "データ印刷")->isVisible());
    EXPECT_FALSE(Named<QLineEdit>(f, "メッセージ1")->isVisible());

    Press(f, "閉じる");
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Forms().VehicleInfo->isVisible());
}

TEST_F(PrintForms, NumberFieldsTakeDigitsOnlyAndResetRestoresTheTitle) {
    SeedVehicle({});
    PrintSetupForm* f = OpenPrintSetup();
    for (const char* name :
         {"電話番号1", "電話番号2", "電話番号3", "FAX番号1", "FAX番号2", "FAX番号3", "郵便番号1", "郵便番号2"}) {
        QLineEdit* edit = Named<QLineEdit>(Named<QGroupBox>(f, "お店の情報"), name);
        edit->clear();
        Type(edit, "0a3-Ｂ9");
        EXPECT_EQ(T(edit->text()), "039") << name;
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(T(edit->text()), "03") << name;
    }
    Named<QLineEdit>(f, "印刷タイトル")->setText("点検結果");
    Press(f, "リ セ ッ ト");
    EXPECT_EQ(T(Named<QLineEdit>(f, "印刷タイトル")->text()), "点検・診断・結果表");
}

TEST_F(PrintForms, VehicleWithoutRecordsHasFourEmptySlots) {
    SeedVehicle({});
    PrintSetupForm* f = OpenPrintSetup();
    for (int k = 0; k < PrintSlotCount; ++k) {
        EXPECT_EQ(Named<QComboBox>(f, SlotNames[k])->count(), 0) << k;
        EXPECT_EQ(SlotCount(f, k), "選択印刷項目数 0") << k;
        EXPECT_FALSE(Named<QPushButton>(f, "印刷項目設定", k)->isEnabled()) << k;
    }
    // The sheet still prints, without items.
    dialogs.QueuePrint(PdfTarget("empty.pdf"));
    Press(f, "印刷実行");
    EXPECT_TRUE(fs::exists(folder / "empty.pdf"));
}

TEST_F(PrintForms, SlotsChooseTheMeasuredLinesAndTheDialogEditsThem) {
    SeedVehicle({{Monitor, Numbered("L", 60)}, {Diagnosis, Numbered("P", 3)}});
    PrintSetupForm* f = OpenPrintSetup();
    // At show every slot takes the first 15 lines of the first record; later changes the page's capacity.
    for (int k = 0; k < PrintSlotCount; ++k) {
        EXPECT_EQ(T(Named<QComboBox>(f, SlotNames[k])->currentText()), Monitor);
        EXPECT_EQ(SlotCount(f, k), "選択印刷項目数 15");
    }
    const int perColumn = f->Slots().LinesPerColumn();
    EXPECT_GT(perColumn, 15); // an A4 page at 600 dpi with a six-line judgement
    EXPECT_LT(perColumn, 60);
    Choose(f, SlotNames[1], QString::fromStdString(Diagnosis));
    EXPECT_EQ(SlotCount(f, 1), "選択印刷項目数 3");
    Choose(f, SlotNames[1], QString::fromStdString(Monitor));
    EXPECT_EQ(SlotCount(f, 1), "選択印刷項目数 " + std::to_string(perColumn));

    // The dialog opens with the slot's lines checked; Cancel keeps the count whatever was changed.
    Choose(f, SlotNames[2], QString::fromStdString(Diagnosis));
    WhileItemsAreOpen([](PrintItemDialog* d) {
        EXPECT_EQ(T(d->windowTitle()), "印刷項目の選択");
        EXPECT_EQ(CheckedRows(d), (std::vector<int>{0, 1, 2}));
        Press(d, "全解除");
        Press(d, "キャンセル");
    });
    Press(f, "印刷項目設定", 2);
    EXPECT_EQ(SlotCount(f, 2), "選択印刷項目数 3");
    EXPECT_EQ(f->Slots().ChosenLines(2), (std::vector<int>{0, 1, 2}));

    // "全解除" then two lines and OK; re-selecting the same record keeps that choice.
    WhileItemsAreOpen([](PrintItemDialog* d) {
        Press(d, "全解除");
        Named<QListWidget>(d, "印刷項目")->item(2)->setCheckState(Qt::Checked);
        Press(d, "完　了");
    });
    Press(f, "印刷項目設定", 2);
    EXPECT_EQ(SlotCount(f, 2), "選択印刷項目数 1");
    Choose(f, SlotNames[2], QString::fromStdString(Diagnosis));
    EXPECT_EQ(f->Slots().ChosenLines(2), std::vector<int>{2});
    WhileItemsAreOpen([](PrintItemDialog* d) {
        EXPECT_EQ(CheckedRows(d), std::vector<int>{2});
        Press(d, "全解除");
        Press(d, "完　了");
    });
    Press(f, "印刷項目設定", 2);
    EXPECT_EQ(SlotCount(f, 2), "選択印刷項目数 0");
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PrintForms, MoreThan639CheckedLinesAreCutAndTheUserIsTold) {
    SeedVehicle({{Monitor, Numbered("L", 700)}});
    PrintSetupForm* f = OpenPrintSetup();
    WhileItemsAreOpen([](PrintItemDialog* d) {
        Press(d, "全選択");
        Press(d, "完　了");
    });
    Press(f, "印刷項目設定", 0);
    EXPECT_EQ(SlotCount(f, 0), "選択印刷項目数 639");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{SlotLinesCutText});
}

TEST_F(PrintForms, MissingRecordIsNamedAndNothingIsPrinted) {
    SeedVehicle({{Monitor, Numbered("L", 5)}});
    PrintSetupForm* f = OpenPrintSetup();
    fs::remove(PathFromUtf8(Reg().Vehicle(Customer, Vehicle).RecordFile(Monitor)));
    Press(f, "印刷実行");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{UnreadableRecordMessage(Monitor)});
    EXPECT_TRUE(dialogs.PrintDialogs().empty());
    EXPECT_TRUE(dialogs.Choices().empty());
}

// The sheet printed to a PDF file through the printer canvas: real text on one A4 page.
TEST_F(PrintForms, OnlyTheTitleChangedPrintsWithoutAskingToARealPdf) {
    SeedVehicle({{Monitor, {"エンジン回転数 750rpm", "冷却水温 82℃", "車速 0km/h"}}});
    PrintSetupForm* f = OpenPrintSetup();
    Named<QLineEdit>(f, "印刷タイトル")->setText("点検結果のお知らせ");
    // Slot 1 prints the record's second line; the other slots nothing.
    for (int k = 0; k < PrintSlotCount; ++k) {
        WhileItemsAreOpen([k](PrintItemDialog* d) {
            Press(d, "全解除");
            if (k == 0) {
                Named<QListWidget>(d, "印刷項目")->item(1)->setCheckState(Qt::Checked);
            }
            Press(d, "完　了");
        });
        Press(f, "印刷項目設定", k);
    }
    dialogs.QueuePrint(PdfTarget("sheet.pdf"));
    Press(f, "印刷実行");
    EXPECT_TRUE(dialogs.Choices().empty());
    ASSERT_EQ(dialogs.PrintDialogs().size(), 1u);
    const PrintDialogOptions& options = dialogs.PrintDialogs().front();
    EXPECT_EQ(std::vector<int>({options.minPage, options.maxPage, options.fromPage, options.toPage}),
              std::vector<int>({1, 1, 1, 1}));

    const QString pdf = QString::fromStdString((folder / "sheet.pdf").string());
    const std::string info = Tool("pdfinfo", {pdf});
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    EXPECT_EQ(InfoField(info, "Title"), "点検結果のお知らせ 山田 太郎 様 品川300さ5678");
    EXPECT_EQ(InfoField(info, "Creator"), "vantodesk");
    const std::string text = Tool("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    for (const char* expected : {"点検結果のお知らせ", "発行日 2026年12月6日", "山田 太郎 様", "車両番号",
                                 "初年度登録年月", "走行距離", "次回車検日", "12000ｋｍ", "冷却水温 82℃"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    // Only the chosen line of the record is printed.
    EXPECT_EQ(text.find("エンジン回転数 750rpm"), std::string::npos) << text;
}

struct PaperCase {
    const char* Name;
    PageSetup Page;
    double WidthPoints; // the PDF page as it lies
    double HeightPoints;
};

void PrintTo(const PaperCase& c, std::ostream* os) {
    *os << c.Name;
}

class ChosenPaper : public PrintForms, public ::testing::WithParamInterface<PaperCase> {};

// The paper and orientation chosen in the print dialog make the PDF's page, and the sheet is laid out on that page:
// the issue date ends at its right edge and the judgement box sits at its foot.
TEST_P(ChosenPaper, MakesThePageTheSheetIsLaidOutOn) {
    const PaperCase& c = GetParam();
    SeedVehicle({{Monitor, Numbered("L", 3)}});
    PrintSetupForm* f = OpenPrintSetup();
    PrintTarget target = PdfTarget("sheet.pdf");
    target.page = c.Page;
    dialogs.QueuePrint(target);
    Press(f, "印刷実行");

    const QString pdf = QString::fromStdString((folder / "sheet.pdf").string());
    double width = 0, height = 0;
    const std::string size = InfoField(Tool("pdfinfo", {pdf}), "Page size");
    ASSERT_EQ(std::sscanf(size.c_str(), "%lf x %lf", &width, &height), 2) << size;
    EXPECT_NEAR(width, c.WidthPoints, 1) << size;
    EXPECT_NEAR(height, c.HeightPoints, 1) << size;

    const std::string words = Tool("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"});
    const QRectF date = WordBox(words, "2026年12月6日");
    const QRectF judgement = WordBox(words, "総合判定");
    constexpr double border = 4.2 / 25.4 * 72; // the sheet's border on a PDF page, in points
    EXPECT_NEAR(date.right(), width - border - 30 * 72.0 / PdfPrinterResolution, 2) << words;
    EXPECT_GT(judgement.top(), height - 120) << words;
    EXPECT_LT(judgement.bottom(), height - border) << words;
}

INSTANTIATE_TEST_SUITE_P(PrintForms, ChosenPaper,
                         ::testing::Values(PaperCase{"A5Landscape", {148, 210, PageOrientation::Landscape}, 595, 420},
                                           PaperCase{"JisB5Portrait", {182, 257, PageOrientation::Portrait}, 516, 729},
                                           PaperCase{"A3Landscape", {297, 420, PageOrientation::Landscape}, 1191, 842}),
                         [](const ::testing::TestParamInfo<PaperCase>& info) { return std::string(info.param.Name); });

struct ChangedMileageCase {
    int Choice;
    bool Printed;
    bool Stored;
};

class ChangedMileage : public PrintForms, public ::testing::WithParamInterface<ChangedMileageCase> {};

TEST_P(ChangedMileage, TheBoxDecidesWhetherTheVehicleIsStoredAndTheSheetPrinted) {
    const ChangedMileageCase c = GetParam();
    SeedVehicle({{Monitor, Numbered("L", 3)}});
    Reg().WriteVehicleFields(Customer, Vehicle, VehicleSections(LongVehicle)); // stored whole when not changed
    PrintSetupForm* f = OpenPrintSetup();
    const std::string before = VehicleProfileBytes();
    Named<QLineEdit>(f, "走行距離")->clear();
    Type(Named<QLineEdit>(f, "走行距離"), "46000");
    dialogs.QueueChoice(c.Choice);
    if (c.Printed) {
        dialogs.QueuePrint(PdfTarget("sheet.pdf"));
    }
    Press(f, "印刷実行");

    ASSERT_EQ(dialogs.Choices().size(), 1u);
    const ShownChoice& box = dialogs.Choices().front();
    EXPECT_EQ(box.icon, DialogIcon::Information);
    EXPECT_EQ(box.caption, "確認");
    EXPECT_EQ(box.text, "＊＊＊＊＊お客様情報が変更されています。＊＊＊＊＊　　\n\n"
                        "　 保存・印刷 ： 登録した後に印刷する。\n"
                        "　 印　　　刷 ： 印刷のみ行う。\n"
                        "　 キャンセル ： 登録も印刷も行わない。\n");
    EXPECT_EQ(box.buttons, (std::vector<std::string>{"保存・印刷", "印刷", "キャンセル"}));
    EXPECT_EQ(fs::exists(folder / "sheet.pdf"), c.Printed);
    EXPECT_EQ(dialogs.PrintDialogs().size(), c.Printed ? 1u : 0u);
    std::string expected = before;
    if (c.Stored) {
        const auto at = expected.find("DATA0=12000");
        ASSERT_NE(at, std::string::npos);
        expected.replace(at, 11, "DATA0=46000");
    }
    EXPECT_EQ(VehicleProfileBytes(), expected);
    EXPECT_TRUE(dialogs.Messages().empty());
    if (c.Printed) {
        const std::string text =
            Tool("pdftotext", {"-enc", "UTF-8", QString::fromStdString((folder / "sheet.pdf").string()), "-"});
        EXPECT_NE(text.find("46000ｋｍ"), std::string::npos) << text;
    }

    // Stored, the vehicle now equals the sheet: the next print asks nothing.
    dialogs.Clear();
    if (!c.Stored) {
        dialogs.QueueChoice(static_cast<int>(VehicleChangedChoice::Cancel));
    }
    Press(f, "印刷実行");
    EXPECT_EQ(dialogs.Choices().size(), c.Stored ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(PrintForms, ChangedMileage,
                         ::testing::Values(ChangedMileageCase{0, true, true}, ChangedMileageCase{1, true, false},
                                           ChangedMileageCase{2, false, false}, ChangedMileageCase{-1, false, false}));

// A vehicle's place in the list (its management number) comes from its folder's time: saving the first of three
// through the print setup and the vehicle form moves none of them.
TEST_F(PrintForms, SavingAVehicleKeepsTheOrderAndNumbersOfTheVehicles) {
    const std::vector<std::string> order{"品川1", "品川2", "品川3"};
    Seed({{Customer, order}});
    auto listed = [this] {
        std::vector<std::string> numbers;
        for (const VehicleEntry& vehicle : Reg().ListVehicles(Customer)) {
            numbers.push_back(vehicle.Number);
        }
        return numbers;
    };
    PrintSetupForm* print = OpenPrintSetup();
    ASSERT_EQ(T(Named<QLineEdit>(print, "車両番号")->text()), "品川1");
    Named<QLineEdit>(print, "走行距離")->setText("46000");
    dialogs.QueueChoice(static_cast<int>(VehicleChangedChoice::SaveAndPrint));
    dialogs.QueuePrint(PdfTarget("sheet.pdf"));
    Press(print, "印刷実行");
    EXPECT_EQ(Reg().ReadVehicle(Customer, "品川1").Mileage, "46000");
    EXPECT_EQ(listed(), order);
    Press(print, "閉じる");
    VehicleInfoForm* info = Forms().VehicleInfo;
    EXPECT_EQ(Items(Named<QComboBox>(info, "車両番号")), order);
    EXPECT_EQ(T(Named<QComboBox>(info, "管理番号")->currentText()), "1");

    Press(info, "戻　　る");
    Press(Forms().MonitorMenu, "車 両 情 報 登録");
    VehicleUpdateForm* update = Forms().VehicleUpdate;
    ASSERT_EQ(T(Named<QLineEdit>(update, "新規車両番号")->text()), "品川1");
    Named<QLineEdit>(update, "メーカー")->setText("トヨタ");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(update, "車両情報確定");
    EXPECT_EQ(Reg().ReadVehicle(Customer, "品川1").Maker, "トヨタ");
    EXPECT_EQ(listed(), order);
    EXPECT_EQ(Items(Named<QComboBox>(update, "車両番号")), order);
    EXPECT_EQ(T(Named<QLineEdit>(update, "管理番号")->text()), "1");
}

TEST_F(PrintForms, PreviewShowsTheSheetOnOnePage) {
    SeedVehicle({{Monitor, Numbered("L", 3)}});
    PrintSetupForm* f = OpenPrintSetup();
    int pages = -1;
    f->SetPreviewRunner([&pages](QPrintPreviewDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        pages = preview->pageCount();
    });
    Press(f, "印刷プレビュー");
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(dialogs.PrintDialogs().empty());
}

TEST_F(PrintForms, JudgementPhraseComesFromAChosenPhraseFileAndTheDictionarySettingStays) {
    SeedVehicle({});
    WriteBytes(folder / "文例.txt", Sjis("ブレーキパッド残量少\r\n異常なし\r\n"));
    PrintSetupForm* f = OpenPrintSetup();
    const std::string dictionary = main->State.Paths.PhraseFile;
    QPlainTextEdit* judgement = Named<QPlainTextEdit>(f, "総　合　判　定");
    judgement->setPlainText("総合的に良好");
    for (int pass = 0; pass < 2; ++pass) {
        dialogs.QueueFile((folder / "文例.txt").string());
        QTimer::singleShot(0, [pass] {
            Named<QListWidget>(Forms().Phrases, "登録文章")->setCurrentRow(pass);
            Press(Forms().Phrases, "選　択");
        });
        Press(f, "登録文章呼出し", 2); // the judgement's: the hidden message lines' two come first
        EXPECT_EQ(main->State.Paths.PhraseFile, dictionary);
    }
    // Closing the picker without a choice leaves the judgement as it is.
    dialogs.QueueFile((folder / "文例.txt").string());
    QTimer::singleShot(0, [] { Press(Forms().Phrases, "閉じる"); });
    Press(f, "登録文章呼出し", 2);
    EXPECT_EQ(T(judgement->toPlainText()), "総合的に良好\nブレーキパッド残量少\n異常なし");

    ASSERT_EQ(dialogs.FileDialogs().size(), 3u);
    const FileDialogOptions& first = dialogs.FileDialogs()[0];
    EXPECT_EQ(first.title, "登録文書　ファイル選択");
    EXPECT_EQ(first.filter, "登録文書ファイル(*.txt)|*.txt");
    EXPECT_EQ(first.defaultExtension, "txt");
    EXPECT_EQ(first.folder, main->State.Paths.OwnerDir + "登録文書");
    EXPECT_EQ(dialogs.FileDialogs()[1].folder, ""); // later the dialog starts where the user left it
}

// The print dialog hands on the paper and orientation chosen in its properties, not only the printer or file.
TEST(QtDialogs, PrintDialogHandsOnThePaperAndOrientationChosen) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows print dialog is the system's own";
#else
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        auto* properties = dialog ? dialog->findChild<QPushButton*>("properties") : nullptr;
        if (!properties) {
            ADD_FAILURE() << "no print dialog with a properties button";
            QApplication::activeModalWidget()->close();
            return;
        }
        QTimer::singleShot(0, [dialog] {
            auto* page = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* landscape = page ? page->findChild<QRadioButton*>("landscape") : nullptr;
            auto* paper = page ? page->findChild<QComboBox*>("pageSizeCombo") : nullptr;
            EXPECT_TRUE(landscape && paper) << "no page properties with paper and orientation";
            if (landscape && paper) {
                landscape->click();
                paper->setCurrentIndex(paper->findText("A5"));
            }
            if (page && page != dialog) {
                page->accept();
            }
            dialog->accept();
        });
        properties->click();
    });
    QtDialogs dialogs;
    const std::optional<PrintTarget> target = dialogs.Print(PrintDialogOptions{});
    ASSERT_TRUE(target && target->page);
    EXPECT_EQ(std::vector<double>({target->page->paperWidthMm, target->page->paperHeightMm}),
              std::vector<double>({148, 210}));
    EXPECT_EQ(target->page->orientation, PageOrientation::Landscape);
#endif
}

// Without a printer the sheet is measured on an A4 PDF page at 600 dpi, in the sheet font or its IPA fallback.
TEST(QtCanvas, MeasuresOnAnA4PdfPageAt600DpiWithoutAPrinter) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
        GTEST_SKIP() << "this machine has a printer";
    }
    const std::unique_ptr<QPrinter> printer = MakeSheetPrinter(nullptr);
    EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer->resolution(), PdfPrinterResolution);
    QtCanvas canvas(*printer, nullptr);
    // A4 less a 4.2 mm border on each side: (210 - 8.4) / 25.4 * 600 and (297 - 8.4) / 25.4 * 600, as Qt
    // rounds the page to whole points.
    EXPECT_NEAR(canvas.PageWidth(), 4762, 8);
    EXPECT_NEAR(canvas.PageHeight(), 6817, 8);
    const bool windowsFont = QFontDatabase::families().contains(QString::fromUtf8(SheetFontFace));
    EXPECT_EQ(T(InstalledFontFamily(SheetFontFace)), windowsFont ? SheetFontFace : "IPAGothic");
    // 12 points at 600 dpi: a full-width character is 100 device units wide, as on the printer.
    canvas.SetFontSize(12);
    EXPECT_EQ(canvas.TextWidth("車両番号"), 400);
    EXPECT_EQ(canvas.TextWidth("ABCD"), 200);
    EXPECT_GE(canvas.TextHeight("車両番号"), 100);
}
