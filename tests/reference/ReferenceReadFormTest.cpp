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
    OpenMenu();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->windowTitle().toStdString(), "参考値の管理");
    const std::pair<QWidget*, const char*> buttons[] = {{menu, "テスターより参考値データ読み込み、削除"},
                                                        {menu, "パソコンよりテスターへ参考値書込み､表示"},
                                                        {menu, "参　考　値　全　削　除"},
                                                        {menu, "戻　る"},
                                                        {read, "読み込み実行"},
                                                        {read, "参考値の保存"},
                                                        {read, "ﾃｽﾀｰの参考値削除"},
                                                        {read, "戻　る"},
                                                        {write, "参考値の選択"},
                                                        {write, "書き込み実行"},
                                                        {write, "戻　る"}};
    for (const auto& [form, caption] : buttons) {
        EXPECT_EQ(AllNamed<QPushButton>(form, caption).size(), 1) << caption;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_FALSE(Field(read, static_cast<InfoField>(i))->isReadOnly());
        EXPECT_TRUE(Field(write, static_cast<InfoField>(i))->isReadOnly());
    }
    EXPECT_FALSE(Sets()->isEditable());
    EXPECT_TRUE(Named<QPlainTextEdit>(write, "参考値変換値")->isReadOnly());
    EXPECT_NE(Named<QListWidget>(write, "選択された参考値ファイル"), nullptr);

    // Typed letters of the mileage become lower case.
    QTest::keyClicks(Field(read, InfoField::Mileage), "12AbC");
    EXPECT_EQ(Field(read, InfoField::Mileage)->text().toStdString(), "12abc");

    Press(menu, "戻　る");
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
    EXPECT_EQ(Sets()->count(), 0);
    for (const char* caption : {"読み込み実行", "参考値の保存", "ﾃｽﾀｰの参考値削除"}) {
        EXPECT_FALSE(Enabled(read, caption)) << caption;
    }
    EXPECT_FALSE(menu->isVisible());
    // The form closed the link the list job left open.
    EXPECT_EQ(Sent(), (Lines{"AA0000", "DC0000", "AB0000"}));
    EXPECT_EQ(main->Link->DeviceHandle, 0);
    Press(read, "戻　る");
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(ReferenceForms, EntryTenIsReadAs000AAndDeletedAs10) {
    Use(Scenario(11));
    OpenMenu();
    ASSERT_TRUE(ListSets());
    ASSERT_EQ(Entries().size(), 11u);
    EXPECT_EQ(Entries()[10], "車10 DBA-XY12 MR20");
    EXPECT_EQ(Sets()->currentIndex(), 0);
    EXPECT_TRUE(Enabled(read, "読み込み実行") && Enabled(read, "ﾃｽﾀｰの参考値削除"));
    EXPECT_FALSE(Enabled(read, "参考値の保存"));

    Sets()->setCurrentIndex(10);
    Press(read, "読み込み実行");
    EXPECT_EQ(Shown(read), (Texts{"車10", "DBA-XY12", "MR20", "2019年", "45210", "点検"}));
    EXPECT_TRUE(Enabled(read, "参考値の保存"));
    EXPECT_FALSE(Forms().Wait->isVisible());
    EXPECT_EQ(ReadSectionLine(WorkFilePath(folder.Dir()), "[DATA]", "DATA="), SetData(10, "車10") + "\n");
    EXPECT_EQ(ReadSectionLine(WorkFilePath(folder.Dir()), "[VALUE]", "DATA="), Sjis("回転 10,86,\n"));

    // Another entry clears the description and takes the save away.
    Sets()->setFocus();
    QTest::keyClick(Sets(), Qt::Key_Up);
    EXPECT_EQ(Sets()->currentIndex(), 9);
    EXPECT_EQ(Shown(read), Texts{});
    EXPECT_FALSE(Enabled(read, "参考値の保存"));

    Sets()->setCurrentIndex(10);
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(read, "ﾃｽﾀｰの参考値削除");
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
    Press(read, "読み込み実行");
    Field(read, InfoField::VehicleName)->setText("セダン");
    Field(read, InfoField::Mileage)->clear();
    QTest::keyClicks(Field(read, InfoField::Mileage), "9K");

    // Cancel on the overwrite question leaves the file and the form as they were.
    dialogs.QueueFile(Path("keep.DTKJ2"));
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(read, "参考値の保存");
    EXPECT_EQ(ReadBytes(folder / "keep.DTKJ2"), other);
    EXPECT_TRUE(read->isVisible());

    dialogs.QueueFile(Path("keep.DTKJ2"));
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(read, "参考値の保存");
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
    Press(read, "読み込み実行");
    EXPECT_EQ(Shown(read)[1], "Ⅰ纊∵￢");
    Field(read, InfoField::VehicleName)->end(false);
    QTest::keyClicks(Field(read, InfoField::VehicleName), "2");
    dialogs.QueueFile(Path("set.DTKJ2"));
    Press(read, "参考値の保存");

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
    Sets()->setCurrentIndex(1);
    Press(read, "読み込み実行");
    EXPECT_EQ(dialogs.Texts(), GetParam().messages);
    EXPECT_EQ(Shown(read)[0], GetParam().descriptionShown ? "車01" : "");
    EXPECT_FALSE(Enabled(read, "参考値の保存"));
    EXPECT_FALSE(Forms().Wait->isVisible());
    EXPECT_EQ(main->Link->DeviceHandle, 0);

    dialogs.Clear();
    PressDisabled(read, "参考値の保存");
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
    Press(menu, "テスターより参考値データ読み込み、削除");
    EXPECT_EQ(dialogs.Texts(), Lines{ReadCapabilityText()});
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(read->isVisible());
    EXPECT_EQ(Sent(), (Lines{"AA0000", "AB0000"}));

    // Cancel sends nothing.
    dialogs.Clear();
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(menu, "参　考　値　全　削　除");
    EXPECT_EQ(Sent().size(), 2u);

    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(menu, "参　考　値　全　削　除");
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"テスターの基準値を全て削除して、よろしいですか？",
                     "テスターの基準値を全て削除して、よろしいですか？", "テスターの基準値を全て削除しました。"}));
    EXPECT_EQ(Sent(), (Lines{"AA0000", "AB0000", "AA0000", "DD0003ALL", "AB0000"}));
    ExpectAllAccepted();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(main->Link->DeviceHandle, 0);
}

} // namespace
