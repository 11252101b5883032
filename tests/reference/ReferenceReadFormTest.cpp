#include "ReferenceForms.h"

#include "common/TextFile.h"
#include "reference/ReferenceTexts.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

using namespace vanto;
using namespace vanto::test;

namespace {

TEST_F(ReferenceForms, ControlsCaptionsAndTheWayThroughTheMenu) {
    Use(Scenario(1));
    ASSERT_TRUE(Named<QPushButton>(main, "参  考  値  管  理")->isEnabled());
    OpenMenu();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->windowTitle().toStdString(), "参考値の管理");
    const struct {
        QWidget* form;
        const char* name;
        const char* caption;
    } buttons[] = {{menu, "GetSampleDataBTN", "テスターより参考値データ読み込み、削除"},
                   {menu, "PutDataBTN", "パソコンよりテスターへ参考値書込み､表示"},
                   {menu, "REF_ALL_BTN", "参　考　値　全　削　除"},
                   {menu, "modoru_BTN", "戻　る"},
                   {read, "Button1", "読み込み実行"},
                   {read, "Button3", "参考値の保存"},
                   {read, "Button4", "ﾃｽﾀｰの参考値削除"},
                   {read, "Button2", "戻　る"},
                   {write, "Button3", "参考値の選択"},
                   {write, "Button1", "書き込み実行"},
                   {write, "Button2", "戻　る"}};
    for (const auto& b : buttons) {
        if (auto* button = Find<QPushButton>(b.form, b.name)) {
            EXPECT_EQ(button->text().toStdString(), b.caption) << b.name;
        }
    }
    const char* edits[] = {"Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10"};
    for (std::size_t i = 0; i < 6; ++i) {
        auto* readEdit = Find<QLineEdit>(read, edits[i]);
        auto* writeEdit = Find<QLineEdit>(write, edits[i]);
        ASSERT_TRUE(readEdit && writeEdit);
        EXPECT_EQ(readEdit->accessibleName().toStdString(), InfoFieldCaptions[i]);
        EXPECT_FALSE(readEdit->isReadOnly());
        EXPECT_TRUE(writeEdit->isReadOnly());
    }
    EXPECT_FALSE(Find<QComboBox>(read, "ComboBox1")->isEditable());
    EXPECT_TRUE(Find<QPlainTextEdit>(write, "Memo1")->isReadOnly());
    EXPECT_EQ(write->valuesMemo_->accessibleName().toStdString(), "参考値変換値");
    EXPECT_NE(Find<QListWidget>(write, "ListBox1"), nullptr);

    // Typed letters of the mileage become lower case.
    QTest::keyClicks(read->mileageEdit_, "12AbC");
    EXPECT_EQ(read->mileageEdit_->text().toStdString(), "12abc");

    menu->backButton_->click();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(emulator->Transcript().empty());
}

TEST_F(ReferenceForms, NoSetShowsTheMessageAndDisablesTheButtons) {
    Use(Scenario(0));
    OpenMenu();
    ASSERT_TRUE(ListSets());
    EXPECT_EQ(read->windowTitle().toStdString(), "テスターより参考値データ読み込み、削除");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "テスターに参考値が有りません。");
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Information);
    EXPECT_EQ(read->setCombo_->count(), 0);
    for (QPushButton* button : {read->readButton_, read->saveButton_, read->deleteButton_}) {
        EXPECT_FALSE(button->isEnabled());
    }
    EXPECT_FALSE(menu->isVisible());
    // The form closed the link the list job left open.
    EXPECT_EQ(Sent(), (Lines{"AA0000", "DC0000", "AB0000"}));
    EXPECT_EQ(main->Link->DeviceHandle, 0);
    read->backButton_->click();
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(ReferenceForms, EntryTenIsReadAs000AAndDeletedAs10) {
    Use(Scenario(11));
    OpenMenu();
    ASSERT_TRUE(ListSets());
    ASSERT_EQ(Entries().size(), 11u);
    EXPECT_EQ(Entries()[10], "車10 DBA-XY12 MR20");
    EXPECT_EQ(read->setCombo_->currentIndex(), 0);
    EXPECT_TRUE(read->readButton_->isEnabled() && read->deleteButton_->isEnabled());
    EXPECT_FALSE(read->saveButton_->isEnabled());

    read->setCombo_->setCurrentIndex(10);
    read->readButton_->click();
    EXPECT_EQ(Shown(read), (Texts{"車10", "DBA-XY12", "MR20", "2019年", "45210", "点検"}));
    EXPECT_TRUE(read->saveButton_->isEnabled());
    EXPECT_FALSE(Forms().Wait->isVisible());
    EXPECT_EQ(ReadSectionLine(WorkFilePath(folder.Dir()), "[DATA]", "DATA="), SetData(10, "車10") + "\n");
    EXPECT_EQ(ReadSectionLine(WorkFilePath(folder.Dir()), "[VALUE]", "DATA="), Sjis("回転 10,86,\n"));

    // Another entry clears the description and takes the save away.
    read->setCombo_->setFocus();
    QTest::keyClick(read->setCombo_, Qt::Key_Up);
    EXPECT_EQ(read->setCombo_->currentIndex(), 9);
    EXPECT_EQ(Shown(read), Texts{});
    EXPECT_FALSE(read->saveButton_->isEnabled());

    read->setCombo_->setCurrentIndex(10);
    dialogs.QueueAnswer(DialogAnswer::Ok);
    read->deleteButton_->click();
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"テスターの基準値を削除して、よろしいですか？", "テスターの基準値を削除しました。"}));
    EXPECT_FALSE(read->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(Sent(), (Lines{"AA0000", "DC0000", "AB0000", "AA0000", std::string("DF0009000ADATA\0", 15),
                             std::string("DF000A000AVALUE\0", 16), "AB0000", "AA0000", "DD000210", "AB0000"}));
    ExpectAllAccepted();
}

