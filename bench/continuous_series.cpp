// A continuous record of 100,000 records x 8 columns from the emulated tester (no delay configured): the download
// into the table, the CSV save and the CSV open.
//
// Every exchange polls for its answer with 1 ms sleeps: an exchange whose answer is not ready at the first poll
// costs at least 1 ms. "vs_floor" is the measured time over the floor of one such sleep per exchange; "sleeps"
// counts the sleeps the link actually made (its poll hook runs after each). Memory: the process's peak resident
// size so far, and the bytes the table holds.
#include "common/Paths.h"
#include "common/TextFile.h"
#include "continuous/ContinuousJob.h"
#include "support/ScriptedDialogs.h"
#include "tester/TesterLink.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
namespace fs = std::filesystem;

constexpr int Records = 100'000;
constexpr int Columns = 8;

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// A program folder with the emulator library and a scenario that generates the series.
struct Setup {
    fs::path folder;
    vanto::test::ScriptedDialogs dialogs; // the link's messages, which a good download never shows
    std::unique_ptr<vanto::TesterLink> link;
    vanto::ContinuousTable table;
    long long sleeps = 0;

    Setup() {
        folder = fs::temp_directory_path() / ("vanto-bench-continuous-" + std::to_string(getpid()));
        fs::create_directories(folder);
        const char* bin = std::getenv("VANTO_TEST_BIN");
        fs::create_symlink(fs::path(bin ? bin : BENCH_BIN_DIR) / "libuusbqk.so", folder / "libuusbqk.so");
        vanto::WriteFileAtomic(folder / "scenario.json", R"({"continuous": {"generate": {"rows": )" +
                                                             std::to_string(Records) + R"(, "columns": )" +
                                                             std::to_string(Columns) + "}}}");
        setenv("UUSBQK_EMULATOR_SCENARIO", (folder / "scenario.json").c_str(), 1);
        link = std::make_unique<vanto::TesterLink>(dialogs, vanto::WithTrailingSeparator(folder.string()));
        link->PollHook = [this] { ++sleeps; };
    }
    ~Setup() {
        link.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string CsvPath() const { return vanto::PathToUtf8(folder / "series.CSV"); }

    // One download on a fresh link; the time of the download alone, or a negative value when it failed.
    double Download(vanto::ContinuousDownload& result) {
        if (link->ConnectTester("テスター") != vanto::LinkOk) {
            return -1;
        }
        sleeps = 0;
        const auto start = std::chrono::steady_clock::now();
        result = vanto::DownloadContinuous(*link, table);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        link->CloseLink();
        // The trace holds every frame of the download; keep it from growing over the runs.
        std::error_code ec;
        fs::remove(folder / "LOG_OUT.BNY", ec);
        for (const auto& text : dialogs.Texts()) {
            std::fprintf(stderr, "dialog: %s\n", text.c_str());
        }
        return result.result == vanto::ContinuousResult::Done && dialogs.Messages().empty() ? elapsed.count() : -1;
    }
};

Setup& Shared() {
    static Setup setup;
    return setup;
}

void ReportMemory(benchmark::State& state) {
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
    state.counters["table_MB"] = static_cast<double>(Shared().table.MemoryBytes()) / (1024.0 * 1024.0);
    state.counters["rows"] = Shared().table.RowCount();
}

void DownloadSeries(benchmark::State& state) {
    vanto::ContinuousDownload result;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Shared().table.Clear();
        state.ResumeTiming();
        const double took = Shared().Download(result);
        if (took < 0) {
            state.SkipWithError("download failed");
            return;
        }
        seconds += took;
        state.SetIterationTime(took);
    }
    const double exchanges = static_cast<double>(result.requests + 2); // range, headers, records
    const double perDownload = seconds / static_cast<double>(state.iterations());
    state.counters["exchanges"] = exchanges;
    state.counters["floor_ms"] = exchanges; // one 1 ms poll sleep per exchange at least
    state.counters["vs_floor"] = perDownload * 1000.0 / exchanges;
    state.counters["sleeps"] = static_cast<double>(Shared().sleeps);
    ReportMemory(state);
}

void EnsureSeries(benchmark::State& state) {
    if (Shared().table.RowCount() != Records + vanto::ContinuousTable::HeaderRows) {
        vanto::ContinuousDownload result;
        if (Shared().Download(result) < 0) {
            state.SkipWithError("download failed");
        }
    }
}

void SaveCsv(benchmark::State& state) {
    EnsureSeries(state);
    for (auto _ : state) {
        if (!vanto::SaveCsvFile(Shared().table, Shared().CsvPath())) {
            state.SkipWithError("save failed");
            return;
        }
    }
    std::error_code ec;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(Shared().CsvPath(), ec)) / (1024.0 * 1024.0);
    ReportMemory(state);
}

void OpenCsv(benchmark::State& state) {
    EnsureSeries(state);
    if (!fs::exists(Shared().CsvPath())) {
        vanto::SaveCsvFile(Shared().table, Shared().CsvPath());
    }
    for (auto _ : state) {
        auto opened = vanto::OpenCsvFile(Shared().CsvPath());
        if (!opened || opened->RowCount() != Records + vanto::ContinuousTable::HeaderRows) {
            state.SkipWithError("open failed");
            return;
        }
        Shared().table = std::move(*opened);
    }
    ReportMemory(state);
}

BENCHMARK(DownloadSeries)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(SaveCsv)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(OpenCsv)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
