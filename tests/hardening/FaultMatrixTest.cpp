// The tester fault matrix: for every tester job and every exchange k along its path, the tester is unplugged after
// exchange k, unplugged while answer k is read, answers k with a 0xFF byte, or refuses exchange k ("A00"). Every
// case must end without a crash or a hang, with at most one message (exactly one when the job failed), on a usable
// form with the link closed, and with the data folder as it was except the files the job writes whole.
#include "app/ui/FormSet.h"
#include "continuous/ui/ContinuousRecordForm.h"
#include "monitor/ui/MonitorMenuForm.h"
#include "monitor/ui/RecordReadForm.h"
#include "reference/ui/ReferenceMenuForm.h"
#include "reference/ui/ReferenceReadForm.h"
#include "reference/ui/ReferenceWriteForm.h"
#include "register/ui/VehicleInfoForm.h"
#include "support/Emulator.h"
#include "support/RegisterForms.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

enum class Fault { UnplugAfter, UnplugInRead, ByteFF, Refusal };
const char* const FaultNames[] = {"UnplugAfter", "UnplugInRead", "ByteFF", "Refusal"};

std::string FaultJson(Fault fault, int k) {
    const std::string exchange = R"({"exchange": )" + std::to_string(k) + ", ";
    switch (fault) {
    case Fault::UnplugAfter:
        return R"("unplug_after_exchanges": )" + std::to_string(k);
    case Fault::UnplugInRead:
        return R"("rules": [)" + exchange + R"("action": "unplug_in_read"}])";
    case Fault::ByteFF:
        return R"("rules": [)" + exchange + R"("action": "byte_ff", "offset": 1}])";
    case Fault::Refusal:
        return R"("rules": [)" + exchange + R"("action": "error"}])";
    }
    return {};
}

// Two reference sets, a continuous record of two blocks (BUFF 2C00, 5 columns: 187 records a request) and one
// stored record.
std::string ReferenceSet(int n) {
    return R"({"header": "21A03B0)" + std::to_string(n) + R"(", "info": {"vehicle": "車)" + std::to_string(n) +
           R"(", "type": "T", "engine": "E", "year": "Y", "mileage": "1", "comment": "C"}, "payload": "IDL=7,",
              "values": ["1", "2"]})";
}

std::string ScenarioWith(Fault fault, int k) {
    return R"({"records": [{"entry": "EM0", "values": ["12", "ABC"]}],
              "reference": {"sets": [)" +
           ReferenceSet(0) + ", " + ReferenceSet(1) + R"(]},
              "continuous": {"generate": {"rows": 250, "columns": 5}},
              "faults": {)" +
           FaultJson(fault, k) + "}}";
}

// A reference value file as the reading form saves it.
std::string ReferenceFile(int n) {
    std::string record = Sjis("車") + std::to_string(n);
    record.resize(216, ' ');
    std::string data = "21A03B0" + std::to_string(n) + record + "IDL=7,";
    return "[INFO]\r\nDATA=" + record + "\r\n[DATA]\r\nDATA=" + data + "\n\r\n[VALUE]\r\nDATA=1,2,\n\r\n";
}

class FaultMatrix;

struct Job {
    const char* name;
    int exchanges; // along the job's path, the opening exchange included (the closing one is not)
    // Runs the job the way a user does; `succeededThrough(j)` tells whether exchanges 1..j went through.
    std::function<void(FaultMatrix&, const std::function<bool(int)>& succeededThrough)> run;
    // The files the job writes whole when its exchanges went through (relative to the program's folder).
    std::function<std::set<std::string>(const std::function<bool(int)>& succeededThrough)> writes;
};

struct Case {
    const Job* job;
    Fault fault;
    int k;
};

std::map<std::string, std::string> FolderBytes(const fs::path& root) {
    static const std::set<std::string> notData = {"LOG_OUT.BNY", "transcript.txt", "scenario.json", "libuusbqk.so"};
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        // Named as the cases name the files they write: UTF-8, with / between folders on every platform.
        const std::u8string generic = fs::relative(it->path(), root).generic_u8string();
        const std::string name(generic.begin(), generic.end());
        if (it->is_regular_file() && !notData.contains(name)) {
            files[name] = ReadBytes(it->path());
        }
    }
    return files;
}

