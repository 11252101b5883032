#include "PrintForms.h"

#include "common/ui/QtDialogs.h"
#include "print/PrintSetup.h"
#include "print/ui/QtCanvas.h"
#include "settings/ui/PhrasePicker.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
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

using Fields = std::vector<std::pair<QLineEdit*, std::string>>;

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

void ExpectFields(const Fields& fields) {
    for (const auto& [edit, text] : fields) {
        EXPECT_EQ(T(edit->text()), text) << T(edit->objectName());
    }
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
    ExpectFields({{f->titleEdit_, "点検・診断・結果表"},
                  {f->customerNameEdit_, Customer},
                  {f->postCode1Edit_, "140"},
                  {f->postCode2Edit_, "0001"},
                  {f->addressEdit_, "東京都品川区北品川1-2-3"},
                  {f->phone1Edit_, "03"},
                  {f->phone2Edit_, "1234"},
                  {f->phone3Edit_, "5678"},
                  {f->mobile1Edit_, "090"},
                  {f->mobile3Edit_, "2222"},
                  {f->vehicleNumberEdit_, Vehicle},
                  {f->bodyNumberEdit_, "E13-0002"},
                  {f->firstRegistrationEdit_, "令和2年10月"},
                  {f->mileageEdit_, "12000"},
                  {f->nextInspectionEdit_, "2027年5月31日"},
                  {f->carNameEdit_, "ノート"},
                  {f->typeEdit_, "6AA-E13"},
                  {f->engineTypeEdit_, "HR12"},
                  {f->workshopNameEdit_, "ベクトル自動車"},
                  // A phone of three groups fills the three parts; one without "-" only the first.
                  {f->workshopPhone1Edit_, "03"},
                  {f->workshopPhone2Edit_, "3761"},
                  {f->workshopPhone3Edit_, "1234"},
                  {f->workshopFax1Edit_, "0337611235"},
                  {f->workshopFax2Edit_, ""},
                  {f->workshopFax3Edit_, ""},
                  // No postal code stored: 000-0000.
                  {f->workshopPostCode1Edit_, "000"},
                  {f->workshopPostCode2Edit_, "0000"},
                  {f->workshopAddressEdit_, "東京都品川区南大井"},
                  {f->message1Edit_, "車検はお任せ下さい"},
                  {f->message2Edit_, ""}});
    EXPECT_TRUE(f->judgementMemo_->toPlainText().isEmpty());
    EXPECT_FALSE(f->dataPrintButton_->isVisible());
    EXPECT_FALSE(f->message1Edit_->isVisible());

    f->closeButton_->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Forms().VehicleInfo->isVisible());
}

TEST_F(PrintForms, NumberFieldsTakeDigitsOnlyAndResetRestoresTheTitle) {
    SeedVehicle({});
    PrintSetupForm* f = OpenPrintSetup();
    for (QLineEdit* edit :
         {f->workshopPhone1Edit_, f->workshopPhone2Edit_, f->workshopPhone3Edit_, f->workshopFax1Edit_,
          f->workshopFax2Edit_, f->workshopFax3Edit_, f->workshopPostCode1Edit_, f->workshopPostCode2Edit_}) {
        edit->clear();
        Type(edit, "0a3-Ｂ9");
        EXPECT_EQ(T(edit->text()), "039") << T(edit->objectName());
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(T(edit->text()), "03") << T(edit->objectName());
    }
    f->titleEdit_->setText("点検結果");
    f->resetTitleButton_->click();
    EXPECT_EQ(T(f->titleEdit_->text()), "点検・診断・結果表");
}

TEST_F(PrintForms, VehicleWithoutRecordsHasFourEmptySlots) {
    SeedVehicle({});
    PrintSetupForm* f = OpenPrintSetup();
    for (int k = 0; k < PrintSlotCount; ++k) {
        EXPECT_EQ(f->slotCombos_[k]->count(), 0) << k;
        EXPECT_EQ(T(f->slotLabels_[k]->text()), "選択印刷項目数 0") << k;
        EXPECT_FALSE(f->slotButtons_[k]->isEnabled()) << k;
    }
    // The sheet still prints, without items.
    dialogs.QueuePrint(PdfTarget("empty.pdf"));
    f->printButton_->click();
    EXPECT_TRUE(fs::exists(folder / "empty.pdf"));
}

