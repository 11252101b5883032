// Saves survive a crash: a child process saves large files over and over (customer list, monitor index, phrase
// dictionary, CSV, a profile) and is killed with SIGKILL at random moments. Every file must always hold either an
// earlier whole content or a later whole one, never a mix, never nothing, and the next save leaves no temporary.
#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/TextFile.h"
#include "continuous/ContinuousRecord.h"
#include "register/MonitorFiles.h"
#include "settings/PhraseDictionary.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

constexpr int Generations = 4; // contents cycle through these, each recognisable from every line

std::vector<std::string> Lines(int generation, int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines.push_back("世代" + std::to_string(generation) + "-行" + std::to_string(i));
    }
    return lines;
}

ContinuousTable Table(int generation) {
    ContinuousTable table;
    table.Resize(20'000, 4);
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < 4; ++c) {
            table.SetCell(r, c, std::to_string(generation * 100000 + r));
        }
    }
    return table;
}

struct Files {
    fs::path root;
    fs::path List() const { return root / "VISITOR_M.DT"; }
    VehicleFolder Vehicle() const { return VehicleFolder(root.string() + "/V"); }
    fs::path Dictionary() const { return root / "str_dic.txt"; }
    fs::path Csv() const { return root / "series.CSV"; }
    fs::path Profile() const { return root / "profile.DT"; }
};

// One round of saves of generation g; every save replaces its file whole.
void SaveAll(const Files& f, int g) {
    SaveSjisLines(f.List(), Lines(g, 40'000));
    std::vector<std::string> index = Lines(g, 20'000);
    WriteFileAtomic(PathFromUtf8(f.Vehicle().MonitorIndexFile()), JoinLines(index));
    PhraseDictionary dictionary(f.Dictionary().string(), f.root.string() + "/");
    dictionary.Load();
    dictionary.Add("世代" + std::to_string(g));
    SaveCsvFile(Table(g), f.Csv().string());
    ProfileFile profile(f.Profile());
    for (int key = 0; key < 300; ++key) {
        profile.WriteBytes("S" + std::to_string(key % 7), "K" + std::to_string(key), std::string(200, 'a' + g));
    }
}

// Whether the bytes are one whole content: every line from the same generation and the file ending with its line end.
bool WholeLines(const std::string& bytes, std::size_t minimumLines) {
    if (bytes.empty() || !bytes.ends_with("\r\n")) {
        return false;
    }
    const auto lines = SplitLines(bytes);
    if (lines.size() < minimumLines) {
        return false;
    }
    const std::string first = lines.front().substr(0, 8); // "世代" and the digit, in CP932
    for (const std::string& line : lines) {
        if (line.substr(0, 8) != first) {
            return false;
        }
    }
    return true;
}

bool WholeCsv(const std::string& bytes) {
    if (!bytes.ends_with(",\r\n")) {
        return false;
    }
    const ContinuousTable table = ParseCsv(bytes);
    if (table.RowCount() != 20'000) {
        return false;
    }
    const std::string_view first = table.Cell(0, 0);
    const std::string_view last = table.Cell(19'999, 3);
    return !first.empty() && std::stoi(std::string(last)) - std::stoi(std::string(first)) == 19'999;
}

TEST(CrashSafeSaves, KilledSavesLeaveOldOrNewContentNeverAMix) {
    TempFolder folder;
    const Files f{folder.Path()};
    fs::create_directories(f.root / "V");
    SaveAll(f, 0);

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, 40'000); // microseconds
    for (int round = 0; round < 200; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int g = 1;; g = g % (Generations - 1) + 1) {
                SaveAll(f, g);
            }
        }
        usleep(static_cast<useconds_t>(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        ASSERT_TRUE(WholeLines(ReadBytes(f.List()), 40'000)) << "customer list, round " << round;
        ASSERT_TRUE(WholeLines(ReadBytes(PathFromUtf8(f.Vehicle().MonitorIndexFile())), 20'000)) << "index " << round;
        const std::string dictionary = ReadBytes(f.Dictionary());
        ASSERT_TRUE(dictionary.ends_with("\r\n") && !SplitLines(dictionary).empty()) << "dictionary " << round;
        ASSERT_TRUE(WholeCsv(ReadBytes(f.Csv()))) << "CSV, round " << round;
        const std::string profile = ReadBytes(f.Profile());
        const auto value = ProfileLookup(profile, "S5", "K299");
        ASSERT_TRUE(value && value->size() == 200) << "profile, round " << round;
    }

    // The next save of each file removes what killed saves left behind.
    SaveAll(f, 1);
    std::vector<std::string> leftovers;
    for (const fs::path& dir : {f.root, f.root / "V"}) {
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().filename().string().ends_with(".tmp")) {
                leftovers.push_back(entry.path().filename().string());
            }
        }
    }
    EXPECT_TRUE(leftovers.empty()) << leftovers.size() << " temporaries left, e.g. " << leftovers.front();
}

} // namespace