class FaultMatrix : public RegisterForms, public ::testing::WithParamInterface<Case> {
public:
    using AppFixture::dialogs;
    using AppFixture::folder;
    using AppFixture::main;

    // Waits until no job is pending and the wait dialog is gone (a hang fails the case).
    void WaitForTheJob() {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !Forms().Wait->isVisible() && !Forms().Wait->pollTimer_->isActive(); }, 20000))
            << "the job did not end";
    }
    bool LinkClosed() const {
        return main->Link->DeviceHandle == 0 && main->Link->InPipe == 0 && main->Link->OutPipe == 0;
    }

    std::unique_ptr<Emulator> emulator;
};

const Job Jobs[] = {
    {"RecordRead", 3,
     [](FaultMatrix& t, const auto& through) {
         t.main->monitorDataButton_->click();
         Forms().MonitorMenu->vehicleInfoButton_->click();
         Press(Forms().VehicleInfo, "データ取り込み");
         t.WaitForTheJob();
         if (Forms().RecordRead->isVisible()) {
             if (through(3)) {
                 t.dialogs.QueueAnswer(DialogAnswer::Ok);
             }
             Forms().RecordRead->readButton_->click();
             if (Forms().RecordRead->isVisible()) {
                 Forms().RecordRead->backButton_->click();
             }
         }
         EXPECT_TRUE(Forms().VehicleInfo->isVisible() && Forms().VehicleInfo->isEnabled());
     },
     [](const auto& through) {
         return through(3) ? std::set<std::string>{"お客様/山田/品川1/ﾓﾆﾀ.DT",
                                                   "お客様/山田/品川1/モニタ記録１2026年12月6日7時5分9秒.MONDT"}
                           : std::set<std::string>{};
     }},
    {"ReferenceList", 2,
     [](FaultMatrix& t, const auto&) {
         t.main->referenceButton_->click();
         Forms().ReferenceMenu->readSetsButton_->click();
         t.WaitForTheJob();
         EXPECT_TRUE(Forms().ReferenceRead->isVisible() || Forms().ReferenceMenu->isVisible());
     },
     [](const auto&) { return std::set<std::string>{}; }},
    {"ReferenceRead", 3,
     [](FaultMatrix& t, const auto&) {
         t.main->referenceButton_->click();
         Forms().ReferenceMenu->hide();
         Forms().ReferenceRead->ShowSets({Sjis("車0 T E"), Sjis("車1 T E")});
         Forms().ReferenceRead->readButton_->click();
         t.WaitForTheJob();
         EXPECT_TRUE(Forms().ReferenceRead->isVisible());
     },
     [](const auto& through) {
         // DATA.WK takes each whole pass.
         return through(2) ? std::set<std::string>{"DATA.WK"} : std::set<std::string>{};
     }},
    {"ReferenceWriteThree", 4,
     [](FaultMatrix& t, const auto& through) {
         t.main->referenceButton_->click();
         Forms().ReferenceMenu->writeSetsButton_->click();
         Forms().ReferenceWrite->PickFiles(
             {t.folder.Dir() + "set0.DTKJ2", t.folder.Dir() + "set1.DTKJ2", t.folder.Dir() + "set2.DTKJ2"});
         (void)through;
         Forms().ReferenceWrite->writeButton_->click();
         t.WaitForTheJob();
         EXPECT_TRUE(Forms().ReferenceMenu->isVisible());
     },
     [](const auto&) { return std::set<std::string>{}; }},
    {"ReferenceDeleteOne", 2,
     [](FaultMatrix& t, const auto&) {
         t.main->referenceButton_->click();
         Forms().ReferenceMenu->hide();
         Forms().ReferenceRead->ShowSets({Sjis("車0 T E"), Sjis("車1 T E")});
         t.dialogs.QueueAnswer(DialogAnswer::Ok);
         Forms().ReferenceRead->deleteButton_->click();
         t.WaitForTheJob();
         // Without a link the user stays on the reading form; after the exchange the menu is shown.
         EXPECT_TRUE(Forms().ReferenceMenu->isVisible() || Forms().ReferenceRead->isVisible());
     },
     [](const auto&) { return std::set<std::string>{}; }},
    {"ReferenceDeleteAll", 2,
     [](FaultMatrix& t, const auto&) {
         t.main->referenceButton_->click();
         t.dialogs.QueueAnswer(DialogAnswer::Ok);
         Forms().ReferenceMenu->deleteAllButton_->click();
         t.WaitForTheJob();
         EXPECT_TRUE(Forms().ReferenceMenu->isVisible());
     },
     [](const auto&) { return std::set<std::string>{}; }},
    {"ContinuousDownload", 5,
     [](FaultMatrix& t, const auto&) {
         t.main->continuousRecordButton_->click();
         Forms().Continuous->downloadButton_->click();
         t.WaitForTheJob();
         EXPECT_TRUE(Forms().Continuous->isVisible());
     },
     [](const auto&) { return std::set<std::string>{}; }},
};

