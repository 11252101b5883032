#include "ReferenceForms.h"

#include "reference/ReferenceTexts.h"
#include "support/PaintedTexts.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QLabel>

#include <algorithm>
#include <functional>

using namespace vanto;
using namespace vanto::test;

namespace {

// A description record: vehicle, "TYPE", mileage "1000".
std::string Record(const std::string& vehicle) {
    return Pad(Pad(vehicle, 20) + "TYPE", 80) + Pad("1000", 136);
}

// A reference value file as the reading form saves it, with the tester's header and measurements and the values
// "1,2,"; without INFO or VALUE when asked.
std::string RefFile(const std::string& header, const std::string& vehicle, bool info = true, bool values = true) {
    return (info ? "[INFO]\r\nDATA=" + Record(vehicle) + "\r\n" : "") + "[DATA]\r\nDATA=" + header + Record(vehicle) +
           "M=" + vehicle + ",\n\r\n" + (values ? "[VALUE]\r\nDATA=1,2,\n\r\n" : "");
}

class Writing : public ReferenceForms {
protected:
    // Three valid files w0, w1, w2 in the program folder, and the writing form opened from the menu.
    Lines OpenWithThreeFiles(const std::string& scenario) {
        Use(scenario);
        Lines paths;
        for (int i = 0; i < 3; ++i) {
            const std::string name = "w" + std::to_string(i) + ".DTKJ2";
            WriteBytes(folder / name, RefFile("2B000000", "W" + std::to_string(i)));
            paths.push_back(Path(name));
        }
        OpenMenu();
        Press(menu, "パソコンよりテスターへ参考値書込み､表示");
        return paths;
    }
    void Pick(const Lines& paths) {
        dialogs.QueueFiles(paths);
        Press(write, "参考値の選択");
    }
    QListWidget* Files() const { return Named<QListWidget>(write, "選択された参考値ファイル"); }
    Lines Picked() const {
        Lines paths;
        for (int i = 0; i < Files()->count(); ++i) {
            paths.push_back(Files()->item(i)->text().toStdString());
        }
        return paths;
    }
    std::string Values() const { return Named<QPlainTextEdit>(write, "参考値変換値")->toPlainText().toStdString(); }
    // The sets in the tester, listed through the menu; back on the menu afterwards.
    Lines TesterSets() {
        EXPECT_TRUE(ListSets());
        const Lines entries = Entries();
        Press(read, "戻　る");
        return entries;
    }
};

TEST_F(Writing, ThreeFilesGoInDialogOrderWithTheirCountOnTheWaitDialog) {
    const Lines paths = OpenWithThreeFiles(Scenario(1, R"("faults": {"delay_ms": 5})"));
    ASSERT_TRUE(write->isVisible());
    EXPECT_FALSE(Enabled(write, "書き込み実行"));
    Pick(paths);
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs()[0].title, "参考値ファイル選択");
    EXPECT_EQ(dialogs.FileDialogs()[0].filter, "参考値ファイル2(*.DTKJ2)|*.DTKJ2");
    EXPECT_EQ(dialogs.FileDialogs()[0].defaultExtension, "DTKJ2");
    EXPECT_EQ(Picked(), paths);
    EXPECT_EQ(Files()->currentRow(), 0);
    EXPECT_EQ(Shown(write), (Texts{"W0", "TYPE", "", "", "1000", ""}));
    EXPECT_EQ(Values(), "1\n2");
    EXPECT_TRUE(Enabled(write, "書き込み実行"));
    Files()->setCurrentRow(2);
    EXPECT_EQ(Shown(write)[0], "W2");

    // What the wait dialog says while the files go out.
    WaitDialog* wait = Forms().Wait;
    const std::string waiting = "ただいま通信中です。しばらくお待ちください。";
    PaintedTexts painted(Named<QLabel>(wait, waiting.c_str()));
    Press(write, "書き込み実行");
    Lines labels;
    for (const std::string& label : painted.Texts()) {
        if (label.find(" / ") != std::string::npos) {
            labels.push_back(label);
        }
    }
    EXPECT_EQ(labels, (Lines{waiting + " 0 / 3", waiting + " 1 / 3", waiting + " 2 / 3"}));
    EXPECT_EQ(dialogs.Texts(), Lines{"テスターに参考値書き込み完了しました。"});
    EXPECT_FALSE(wait->isVisible());
    EXPECT_FALSE(write->isVisible());
    EXPECT_TRUE(menu->isVisible());
    Lines sent{"AA0000"};
    for (const char* vehicle : {"W0", "W1", "W2"}) {
        sent.push_back("DE00E62B000000" + Record(vehicle) + "M=" + vehicle + ",\n"); // the file's line, line feed too
    }
    sent.push_back("AB0000");
    EXPECT_EQ(Sent(), sent);
    ExpectAllAccepted();
    EXPECT_EQ(TesterSets(), (Lines{"車00 DBA-XY12 MR20", "W0 TYPE", "W1 TYPE", "W2 TYPE"}));
}

