// Exchanges per second between the program's link and the emulated tester (no delay configured): a small
// command (the record directory) and a 60 KB answer (one record read). The link polls every millisecond, so
// an exchange that waits for its answer costs at least one poll interval.
#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/TextFile.h"
#include "tester/TesterLink.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
namespace fs = std::filesystem;

void ReportDialog(const std::string& text) {
    std::fprintf(stderr, "dialog: %s\n", text.c_str());
}

// A program folder with the emulator library and a scenario holding one small and one 60 KB record.
struct Setup {
    fs::path folder;
    vanto::SilentDialogs dialogs{ReportDialog};
    std::unique_ptr<vanto::TesterLink> link;

    Setup() {
        folder = fs::temp_directory_path() / ("vanto-bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        const char* bin = std::getenv("VANTO_TEST_BIN");
        const fs::path library = fs::path(bin ? bin : BENCH_BIN_DIR) / "libuusbqk.so";
        fs::create_symlink(library, folder / "libuusbqk.so");
        std::string big(60 * 1024, '7');
        for (std::size_t i = 8; i < big.size(); i += 9) {
            big[i] = ',';
        }
        const std::string scenario =
            R"({"records": [{"entry": "EM0", "data": "1,2,3"}, {"entry": "EM1", "data": ")" + big + R"("}]})";
        vanto::WriteFileAtomic(folder / "scenario.json", scenario);
        setenv("UUSBQK_EMULATOR_SCENARIO", (folder / "scenario.json").c_str(), 1);
        link = std::make_unique<vanto::TesterLink>(dialogs, vanto::WithTrailingSeparator(folder.string()));
        if (link->ConnectTester("テスター") != vanto::LinkOk) {
            std::fprintf(stderr, "the emulated tester did not answer\n");
            std::exit(1);
        }
    }
    ~Setup() {
        link->CloseLink();
        link.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

Setup& Shared() {
    static Setup setup;
    return setup;
}

void Exchange(benchmark::State& state, int group, int selector, int first, int second) {
    vanto::TesterLink& link = *Shared().link;
    std::size_t bytes = 0;
    for (auto _ : state) {
        if (link.SendCommand(link.BuildCommand(group, selector, first, second)) != vanto::LinkOk ||
            link.ReceiveAnswer() != vanto::LinkOk) {
            state.SkipWithError("exchange failed");
            break;
        }
        bytes += link.AnswerData().size();
        // The trace grows with every exchange; keep it from filling the disk during long runs.
        if (state.iterations() % 256 == 0) {
            std::error_code ec;
            fs::remove(Shared().folder / "LOG_OUT.BNY", ec);
        }
    }
    state.counters["answer_bytes"] = static_cast<double>(link.AnswerData().size());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void SmallCommand(benchmark::State& state) {
    Exchange(state, vanto::GroupLink, 5, 0, 0);
}
void LargeAnswer(benchmark::State& state) {
    Exchange(state, vanto::GroupRecord, 'E', 'M', '1');
}

BENCHMARK(SmallCommand)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(LargeAnswer)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