TEST_F(ReferenceForms, EditedDescriptionIsSavedBehindTheTestersHeaderAfterAsking) {
    Use(Scenario(1));
    const std::string other = "[OTHER]\r\nX=1\r\n";
    WriteBytes(folder / "keep.DTKJ2", other);
    OpenMenu();
    ASSERT_TRUE(ListSets());
    read->readButton_->click();
    read->vehicleNameEdit_->setText("セダン");
    read->mileageEdit_->clear();
    QTest::keyClicks(read->mileageEdit_, "9K");

    // Cancel on the overwrite question leaves the file and the form as they were.
    dialogs.QueueFile(Path("keep.DTKJ2"));
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    read->saveButton_->click();
    EXPECT_EQ(ReadBytes(folder / "keep.DTKJ2"), other);
    EXPECT_TRUE(read->isVisible());

    dialogs.QueueFile(Path("keep.DTKJ2"));
    dialogs.QueueAnswer(DialogAnswer::Ok);
    read->saveButton_->click();
    EXPECT_EQ(dialogs.Texts(), Lines(2, "既に同じファイル名が存在します、上書きしてよろしいですか？"));
    ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
    const FileDialogOptions& options = dialogs.FileDialogs()[1];
    EXPECT_EQ(options.title, "参考値ファイル名指定");
    EXPECT_EQ(options.fileName, "*.*");
    EXPECT_EQ(options.filter, "参考値ファイル2(*.DTKJ2)|*.DTKJ2");
    EXPECT_EQ(options.defaultExtension, "DTKJ2");

    // The description changes in INFO and behind the tester's header; header, measurements and values do not.
    const std::string record =
        Pad(Sjis("セダン"), 20) + SetData(0, "").substr(28, 60) + Pad("9k", 8) + Pad(Sjis("点検"), 128);
    EXPECT_EQ(ReadBytes(folder / "keep.DTKJ2"), other + "[INFO]\r\nDATA=" + record + "\r\n[DATA]\r\nDATA=21A03B00" +
                                                    record + "IDL=00,\n\r\n[VALUE]\r\nDATA=" + Sjis("回転 00,86,") +
                                                    "\n\r\n");
    EXPECT_FALSE(read->isVisible());
    EXPECT_TRUE(menu->isVisible());
}

