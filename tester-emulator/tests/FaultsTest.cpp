// Faults a scenario can ask for: unplugging after some exchanges or during a read, a 0xFF byte in an answer,
// an "A00" status for a chosen command, a short answer, delays, and a tester that is not online.
#include "EmulatorFixture.h"

#include <chrono>
#include <thread>

using namespace emutest;
using namespace std::string_literals;

namespace {

const std::string Stx = "\x02";

using Clock = std::chrono::steady_clock;

const char* const kRecords = R"("records": [{"entry": "EM0", "values": ["12", "34"]}],
                               "reference": {"sets": [{"name": "one"}, {"name": "two"}]})";

std::string WithFaults(const std::string& faults) {
    return "{" + std::string(kRecords) + ", \"faults\": " + faults + "}";
}

TEST_F(EmulatorTest, UnplugAfterExchanges) {
    UseScenario(WithFaults(R"({"unplug_after_exchanges": 2})"));
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "AA").status, "0000");
    EXPECT_EQ(lib.Check(link->device), 0);
    // The second answer still arrives whole; then the tester is gone.
    EXPECT_EQ(Ask(*link, "CB").data, "EM0");
    EXPECT_NE(lib.Check(link->device), 0);
    EXPECT_EQ(link->PollReady(), std::nullopt);
    EXPECT_EQ(link->Read(100), ""); // the answer pipe is at its end
    EXPECT_EQ(lib.OpenPipe(link->device, 0, 1), -1);
    EXPECT_EQ(lib.ResetDevice(link->device), 0);
    EXPECT_NE(lib.Close(link->device), 0);
    link->device = -1;
}

TEST_F(EmulatorTest, UnplugAfterNoExchangeLeavesAnOpenedDeviceWithoutPipes) {
    UseScenario(WithFaults(R"({"unplug_after_exchanges": 0})"));
    int32_t device = lib.Open();
    ASSERT_GT(device, 0);
    EXPECT_NE(lib.Check(device), 0);
    EXPECT_EQ(lib.OpenPipe(device, 0, 1), -1);
    EXPECT_EQ(lib.OpenPipe(device, 0, 0), -1);
    EXPECT_NE(lib.Close(device), 0);
}

TEST_F(EmulatorTest, UnplugDuringARead) {
    UseScenario(WithFaults(R"({"rules": [{"command": "DA", "action": "unplug_in_read"}]})"));
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "CB").status, "0000");
    ASSERT_TRUE(link->WaitReady());
    Bytes frame = Command("DA", "EM0");
    ASSERT_TRUE(link->Announce(frame.size()));
    ASSERT_TRUE(link->Write(frame));
    auto length = link->WaitAnswer();
    ASSERT_TRUE(length);
    EXPECT_EQ(*length, 15u + 5);
    EXPECT_TRUE(link->Go());
    EXPECT_EQ(link->Read(*length), ""); // the read returns 0
    EXPECT_NE(lib.Check(link->device), 0);
    EXPECT_EQ(link->PollReady(), std::nullopt);
}