struct StopCase {
    const char* name;
    std::string scenario;
    std::function<void(const TempFolder&)> afterPicking;
    Lines messages;
    std::size_t sent; // write commands that went out
    Lines sets;       // in the tester afterwards (not listed when the tester cannot list them)
};

void PrintTo(const StopCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteStops : public Writing, public ::testing::WithParamInterface<StopCase> {};

// The sets sent before a failure stay in the tester, the files after it are not sent, the picked files are
// untouched and the link is closed.
TEST_P(WriteStops, AtTheFailingFile) {
    const Lines paths = OpenWithThreeFiles(GetParam().scenario);
    Pick(paths);
    if (GetParam().afterPicking) {
        GetParam().afterPicking(folder);
    }
    Lines before;
    for (const auto& path : paths) {
        before.push_back(ReadBytes(path));
    }
    Press(write, "書き込み実行");
    EXPECT_EQ(dialogs.Texts(), GetParam().messages);
    const Lines sent = Sent();
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const auto& f) { return f.starts_with("DE"); }),
              static_cast<long>(GetParam().sent));
    EXPECT_FALSE(write->isVisible());
    EXPECT_FALSE(Forms().Wait->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(main->Link->DeviceHandle, 0);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(ReadBytes(paths[i]), before[i]);
    }
    if (!GetParam().sets.empty()) {
        EXPECT_EQ(TesterSets(), GetParam().sets);
    }
}

const std::string First = "車00 DBA-XY12 MR20";

