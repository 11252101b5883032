// The inspection reminder over a register of 10,000 customers with two vehicles each, warm: reading every
// vehicle profile's next inspection date and the due customers' profiles, and the form shown with the list of a
// period (reading included, as every showing reads the register again).
//
//   bench_inspection_reminder [--benchmark_filter=...]
#include "BenchRegister.h"
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
#include <string>

namespace {
using namespace vanto;

constexpr int CustomerCount = 10'000;

// The benchmark's register and a form context whose folders are the register's.
class Fixture {
public:
    Fixture() {
        state_.Paths.ExeDir = register_.Dir();
        state_.Paths.UsersDir = state_.Paths.ExeDir;
        state_.Paths.CustomerRoot = state_.Paths.ExeDir + "お客様/";
        state_.Paths.VisitorFile = state_.Paths.ExeDir + "VISITOR_M.DT";
    }
    Register Reg() const { return Register(state_.Paths.CustomerRoot, state_.Paths.VisitorFile, state_.Paths.ExeDir); }
    FormContext Context() { return FormContext(state_, link_, dialogs_, clock_); }

private:
    // The dates spread over two years in the forms workshops type; one vehicle in a hundred holds a text that
    // names no date.
    static std::string NextCheck(int customer, int vehicle) {
        const int n = customer * 2 + vehicle;
        const int month = n % 24;
        if (n % 100 == 0) {
            return "未定";
        }
        return vehicle == 0 ? "令和" + std::to_string(8 + month / 12) + "年" + std::to_string(month % 12 + 1) + "月15日"
                            : std::to_string(2026 + month / 12) + "/" + std::to_string(month % 12 + 1) + "/28";
    }

    bench::BenchRegister register_{{CustomerCount, "", NextCheck}};
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
