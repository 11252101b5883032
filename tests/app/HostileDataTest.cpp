// Hostile data folders: the program starts, lists and opens its register forms on damaged or malicious folder
// contents without crashing, shows a message or a safe default, and never writes or removes anything outside the
// data folders. Each case prepares the folders; one walk through the forms then runs on all of them.
#include "register/ui/VehicleInfoForm.h"
#include "support/HostTools.h"
#include "support/RegisterForms.h"

#include <QComboBox>
#include <QTimer>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

struct Entry {
    std::string bytes;
    fs::perms perms;
    bool link;
};

// Everything below a folder: bytes of files, the targets of links, the permission bits.
std::map<std::string, Entry> Snapshot(const fs::path& root) {
    std::map<std::string, Entry> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::file_status status = fs::symlink_status(it->path());
        Entry entry{{}, status.permissions(), fs::is_symlink(status)};
        if (entry.link) {
            entry.bytes = fs::read_symlink(it->path()).string();
        } else if (fs::is_regular_file(status)) {
            entry.bytes = ReadBytes(it->path());
        }
        entries[fs::relative(it->path(), root).string()] = entry;
    }
    return entries;
}

bool operator==(const Entry& a, const Entry& b) {
    return a.bytes == b.bytes && a.perms == b.perms && a.link == b.link;
}

struct HostileCase {
    const char* name;
    std::function<void(const fs::path& users, const fs::path& outside)> prepare;
};

class HostileData : public RegisterForms, public ::testing::WithParamInterface<HostileCase> {
protected:
    fs::path Users() const { return folder / "data/users"; }
    fs::path Outside() const { return folder / "outside"; }

    void SetUp() override {
        WriteBytes(folder / "VANTO_DATA.ini", "[OWNER]\r\nDIR=" + folder.Dir() +
                                                  "data/owner/\r\n[USERS]\r\nDIR=" + folder.Dir() + "data/users/\r\n");
        WriteBytes(Outside() / "keep.txt", "keep");
        WriteBytes(Outside() / "山田.DT", Sjis("[TEL]\r\nDATA0=outside\r\n"));
        fs::create_directories(Outside() / "車/記録");
        WriteBytes(Users() / "VISITOR_M.DT", Sjis("山田\r\n"));
        WriteBytes(Users() / "お客様/山田/山田.DT", Sjis("[CAR_NO]\r\nDATA0=品川1\r\n"));
        WriteBytes(Users() / "お客様/山田/品川1/品川1.DT", "");
        WriteBytes(Users() / "お客様/山田/品川1/ﾓﾆﾀ.DT", Sjis("記録\r\n"));
        WriteBytes(Users() / "お客様/山田/品川1/記録.MONDT", "1\r\n");
    }

    // Every register form opened and every customer, vehicle and record chosen, as a user would click through.
    void WalkTheForms() {
        StartAndShow();
        Click(main, "テスターよりモニタデータ読み込み");
        Click(Forms().MonitorMenu, "お客様情報登録");
        ChooseEach(Forms().Customer, "お客様");
        Click(Forms().Customer, "戻　　る");

        Click(Forms().MonitorMenu, "車 両 情 報 登録");
        ChooseEach(Forms().VehicleUpdate, "お客様名");
        Click(Forms().VehicleUpdate, "戻　　る");

        Click(Forms().MonitorMenu, "データ取込・印刷");
        VehicleInfoForm* info = Forms().VehicleInfo;
        ChooseEach(info, "お客様名", [info] { ChooseEach(info, "車両番号", [info] { ChooseEach(info, "データ①"); }); });
        // The search lists every customer and vehicle it can read.
        QTimer::singleShot(0, [] {
            Enter(Forms().CustomerSearch, "検索キー", "1");
            Click(Forms().CustomerSearch, "検　索");
            Click(Forms().CustomerSearch, "キャンセル");
        });
        Click(info, "検　　索"); // off when no customer could be read
        Click(info, "戻　　る");
    }

    // Clicks the button without letting queued events run after it: a paint of the forms would lay out the
    // ten-megabyte line again after every click, which takes minutes under Wine. A disabled button does nothing.
    static void Click(QWidget* form, const char* caption) {
        if (QPushButton* button = Named<QPushButton>(form, caption)) {
            button->click();
        }
    }

