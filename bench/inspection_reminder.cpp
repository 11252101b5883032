// The inspection reminder over a register of 10,000 customers with two vehicles each, warm: reading every
// vehicle profile's next inspection date and the due customers' profiles, and the form shown with the list of a
// period (reading included, as every showing reads the register again).
//
//   bench_inspection_reminder [--benchmark_filter=...]
#include "common/Clock.h"
#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/Sjis.h"
#include "common/ui/FormContext.h"
#include "inspection/InspectionList.h"
#include "inspection/ui/InspectionReminderForm.h"
#include "register/Register.h"
#include "tester/TesterLink.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {
namespace fs = std::filesystem;
using namespace vanto;

constexpr int CustomerCount = 10'000;

void Write(const fs::path& path, const std::string& utf8) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << EncodeSjisLossy(utf8);
}

std::string List(const std::string& section, const std::string& value) {
    return "[" + section + "]\r\nNUM=1\r\nDATA0=" + value + "\r\n";
}

// A register as the program writes it, in a temporary folder removed at the end. The dates spread over two
// years in the forms workshops type; one vehicle in a hundred holds a text that names no date.
class Fixture {
public:
    Fixture() {
        std::random_device random;
        root_ = fs::temp_directory_path() / ("vanto-bench-" + std::to_string(random()));
        const fs::path customers = root_ / PathFromUtf8("お客様");
        fs::create_directories(customers);
        std::string list;
        for (int i = 0; i < CustomerCount; ++i) {
            const std::string n = std::to_string(i);
            const std::string name = "顧客" + n + "様";
            list += EncodeSjisLossy(name) + "\r\n";
            const fs::path folder = customers / PathFromUtf8(name);
            fs::create_directory(folder);
            Write(folder / PathFromUtf8(name + ".DT"),
                  List("TEL", "03-" + n + "-5678") + List("HANDY", "090-" + n + "-0000") + List("POST_NO", "123-4567") +
                      List("ADD", "東京都品川区南品川" + n + "丁目") + List("CAR_NO", "品川500あ" + n));
            int k = 0;
            for (const char* series : {"品川500あ", "横浜300さ"}) {
                const std::string vehicle = series + n;
                const int month = (i * 2 + k) % 24;
                const std::string nextCheck =
                    (i * 2 + k) % 100 == 0 ? "未定"
                    : k == 0
                        ? "令和" + std::to_string(8 + month / 12) + "年" + std::to_string(month % 12 + 1) + "月15日"
                        : std::to_string(2026 + month / 12) + "/" + std::to_string(month % 12 + 1) + "/28";
                ++k;
                const fs::path vehicleFolder = folder / PathFromUtf8(vehicle);
                fs::create_directory(vehicleFolder);
                Write(vehicleFolder / PathFromUtf8("ﾓﾆﾀ.DT"), "");
                Write(vehicleFolder / PathFromUtf8(vehicle + ".DT"),
                      List("MAKER", "メーカー" + n) + List("TYPE_CAR", "セダン") + List("MODEL", "平成30年4月") +
                          List("ENGING_TYPE", "2ZR-FAE") + List("COMMENT", "定期点検のお客様です") +
                          "[BODY_NUMBER]\r\nDATA0=ZRE212-" + n + "\r\n[TYPE]\r\nDATA0=DBA-ZRE212\r\n" +
                          "[MILEAGE]\r\nDATA0=45000\r\n[NEXT_CHECK]\r\nDATA0=" + nextCheck + "\r\n");
            }
        }
        std::ofstream(root_ / "VISITOR_M.DT", std::ios::binary) << list;
        state_.Paths.ExeDir = WithTrailingSeparator(PathToUtf8(root_));
        state_.Paths.UsersDir = state_.Paths.ExeDir;
        state_.Paths.CustomerRoot = state_.Paths.ExeDir + "お客様/";
        state_.Paths.VisitorFile = state_.Paths.ExeDir + "VISITOR_M.DT";
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    Register Reg() const { return Register(state_.Paths.CustomerRoot, state_.Paths.VisitorFile, state_.Paths.ExeDir); }
    FormContext Context() { return FormContext(state_, link_, dialogs_, clock_); }

private:
    fs::path root_;
    SharedState state_;
    SilentDialogs dialogs_;
    TesterLink link_{dialogs_, ""};
    SystemClock clock_;
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void BM_ReadDatesAndListAMonth(benchmark::State& state) {
    const Register reg = Data().Reg();
    std::size_t due = 0;
    for (auto _ : state) {
        const auto vehicles = ReadInspectionDates(reg);
        due = DueInPeriod(vehicles, {2027, 5}, {2027, 5}).size();
        benchmark::DoNotOptimize(due);
    }
    state.counters["listed"] = static_cast<double>(due);
}

// The whole showing of the form: the register read and next month listed into the table.
void BM_FormShowsTheList(benchmark::State& state) {
    InspectionReminderForm form(Data().Context());
    for (auto _ : state) {
        form.show();
        QApplication::processEvents();
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}

// The machine is shared: each figure is taken five times, and the best run shows the cost of the work itself.
double Fastest(const std::vector<double>& runs) {
    return *std::min_element(runs.begin(), runs.end());
}

BENCHMARK(BM_ReadDatesAndListAMonth)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.5)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FormShowsTheList)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.5)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