INSTANTIATE_TEST_SUITE_P(
    ReferenceForms, WriteStops,
    ::testing::Values(
        StopCase{"RefusedAtTheSecond",
                 Scenario(1, "", 2),
                 nullptr,
                 {"参考値エリアが一杯か、又は書き込み中にエラーが発生しました。"},
                 2,
                 {First, "W0 TYPE"}},
        // The tester stores the second set before its answer is lost.
        StopCase{"UnpluggedAtTheSecond",
                 Scenario(1, R"("faults": {"rules": [{"command": "DE", "nth": 2, "action": "unplug_in_read"}]})"),
                 nullptr,
                 {Unplugged},
                 2,
                 {First, "W0 TYPE", "W1 TYPE"}},
        StopCase{"SecondBrokenSincePicked",
                 Scenario(1),
                 [](const TempFolder& f) { WriteBytes(f / "w1.DTKJ2", RefFile("F0000000", "W1")); },
                 {"ファイルの読み込みが出来ません！"},
                 1,
                 {First, "W0 TYPE"}},
        StopCase{"CapabilityClear",
                 Scenario(1, R"("opening": {"items": {"APP_V": "1.00", "BUFF": "2C00", "APP_LOG": "1"}})"),
                 nullptr,
                 {WriteCapabilityText()},
                 0,
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Writing, PickingKeepsOnlyValidFilesAndWritesOnlyWithADescription) {
    const Lines paths = OpenWithThreeFiles(Scenario(1));
    const std::string broken = Path("broken.DTKJ2");
    WriteBytes(broken, RefFile("2b000000", "B"));
    const std::string noInfo = Path("noinfo.DTKJ2");
    WriteBytes(noInfo, RefFile("2B000000", "N", false));
    const std::string other = Path("other.DTKJ2");

    // Only the broken file is named, and nothing is left to write.
    Pick({paths[0], broken});
    EXPECT_EQ(
        dialogs.Texts(),
        Lines{"選択されたファイルがファイルが壊れている又は、ファイル形式の違うファイルが選択されました。\n\n   " +
              broken +
              "\n   \n上記の参考値ファイルをダウンロードし直すか又は参考値を取り直して頂くか、\n"
              "お客様相談窓口までご相談下さい。"});
    EXPECT_EQ(Picked(), Lines{});
    EXPECT_FALSE(Enabled(write, "書き込み実行"));

    // A file without a description shows nothing and leaves writing off until a file with one is shown.
    Pick({noInfo, paths[1]});
    EXPECT_EQ(Picked(), (Lines{noInfo, paths[1]}));
    EXPECT_EQ(Shown(write), Texts{});
    EXPECT_FALSE(Enabled(write, "書き込み実行"));
    Files()->setCurrentRow(1);
    EXPECT_EQ(Shown(write)[0], "W1");
    EXPECT_TRUE(Enabled(write, "書き込み実行"));

    // Without a vehicle name the INFO value loses its leading blanks; the fields still show in their places.
    WriteBytes(other, RefFile("2B000000", ""));
    Pick({other});
    EXPECT_EQ(Shown(write), (Texts{"", "TYPE", "", "", "1000", ""}));

    // A file without values empties the memo rather than keeping the lines shown before.
    WriteBytes(other, RefFile("2B000000", "V", true, false));
    Pick({paths[2], other});
    EXPECT_EQ(Values(), "1\n2");
    Files()->setCurrentRow(1);
    EXPECT_EQ(Shown(write)[0], "V");
    EXPECT_EQ(Values(), "");

    // Nothing picked: the message, and back to the menu.
    Pick({paths[0], broken});
    dialogs.Clear();
    PressDisabled(write, "書き込み実行");
    EXPECT_EQ(dialogs.Texts(), Lines{"ファイルが選択されていません。！"});
    EXPECT_FALSE(write->isVisible());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(emulator->Transcript().empty());
}

TEST_F(Writing, WholePathFromTheMainMenuThroughReadSaveWriteBackAndDelete) {
    Use(Scenario(2));
    OpenMenu();
    ASSERT_TRUE(ListSets());
    EXPECT_EQ(Entries(), (Lines{"車00 DBA-XY12 MR20", "車01 DBA-XY12 MR20"}));
    Sets()->setCurrentIndex(1);
    Press(read, "読み込み実行");
    Field(read, InfoField::Comment)->setText("ベルト交換済");
    const std::string saved = Path("set1.DTKJ2");
    dialogs.QueueFile(saved);
    Press(read, "参考値の保存");
    ASSERT_TRUE(menu->isVisible());

    Press(menu, "パソコンよりテスターへ参考値書込み､表示");
    Pick({saved});
    EXPECT_EQ(Shown(write), (Texts{"車01", "DBA-XY12", "MR20", "2019年", "45210", "ベルト交換済"}));
    EXPECT_EQ(Values(), "回転 01\n86");
    Press(write, "書き込み実行");
    ASSERT_TRUE(menu->isVisible());

    ASSERT_TRUE(ListSets());
    EXPECT_EQ(Entries().size(), 3u);
    Sets()->setCurrentIndex(0);
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(read, "ﾃｽﾀｰの参考値削除");
    EXPECT_EQ(dialogs.Texts(),
              (Lines{"テスターに参考値書き込み完了しました。", "テスターの基準値を削除して、よろしいですか？",
                     "テスターの基準値を削除しました。"}));
    EXPECT_EQ(TesterSets(), (Lines{"車01 DBA-XY12 MR20", "車01 DBA-XY12 MR20"}));
    Press(menu, "戻　る");
    EXPECT_TRUE(main->isVisible());

    // Frame by frame: list, read in two passes, write back the saved set with its new description, list,
    // delete the first set, list; each exchange on a link of its own, each answer accepted.
    std::string description = SetData(1, "車01");
    description.replace(8 + 88, 128, Pad(Sjis("ベルト交換済"), 128));
    EXPECT_EQ(Sent(),
              (Lines{"AA0000", "DC0000", "AB0000", "AA0000", std::string("DF00090001DATA\0", 15),
                     std::string("DF000A0001VALUE\0", 16), "AB0000", "AA0000", "DE00E8" + description + "\n", "AB0000",
                     "AA0000", "DC0000", "AB0000", "AA0000", "DD00010", "AB0000", "AA0000", "DC0000", "AB0000"}));
    ExpectAllAccepted();
}

} // namespace
