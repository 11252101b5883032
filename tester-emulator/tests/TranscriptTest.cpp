// The transcript: one line per frame, "PC> " for a frame from the PC and "TS> " for an answer, printable ASCII
// as it is, a backslash doubled, every other byte \xHH; appended, never truncated.
#include "EmulatorFixture.h"

using namespace emutest;

namespace {

const char* const kScenario = R"({"opening": {"items": {"APP_V": "1\\2"}},
  "records": [{"entry": "EM0", "data": {"hex": "5C 41 7E 20 7F 82 A0 FF 00 0D"}}],
  "faults": {"rules": [{"command": "DA", "nth": 2, "action": "truncate", "bytes": 12},
                       {"command": "DA", "nth": 3, "action": "unplug_in_read"}]}})";

class TranscriptTest : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        UseScenario(kScenario);
    }
};

TEST_F(TranscriptTest, EveryFrameInOrderExactlyEscaped) {
    auto path = RecordTranscript();
    auto link = Connect();
    ASSERT_TRUE(link->Exchange(Command("AA")));
    ASSERT_TRUE(link->Exchange(Command("DA", "EM0")));
    EXPECT_EQ(ReadText(path), "PC> \\x02AA000042\\x0D\\x0A\n"
                              "TS> \\x02AA0000000AAPP_V=1\\\\2,D1\\x0D\\x0A\n"
                              "PC> \\x02DA0003EM00A\\x0D\\x0A\n"
                              "TS> \\x02DA0000000A\\\\A~ \\x7F\\x82\\xA0\\xFF\\x00\\x0DFE\\x0D\\x0A\n");
}

TEST_F(TranscriptTest, ShowsOnlyWhatWasSent) {
    auto path = RecordTranscript();
    auto link = Connect();
    ASSERT_TRUE(link->Exchange(Command("DA", "EM0")));
    ASSERT_TRUE(link->Exchange(Command("DA", "EM0")));  // cut to 12 bytes
    EXPECT_FALSE(link->Exchange(Command("DA", "EM0"))); // unplugged while read: no answer
    std::string pc = "PC> \\x02DA0003EM00A\\x0D\\x0A\n";
    EXPECT_EQ(ReadText(path), pc + "TS> \\x02DA0000000A\\\\A~ \\x7F\\x82\\xA0\\xFF\\x00\\x0DFE\\x0D\\x0A\n" + pc +
                                  "TS> \\x02DA0000000A\\\\\n" + pc);
}

TEST_F(TranscriptTest, AppendsToWhatIsThereAcrossOpens) {
    auto path = RecordTranscript();
    dir.Write("transcript.txt", "earlier line\n");
    for (int i = 0; i < 2; ++i) {
        auto link = Connect();
        ASSERT_TRUE(link->Exchange(Command("AB")));
    }
    std::string one = "PC> \\x02AB000043\\x0D\\x0A\nTS> \\x02AB0000000003\\x0D\\x0A\n";
    EXPECT_EQ(ReadText(path), "earlier line\n" + one + one);
}

TEST_F(TranscriptTest, NothingWrittenWithoutTheVariable) {
    auto link = Connect();
    ASSERT_TRUE(link->Exchange(Command("AB")));
    link->CloseAll();
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 2); // the library copy and the scenario
}

TEST_F(TranscriptTest, UnwritableTranscriptDoesNotDisturbTheTester) {
    ScopedEnv env("UUSBQK_EMULATOR_TRANSCRIPT", (dir.Path() / "no-such-folder" / "t.txt").c_str());
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "AB").status, "0000");
}

} // namespace