TEST_F(PrintForms, SlotsChooseTheMeasuredLinesAndTheDialogEditsThem) {
    SeedVehicle({{Monitor, Numbered("L", 60)}, {Diagnosis, Numbered("P", 3)}});
    PrintSetupForm* f = OpenPrintSetup();
    // At show every slot takes the first 15 lines of the first record; later changes the page's capacity.
    for (int k = 0; k < PrintSlotCount; ++k) {
        EXPECT_EQ(T(f->slotCombos_[k]->currentText()), Monitor);
        EXPECT_EQ(T(f->slotLabels_[k]->text()), "選択印刷項目数 15");
    }
    const int perColumn = f->Slots().LinesPerColumn();
    EXPECT_GT(perColumn, 15); // an A4 page at 600 dpi with a six-line judgement
    EXPECT_LT(perColumn, 60);
    QComboBox* chooser = f->slotCombos_[1];
    chooser->setCurrentIndex(1);
    emit chooser->activated(1);
    EXPECT_EQ(T(f->slotLabels_[1]->text()), "選択印刷項目数 3");
    chooser->setCurrentIndex(0);
    emit chooser->activated(0);
    EXPECT_EQ(T(f->slotLabels_[1]->text()), "選択印刷項目数 " + std::to_string(perColumn));

    // The dialog opens with the slot's lines checked; Cancel keeps the count whatever was changed.
    f->slotCombos_[2]->setCurrentIndex(1);
    emit f->slotCombos_[2]->activated(1);
    WhileItemsAreOpen([](PrintItemDialog* d) {
        EXPECT_EQ(T(d->windowTitle()), "印刷項目の選択");
        EXPECT_EQ(d->itemList_->count(), 3);
        EXPECT_EQ(CheckedRows(d), (std::vector<int>{0, 1, 2}));
        d->clearAllButton_->click();
        d->cancelButton_->click();
    });
    f->slotButtons_[2]->click();
    EXPECT_EQ(T(f->slotLabels_[2]->text()), "選択印刷項目数 3");
    EXPECT_EQ(f->Slots().ChosenLines(2), (std::vector<int>{0, 1, 2}));

    // "全解除" then two lines and OK; re-selecting the same record keeps that choice.
    WhileItemsAreOpen([](PrintItemDialog* d) {
        d->clearAllButton_->click();
        d->itemList_->item(2)->setCheckState(Qt::Checked);
        d->doneButton_->click();
    });
    f->slotButtons_[2]->click();
    EXPECT_EQ(T(f->slotLabels_[2]->text()), "選択印刷項目数 1");
    emit f->slotCombos_[2]->activated(1);
    EXPECT_EQ(f->Slots().ChosenLines(2), std::vector<int>{2});
    WhileItemsAreOpen([](PrintItemDialog* d) {
        EXPECT_EQ(CheckedRows(d), std::vector<int>{2});
        d->clearAllButton_->click();
        d->doneButton_->click();
    });
    f->slotButtons_[2]->click();
    EXPECT_EQ(T(f->slotLabels_[2]->text()), "選択印刷項目数 0");
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PrintForms, MoreThan639CheckedLinesAreCutAndTheUserIsTold) {
    SeedVehicle({{Monitor, Numbered("L", 700)}});
    PrintSetupForm* f = OpenPrintSetup();
    WhileItemsAreOpen([](PrintItemDialog* d) {
        d->checkAllButton_->click();
        d->doneButton_->click();
    });
    f->slotButtons_[0]->click();
    EXPECT_EQ(T(f->slotLabels_[0]->text()), "選択印刷項目数 639");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{SlotLinesCutText});
}

TEST_F(PrintForms, MissingRecordIsNamedAndNothingIsPrinted) {
    SeedVehicle({{Monitor, Numbered("L", 5)}});
    PrintSetupForm* f = OpenPrintSetup();
    fs::remove(PathFromUtf8(Reg().Vehicle(Customer, Vehicle).RecordFile(Monitor)));
    f->printButton_->click();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{UnreadableRecordMessage(Monitor)});
    EXPECT_TRUE(dialogs.PrintDialogs().empty());
    EXPECT_TRUE(dialogs.Choices().empty());
}

