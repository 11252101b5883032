// Every test gets a fresh copy of the library in its own folder, no scenario, transcript or log variable set
// unless it sets one, and helpers to choose a scenario.
#pragma once

#include "EmulatorHost.h"

#include <gtest/gtest.h>

#include <memory>

namespace emutest {

class EmulatorTest : public ::testing::Test {
protected:
    EmulatorTest()
        : scenarioEnv_("UUSBQK_EMULATOR_SCENARIO", nullptr), transcriptEnv_("UUSBQK_EMULATOR_TRANSCRIPT", nullptr),
          logEnv_("UUSBQK_EMULATOR_LOG", nullptr), lib(dir.Path()) {}

    void SetUp() override { ASSERT_TRUE(lib.Loaded()); }

    // Writes the scenario text to a file and names it in UUSBQK_EMULATOR_SCENARIO.
    std::filesystem::path UseScenario(std::string_view json, const std::string& name = "scenario.json") {
        auto path = dir.Write(name, json);
        ::setenv("UUSBQK_EMULATOR_SCENARIO", path.c_str(), 1);
        return path;
    }
    void UseShipped(const std::string& name) { ::setenv("UUSBQK_EMULATOR_SCENARIO", ScenarioFile(name).c_str(), 1); }
    std::filesystem::path RecordTranscript() {
        auto path = dir.Path() / "transcript.txt";
        ::setenv("UUSBQK_EMULATOR_TRANSCRIPT", path.c_str(), 1);
        return path;
    }
    std::unique_ptr<Link> Connect() {
        auto link = std::make_unique<Link>(lib);
        EXPECT_TRUE(link->Opened());
        return link;
    }
    // One exchange taken apart; a failed exchange gives an answer that is not well formed.
    Answer Ask(Link& link, std::string_view letters, std::string_view data = {}) {
        auto raw = link.Exchange(Command(letters, data));
        return raw ? ParseAnswer(*raw) : Answer{};
    }

    TempDir dir;

private:
    ScopedEnv scenarioEnv_;
    ScopedEnv transcriptEnv_;
    ScopedEnv logEnv_;

protected:
    Library lib;
};

} // namespace emutest