// CP932 writes some characters twice (NEC and IBM rows); showing them merges the codes. A field left alone is
// saved as the tester's bytes, an edited one from its text.
TEST_F(ReferenceForms, UneditedFieldsKeepTheBytesTheTesterSent) {
    const std::string repeated = "\xFA\x4A\xED\x40\x87\x9A\xEE\xF9";
    Use(R"({"reference": {"sets": [{"header": "21A03B00", "info": {"vehicle": {"hex": "FA 4A 41"},
           "type": {"hex": "FA 4A ED 40 87 9A EE F9"}, "engine": "MR20", "year": "2019", "mileage": "45210",
           "comment": {"hex": "41 ED 40"}}, "payload": "IDL=00,", "values": ["12"]}]}})");
    OpenMenu();
    ASSERT_TRUE(ListSets());
    read->readButton_->click();
    EXPECT_EQ(Shown(read)[1], "Ⅰ纊∵￢");
    read->vehicleNameEdit_->end(false);
    QTest::keyClicks(read->vehicleNameEdit_, "2");
    dialogs.QueueFile(Path("set.DTKJ2"));
    read->saveButton_->click();

    const std::string record = Pad("\x87\x54"
                                   "A2",
                                   20) +
                               Pad(repeated, 20) + Pad("MR20", 20) + Pad("2019", 20) + Pad("45210", 8) +
                               Pad("A\xED\x40", 128);
    EXPECT_EQ(ReadBytes(folder / "set.DTKJ2"), "[INFO]\r\nDATA=" + record + "\r\n[DATA]\r\nDATA=21A03B00" + record +
                                                   "IDL=00,\n\r\n[VALUE]\r\nDATA=12,\n\r\n");
}

struct FailedReadCase {
    const char* name;
    const char* rule;
    bool descriptionShown; // the first pass succeeded
    Lines messages;
};

void PrintTo(const FailedReadCase& c, std::ostream* os) {
    *os << c.name;
}

class FailedRead : public ReferenceForms, public ::testing::WithParamInterface<FailedReadCase> {};

// A set read in part cannot be saved: DATA.WK would give a file of two sets, or of the set read before.
TEST_P(FailedRead, LeavesNothingToSave) {
    Use(Scenario(2, std::string(R"("faults": {"rules": [)") + GetParam().rule + "]}"));
    OpenMenu();
    ASSERT_TRUE(ListSets());
    read->setCombo_->setCurrentIndex(1);
    read->readButton_->click();
    EXPECT_EQ(dialogs.Texts(), GetParam().messages);
    EXPECT_EQ(Shown(read)[0], GetParam().descriptionShown ? "車01" : "");
    EXPECT_FALSE(read->saveButton_->isEnabled());
    EXPECT_FALSE(Forms().Wait->isVisible());
    EXPECT_EQ(main->Link->DeviceHandle, 0);

    dialogs.Clear();
    read->SaveAsFile();
    EXPECT_EQ(dialogs.Texts(), Lines{"テスター より基準値が読み込まれていません！"});
    EXPECT_TRUE(dialogs.FileDialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(ReferenceForms, FailedRead,
                         ::testing::Values(FailedReadCase{"SecondPassRefused",
                                                          R"({"command": "DF", "nth": 2, "action": "error"})",
                                                          true,
                                                          {"正常な通信が出来ません！"}},
                                           FailedReadCase{"UnpluggedInTheFirstPass",
                                                          R"({"command": "DF", "nth": 1, "action": "unplug_in_read"})",
                                                          false,
                                                          {Unplugged}},
                                           FailedReadCase{"UnpluggedInTheSecondPass",
                                                          R"({"command": "DF", "nth": 2, "action": "unplug_in_read"})",
                                                          true,
                                                          {Unplugged}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReferenceForms, CapabilityClearRefusesTheListButDeletesAll) {
    Use(Scenario(3, R"("opening": {"items": {"APP_V": "1.00", "BUFF": "2C00", "APP_LOG": "7FFFFFFF"}})"));
    OpenMenu();
    menu->readSetsButton_->click();
    ProcessEvents();
    EXPECT_EQ(dialogs.Texts(), Lines{ReadCapabilityText()});
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(read->isVisible());
    EXPECT_EQ(Sent(), (Lines{"AA0000", "AB0000"}));

    // Cancel sends nothing.
    dialogs.Clear();
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    menu->deleteAllButton_->click();
    EXPECT_EQ(Sent().size(), 2u);

    dialogs.QueueAnswer(DialogAnswer::Ok);
    menu->deleteAllButton_->click();
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"テスターの基準値を全て削除して、よろしいですか？",
                     "テスターの基準値を全て削除して、よろしいですか？", "テスターの基準値を全て削除しました。"}));
    EXPECT_EQ(Sent(), (Lines{"AA0000", "AB0000", "AA0000", "DD0003ALL", "AB0000"}));
    ExpectAllAccepted();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(main->Link->DeviceHandle, 0);
}

} // namespace