// A reader blocked in read() when the tester goes is released.
TEST_F(EmulatorTest, UnplugReleasesABlockedRead) {
    UseScenario(WithFaults(R"({"rules": [{"command": "CB", "action": "unplug_in_read"}]})"));
    auto link = Connect();
    ASSERT_TRUE(link->WaitReady());
    ASSERT_TRUE(link->Announce(Command("CB").size()));
    ASSERT_TRUE(link->Write(Command("CB")));
    ASSERT_TRUE(link->WaitAnswer());
    Bytes got = "not read";
    std::thread reader([&] { got = link->Read(100); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(link->Go());
    reader.join();
    EXPECT_EQ(got, "");
}

struct Corruption {
    const char* name;
    const char* rule;
    const char* letters;
    const char* data;
    std::size_t offset; // of the 0xFF byte in the expected answer
};
void PrintTo(const Corruption& p, std::ostream* os) {
    *os << p.name;
}

class ByteFFTest : public EmulatorTest, public ::testing::WithParamInterface<Corruption> {};

// The byte is replaced on the way: the rest of the frame, checksum included, is what it would have been.
TEST_P(ByteFFTest, ReplacesOneByteOfTheAnswer) {
    const Corruption& c = GetParam();
    UseScenario("{" + std::string(kRecords) + "}");
    Bytes clean;
    {
        auto link = Connect();
        clean = link->Exchange(Command(c.letters, c.data)).value_or("");
    }
    ASSERT_FALSE(clean.empty());
    UseScenario(WithFaults(std::string(R"({"rules": [)") + c.rule + "]}"), "faulty.json");
    auto link = Connect();
    Bytes expected = clean;
    expected[c.offset] = '\xFF';
    EXPECT_EQ(link->Exchange(Command(c.letters, c.data)), expected);
    // Only the matching exchange is touched.
    EXPECT_EQ(link->Exchange(Command(c.letters, c.data)), clean);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ByteFFTest,
    ::testing::Values(
        Corruption{"OffsetOne", R"({"command": "CB", "nth": 1, "action": "byte_ff", "offset": 1})", "CB", "", 1},
        Corruption{"LastDataByte", R"({"command": "DA", "nth": 1, "action": "byte_ff", "offset": "last_data"})", "DA",
                   "EM0", 15},
        Corruption{"FromTheEnd", R"({"command": "DA", "nth": 1, "action": "byte_ff", "offset": -1})", "DA", "EM0",
                   20 - 1},
        Corruption{"ByExchangeNumber", R"({"exchange": 1, "action": "byte_ff", "offset": 7})", "CB", "", 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EmulatorTest, LastDataByteOfAnEmptyAnswerLeavesItAlone) {
    UseScenario(WithFaults(R"({"rules": [{"command": "AB", "action": "byte_ff", "offset": "last_data"}]})"));
    auto link = Connect();
    EXPECT_EQ(link->Exchange(Command("AB")), Stx + "AB0000000003\r\n"s);
}

TEST_F(EmulatorTest, OffsetBeyondTheAnswerLeavesItAlone) {
    UseScenario(WithFaults(R"({"rules": [{"command": "AB", "action": "byte_ff", "offset": 15}]})"));
    auto link = Connect();
    EXPECT_EQ(link->Exchange(Command("AB")), Stx + "AB0000000003\r\n"s);
}

TEST_F(EmulatorTest, ErrorStatusForACommandRefusesItWithoutCarryingItOut) {
    UseScenario(WithFaults(R"({"rules": [{"command": "DD", "action": "error"},
                                         {"command": "DF", "nth": 2, "action": "error", "status": "A00X"}]})"));
    auto link = Connect();
    Answer refused = Ask(*link, "DD", "0");
    EXPECT_TRUE(refused.wellFormed);
    EXPECT_EQ(refused.letters, "DD");
    EXPECT_EQ(refused.status, "A00F");
    EXPECT_EQ(refused.data, "");
    EXPECT_EQ(Ask(*link, "DC").data.size(), 160u); // nothing deleted
    EXPECT_EQ(Ask(*link, "DF", "0000DATA\0"s).status, "0000");
    EXPECT_EQ(Ask(*link, "DF", "0000DATA\0"s).status, "A00X");
    EXPECT_EQ(Ask(*link, "DF", "0000DATA\0"s).status, "0000");
}

TEST_F(EmulatorTest, RuleCountsRestartAtEveryOpen) {
    UseScenario(WithFaults(R"({"rules": [{"exchange": 1, "action": "error"}]})"));
    for (int i = 0; i < 2; ++i) {
        auto link = Connect();
        EXPECT_EQ(Ask(*link, "AA").status, "A00F");
        EXPECT_EQ(Ask(*link, "AA").status, "0000");
    }
}

TEST_F(EmulatorTest, TruncatedAnswerAnnouncesTheFullLengthAndSendsLess) {
    UseScenario(WithFaults(R"({"rules": [{"command": "CB", "action": "truncate", "bytes": 5}]})"));
    auto link = Connect();
    ASSERT_TRUE(link->WaitReady());
    ASSERT_TRUE(link->Announce(Command("CB").size()));
    ASSERT_TRUE(link->Write(Command("CB")));
    auto length = link->WaitAnswer();
    ASSERT_TRUE(length);
    EXPECT_EQ(*length, 18u);
    ASSERT_TRUE(link->Go());
    EXPECT_EQ(link->Read(*length), Stx + "CB00");
    EXPECT_EQ(lib.Check(link->device), 0);
    EXPECT_EQ(Ask(*link, "AB").status, "0000");
}

// Milliseconds from writing a frame until the answer-ready poll says 0x55.
long AnswerTime(Link& link, std::string_view letters) {
    Bytes frame = Command(letters);
    EXPECT_TRUE(link.WaitReady());
    EXPECT_TRUE(link.Announce(frame.size()));
    auto start = Clock::now();
    EXPECT_TRUE(link.Write(frame));
    auto length = link.WaitAnswer(5000);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_TRUE(length && link.Go());
    EXPECT_FALSE(link.Read(length.value_or(0)).empty());
    return static_cast<long>(ms);
}

TEST_F(EmulatorTest, DelayPerExchangeAndPerCommand) {
    UseScenario(WithFaults(R"({"delay_ms": 60, "rules": [{"command": "CD", "action": "delay", "ms": 200},
                                                         {"command": "AB", "action": "delay", "ms": 600000}]})"));
    auto link = Connect();
    EXPECT_GE(AnswerTime(*link, "CB"), 60);
    EXPECT_GE(AnswerTime(*link, "CD"), 260);
    // Go before the answer is ready is refused (a delay no test waits for, so a slow machine cannot outlast it).
    Bytes frame = Command("AB");
    ASSERT_TRUE(link->WaitReady());
    ASSERT_TRUE(link->Announce(frame.size()));
    ASSERT_TRUE(link->Write(frame));
    EXPECT_FALSE(link->Go());
}

TEST_F(EmulatorTest, OfflineTesterNeverBecomesReady) {
    UseScenario(R"({"online": false})");
    auto link = Connect();
    ASSERT_TRUE(link->Opened());
    auto end = Clock::now() + std::chrono::milliseconds(300);
    while (Clock::now() < end) {
        ASSERT_EQ(link->PollReady(), 0x00);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(link->Announce(11));
    EXPECT_EQ(lib.Check(link->device), 0);
}

TEST_F(EmulatorTest, TesterComesOnlineLater) {
    UseScenario(R"({"online_after_ms": 150})");
    const auto start = Clock::now(); // before the opening, so that no pause of this process can shorten the wait
    auto link = Connect();
    ASSERT_TRUE(link->WaitReady(5000));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_EQ(Ask(*link, "AA").status, "0000");
}

} // namespace