TEST_P(FaultMatrix, EndsWithOneMessageOnAUsableFormAndNothingHalfWritten) {
    const Case& c = GetParam();
    // Exchange j goes through when the fault strikes later, or only after it.
    const auto through = [&](int j) { return c.fault == Fault::UnplugAfter ? j <= c.k : j < c.k; };
    const bool failed = !through(c.job->exchanges);

    Seed({{"山田", {"品川1"}}});
    for (int n = 0; n < 3; ++n) {
        WriteBytes(folder / ("set" + std::to_string(n) + ".DTKJ2"), ReferenceFile(n));
    }
    emulator = std::make_unique<Emulator>(folder, ScenarioWith(c.fault, c.k));
    StartAndShow();
    const auto before = FolderBytes(folder.Path());
    c.job->run(*this, through);
    ProcessEvents();

    // The link is closed once the user is back on a form.
    EXPECT_TRUE(LinkClosed());
    // One clear message when the job failed; a job that went through shows at most its own.
    std::vector<std::string> messages;
    for (const ShownMessage& m : dialogs.Messages()) {
        if (m.buttons == DialogButtons::Ok) {
            messages.push_back(m.text);
        }
    }
    std::string shown;
    for (const std::string& m : messages) {
        shown += "[" + m + "] ";
    }
    if (failed) {
        EXPECT_EQ(messages.size(), 1u) << shown;
    } else {
        EXPECT_LE(messages.size(), 1u) << shown;
    }
    // The data folder: as before, but for the files the job writes whole.
    auto after = FolderBytes(folder.Path());
    const std::set<std::string> written = c.job->writes(through);
    for (const std::string& file : written) {
        after.erase(file);
    }
    auto expected = before;
    for (const std::string& file : written) {
        expected.erase(file);
    }
    for (const auto& [name, bytes] : expected) {
        EXPECT_TRUE(after.contains(name) && after.at(name) == bytes) << name << " changed";
    }
    for (const auto& [name, bytes] : after) {
        EXPECT_TRUE(expected.contains(name)) << name << " appeared";
    }
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const Job& job : Jobs) {
        for (int k = 1; k <= job.exchanges; ++k) {
            for (const Fault fault : {Fault::UnplugAfter, Fault::UnplugInRead, Fault::ByteFF, Fault::Refusal}) {
                cases.push_back({&job, fault, k});
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryJobAndExchange, FaultMatrix, ::testing::ValuesIn(AllCases()), [](const auto& info) {
    return std::string(info.param.job->name) + "_" + std::to_string(info.param.k) + "_" +
           FaultNames[static_cast<int>(info.param.fault)];
});

} // namespace
