// A full customer search over a register of 10,000 customers with two vehicles each, including vehicles, for
// a key that matches nothing: every customer and vehicle profile is read. Compared with a reference loop that
// opens and scans the profile file once for every key it reads, as the Windows profile routines do.
//
//   bench_register_search [--benchmark_filter=...]
#include "BenchRegister.h"
#include "common/Paths.h"
#include "common/Sjis.h"
#include "common/TextFile.h"
#include "register/CustomerSearch.h"
#include "register/Register.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
namespace fs = std::filesystem;
using namespace vanto;

constexpr int CustomerCount = 10'000;
const std::string MissingKey = "該当なしのキー";

const bench::BenchRegister& Data() {
    static const bench::BenchRegister data(
        {CustomerCount, "モニタ記録１2026年12月6日7時5分9秒\r\n", [](int, int) { return std::string("2027年4月"); }});
    return data;
}

// The reference: one open and scan of the file for every key read, section by section, line by line.
std::string ReadKeyByOpening(const std::string& file, const std::string& section, const std::string& key) {
    std::ifstream in(PathFromUtf8(file), std::ios::binary);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[" + section + "]";
        } else if (inSection && line.starts_with(key + "=")) {
            return DecodeSjis(line.substr(key.size() + 1));
        }
    }
    return {};
}

std::size_t ReferenceSearch(const Register& reg, const std::string& key) {
    static const char* customerSections[] = {"TEL", "HANDY", "POST_NO", "ADD"};
    static const char* vehicleSections[] = {"MAKER",       "TYPE_CAR", "MODEL", "ENGING_TYPE", "COMMENT",
                                            "BODY_NUMBER", "MILEAGE",  "TYPE",  "NEXT_CHECK"};
    std::size_t results = 0;
    const auto names = ReadSjisLines(PathFromUtf8(reg.VisitorFile())).value_or(std::vector<std::string>());
    for (const auto& customer : names) {
        bool match = ContainsText(customer, key);
        for (const char* section : customerSections) {
            match = match || ContainsText(ReadKeyByOpening(reg.CustomerProfileFile(customer), section, "DATA0"), key);
        }
        const auto vehicles = EnumerateVehicleFolders(reg.CustomerFolder(customer));
        for (const auto& vehicle : vehicles.value_or(std::vector<std::string>())) {
            bool vehicleMatch = match || ContainsText(vehicle, key);
            for (const char* section : vehicleSections) {
                vehicleMatch =
                    vehicleMatch ||
                    ContainsText(ReadKeyByOpening(reg.VehicleProfileFile(customer, vehicle), section, "DATA0"), key);
            }
            results += vehicleMatch ? 1 : 0;
        }
    }
    return results;
}

void BM_SearchIncludeVehicles(benchmark::State& state) {
    const Register reg = Data().Reg();
    for (auto _ : state) {
        const auto results = SearchCustomers(reg, MissingKey, true);
        if (!results.empty()) {
            state.SkipWithError("the key should match nothing");
        }
        benchmark::DoNotOptimize(results.data());
    }
}

void BM_ReferenceOpenPerKey(benchmark::State& state) {
    const Register reg = Data().Reg();
    for (auto _ : state) {
        const std::size_t results = ReferenceSearch(reg, MissingKey);
        if (results != 0) {
            state.SkipWithError("the key should match nothing");
        }
        benchmark::DoNotOptimize(results);
    }
}

// The machine is shared: each figure is taken five times, and the best run shows the cost of the work itself.
double Fastest(const std::vector<double>& runs) {
    return *std::min_element(runs.begin(), runs.end());
}

BENCHMARK(BM_SearchIncludeVehicles)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.5)
    ->MinTime(2)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReferenceOpenPerKey)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.5)
    ->MinTime(2)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