    // Chooses every entry of the drop-down list known by the name in turn, as a user does, running `then` after each.
    static void ChooseEach(
        QWidget* form, const char* comboName, const std::function<void()>& then = [] {}) {
        QComboBox* combo = Named<QComboBox>(form, comboName);
        for (int i = 0; combo && i < combo->count(); ++i) {
            combo->setCurrentIndex(i);
            emit combo->activated(i);
            then();
        }
    }
};

TEST_P(HostileData, FormsOpenWithoutHarmOutsideTheDataFolders) {
    GetParam().prepare(Users(), Outside());
    const auto outsideBefore = Snapshot(Outside());
    WalkTheForms();
    EXPECT_EQ(Snapshot(Outside()), outsideBefore);
    EXPECT_TRUE(main->isVisible() || Forms().MonitorMenu->isVisible());
    // Whatever the walk showed, every message was shown once and answered; the last form is a usable one.
    for (const auto& message : dialogs.Messages()) {
        EXPECT_FALSE(message.text.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileData,
    ::testing::Values(
        HostileCase{"InvalidShiftJisInTheCustomerList",
                    [](const fs::path& users, const fs::path&) {
                        WriteBytes(users / "VISITOR_M.DT", "\x81\x20\xFF\xFE\x80\r\n" + Sjis("山田\r\n") + "\x81");
                    }},
        HostileCase{"ATenMegabyteLine",
                    [](const fs::path& users, const fs::path&) {
                        WriteBytes(users / "VISITOR_M.DT", std::string(10 << 20, 'A') + "\r\n" + Sjis("山田\r\n"));
                    }},
        HostileCase{"NamesWithSeparatorsOrDots",
                    [](const fs::path& users, const fs::path&) {
                        WriteBytes(
                            users / "VISITOR_M.DT",
                            Sjis("../../outside\r\n..\r\n.\r\n\r\n/\r\nお客様/../../../outside/山田\r\n山田\r\n"));
                        WriteBytes(users / "お客様/山田/山田.DT", Sjis("[CAR_NO]\r\nDATA0=../../../outside/車\r\n"));
                        WriteBytes(users / "お客様/山田/品川1/ﾓﾆﾀ.DT", Sjis("../../../../outside/keep\r\n記録\r\n"));
                    }},
        HostileCase{"LinksPointingOutOfACustomerFolder",
                    [](const fs::path& users, const fs::path& outside) {
                        MakeLink(outside / "車", users / "お客様/山田/外");
                        MakeLink(outside / "keep.txt", users / "お客様/山田/品川1/記録2.MONDT");
                        WriteBytes(users / "お客様/山田/品川1/ﾓﾆﾀ.DT", Sjis("記録\r\n記録2\r\n"));
                    }},
        HostileCase{"AProfileWithZeroBytes",
                    [](const fs::path& users, const fs::path&) {
                        WriteBytes(users / "お客様/山田/山田.DT",
                                   std::string("[TEL]\r\nDATA0=03\0-1\r\n[CAR_NO]\r\nDA\0TA0=品川1\r\n\0\0", 42));
                    }},
        HostileCase{"AnIndexNamingRecordsThatDoNotExist",
                    [](const fs::path& users, const fs::path&) {
                        WriteBytes(users / "お客様/山田/品川1/ﾓﾆﾀ.DT", Sjis("無い記録\r\n\r\n記録\r\nCON\r\n"));
                    }},
        HostileCase{"FilesWithoutAnyPermission",
                    [](const fs::path& users, const fs::path&) {
                        for (const char* file : {"VISITOR_M.DT", "お客様/山田/山田.DT", "お客様/山田/品川1/ﾓﾆﾀ.DT"}) {
                            fs::permissions(users / file, fs::perms::none);
                        }
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

// Deleting a customer whose folder holds a link out of it removes the link, never what it points at.
TEST_F(HostileData, DeletingACustomerLeavesTheTargetsOfItsLinks) {
    MakeLink(Outside() / "車", Users() / "お客様/山田/外");
    MakeLink(Outside() / "keep.txt", Users() / "お客様/山田/keep.txt");
    const auto outsideBefore = Snapshot(Outside());
    OpenFromMonitorMenu("お客様情報登録");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(Forms().Customer, "お客様情報削除");
    EXPECT_FALSE(fs::exists(fs::symlink_status(Users() / "お客様/山田")));
    EXPECT_EQ(Snapshot(Outside()), outsideBefore);
}

} // namespace
