// A full customer search over a register of 10,000 customers with two vehicles each, including vehicles, for
// a key that matches nothing: every customer and vehicle profile is read. Compared with a reference loop that
// opens and scans the profile file once for every key it reads, as the Windows profile routines do.
//
//   bench_register_search [--benchmark_filter=...]
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
#include <random>
#include <string>

namespace {
namespace fs = std::filesystem;
using namespace vanto;

constexpr int CustomerCount = 10'000;
const std::string MissingKey = "該当なしのキー";

void Write(const fs::path& path, const std::string& utf8) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = EncodeSjisLossy(utf8);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string List(const std::string& section, const std::string& value) {
    return "[" + section + "]\r\nNUM=1\r\nDATA0=" + value + "\r\n";
}

// A register laid out as the program writes it, in a temporary folder removed at the end.
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
            for (const char* series : {"品川500あ", "横浜300さ"}) {
                const std::string vehicle = series + n;
                const fs::path vehicleFolder = folder / PathFromUtf8(vehicle);
                fs::create_directory(vehicleFolder);
                Write(vehicleFolder / PathFromUtf8("ﾓﾆﾀ.DT"), "モニタ記録１2026年12月6日7時5分9秒\r\n");
                Write(vehicleFolder / PathFromUtf8(vehicle + ".DT"),
                      List("MAKER", "メーカー" + n) + List("TYPE_CAR", "セダン") + List("MODEL", "平成30年4月") +
                          List("ENGING_TYPE", "2ZR-FAE") + List("COMMENT", "定期点検のお客様です") +
                          "[BODY_NUMBER]\r\nDATA0=ZRE212-" + n +
                          "\r\n[TYPE]\r\nDATA0=DBA-ZRE212\r\n"
                          "[MILEAGE]\r\nDATA0=45000\r\n[NEXT_CHECK]\r\nDATA0=2027年4月\r\n");
            }
        }
        std::ofstream(root_ / "VISITOR_M.DT", std::ios::binary) << list;
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    Register Reg() const {
        const std::string dir = WithTrailingSeparator(PathToUtf8(root_));
        return Register(dir + "お客様/", dir + "VISITOR_M.DT", dir);
    }

private:
    fs::path root_;
};

const Fixture& Data() {
    static const Fixture fixture;
    return fixture;
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