// The sheet printed to a PDF file through the printer canvas: real text on one A4 page.
TEST_F(PrintForms, OnlyTheTitleChangedPrintsWithoutAskingToARealPdf) {
    SeedVehicle({{Monitor, {"エンジン回転数 750rpm", "冷却水温 82℃", "車速 0km/h"}}});
    PrintSetupForm* f = OpenPrintSetup();
    f->titleEdit_->setText("点検結果のお知らせ");
    // Slot 1 prints the record's second line; the other slots nothing.
    for (int k = 0; k < PrintSlotCount; ++k) {
        WhileItemsAreOpen([k](PrintItemDialog* d) {
            d->clearAllButton_->click();
            if (k == 0) {
                d->itemList_->item(1)->setCheckState(Qt::Checked);
            }
            d->doneButton_->click();
        });
        f->slotButtons_[k]->click();
    }
    dialogs.QueuePrint(PdfTarget("sheet.pdf"));
    f->printButton_->click();
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
    f->printButton_->click();

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
    f->mileageEdit_->clear();
    Type(f->mileageEdit_, "46000");
    dialogs.QueueChoice(c.Choice);
    if (c.Printed) {
        dialogs.QueuePrint(PdfTarget("sheet.pdf"));
    }
    f->printButton_->click();

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
    f->printButton_->click();
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
    ASSERT_EQ(T(print->vehicleNumberEdit_->text()), "品川1");
    print->mileageEdit_->setText("46000");
    dialogs.QueueChoice(static_cast<int>(VehicleChangedChoice::SaveAndPrint));
    dialogs.QueuePrint(PdfTarget("sheet.pdf"));
    print->printButton_->click();
    EXPECT_EQ(Reg().ReadVehicle(Customer, "品川1").Mileage, "46000");
    EXPECT_EQ(listed(), order);
    print->closeButton_->click();
    VehicleInfoForm* info = Forms().VehicleInfo;
    EXPECT_EQ(Items(info, "車両番号"), order);
    EXPECT_EQ(TextOf(info, "管理番号"), "1");

    Press(info, "戻　　る");
    Forms().MonitorMenu->vehicleButton_->click();
    VehicleUpdateForm* update = Forms().VehicleUpdate;
    ASSERT_EQ(TextOf(update, "新規車両番号"), "品川1");
    Enter(update, "メーカー", "トヨタ");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(update, "車両情報確定");
    EXPECT_EQ(Reg().ReadVehicle(Customer, "品川1").Maker, "トヨタ");
    EXPECT_EQ(listed(), order);
    EXPECT_EQ(Items(update, "車両番号"), order);
    EXPECT_EQ(TextOf(update, "管理番号"), "1");
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
    f->previewButton_->click();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(dialogs.PrintDialogs().empty());
}

TEST_F(PrintForms, JudgementPhraseComesFromAChosenPhraseFileAndTheDictionarySettingStays) {
    SeedVehicle({});
    WriteBytes(folder / "文例.txt", Sjis("ブレーキパッド残量少\r\n異常なし\r\n"));
    PrintSetupForm* f = OpenPrintSetup();
    const std::string dictionary = main->State.Paths.PhraseFile;
    f->judgementMemo_->setPlainText("総合的に良好");
    for (int pass = 0; pass < 2; ++pass) {
        dialogs.QueueFile((folder / "文例.txt").string());
        QTimer::singleShot(0, [pass] {
            PhrasePicker* picker = Forms().Phrases;
            picker->phraseList_->setCurrentRow(pass);
            picker->chooseButton_->click();
        });
        f->judgementPhraseButton_->click();
        EXPECT_EQ(main->State.Paths.PhraseFile, dictionary);
    }
    // Closing the picker without a choice leaves the judgement as it is.
    dialogs.QueueFile((folder / "文例.txt").string());
    QTimer::singleShot(0, [] { Forms().Phrases->closeButton_->click(); });
    f->judgementPhraseButton_->click();
    EXPECT_EQ(T(f->judgementMemo_->toPlainText()), "総合的に良好\nブレーキパッド残量少\n異常なし");

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
