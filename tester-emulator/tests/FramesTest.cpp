// Frame checks: well-formed frames are answered, malformed ones get an "A00" answer and are logged, and the
// tester goes on working after either.
#include "EmulatorFixture.h"

#include <thread>

using namespace emutest;
using namespace std::string_literals;

namespace {

const std::string Stx = "\x02";

// 40 continuous-record rows and four reference sets, enough for the three literal frames below.
std::string FrameScenario() {
    std::string rows;
    for (int i = 1; i <= 40; ++i) {
        rows += (i > 1 ? ",[\"" : "[\"") + std::to_string(i) + "\",\"x\"]";
    }
    return R"({"reference": {"sets": [{"name": "A"}, {"name": "B"}, {"name": "C"},
                                      {"name": "D", "values": ["v1", "v2"]}]},
              "continuous": {"items": [["No.", "x"], ["", "u"]], "rows": [)" +
           rows + "]}}";
}

class FrameTest : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        UseScenario(FrameScenario());
        transcript = RecordTranscript();
    }
    std::filesystem::path transcript;
};

// Frames written out by hand with their checksums, so the tester's checksum is checked against known sums.
TEST_F(FrameTest, AcceptsHandWrittenFramesAndAnswersWithCorrectChecksums) {
    auto link = Connect();
    // "AB0000" sums to 323: checksum 43. The answer "AB" "0000" "0000" sums to 515: checksum 03.
    EXPECT_EQ(link->Exchange(Stx + "AB000043\r\n"), Stx + "AB0000000003\r\n"s);
    // "CB" "0000" "0000" sums to 517: checksum 05.
    EXPECT_EQ(link->Exchange(Stx + "CB000045\r\n"), Stx + "CB0000000005\r\n"s);

    Answer value = ParseAnswer(link->Exchange(Stx + "DF000A0003VALUE" + '\0' + "9B\r\n").value_or(""));
    EXPECT_TRUE(value.wellFormed);
    EXPECT_EQ(value.status, "0000");
    EXPECT_EQ(value.data, "v1,v2,");

    Answer rows = ParseAnswer(link->Exchange(Stx + "DG000CMIN=1,MAX=40" + "63\r\n").value_or(""));
    EXPECT_TRUE(rows.wellFormed);
    EXPECT_EQ(rows.status, "0000");
    EXPECT_TRUE(rows.data.starts_with("1,x;2,x;")) << rows.data;
    EXPECT_TRUE(rows.data.ends_with("40,x;\r")) << rows.data;
}

struct Malformed {
    const char* name;
    std::string frame;
    const char* status;
    const char* letters;
};
void PrintTo(const Malformed& p, std::ostream* os) {
    *os << p.name;
}

Bytes WithChecksum(std::string frame, const char* digits) {
    frame.replace(frame.size() - 4, 2, digits);
    return frame;
}

std::string Escaped(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char buf[8];
        if (c == '\\') {
            out += "\\\\";
        } else if (c >= 0x20 && c <= 0x7E) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

class MalformedFrameTest : public FrameTest, public ::testing::WithParamInterface<Malformed> {};

TEST_P(MalformedFrameTest, GetsAnA00AnswerIsLoggedAndTheTesterGoesOn) {
    const Malformed& m = GetParam();
    auto link = Connect();
    auto raw = link->Exchange(m.frame);
    ASSERT_TRUE(raw);
    Answer a = ParseAnswer(*raw);
    EXPECT_TRUE(a.wellFormed);
    EXPECT_EQ(a.letters, m.letters);
    EXPECT_EQ(a.status, m.status);
    EXPECT_TRUE(a.status.starts_with("A00"));
    EXPECT_EQ(a.data, "");

    // The next well-formed frame is answered as usual.
    Answer next = Ask(*link, "AB");
    EXPECT_EQ(next.status, "0000");

    EXPECT_EQ(ReadText(transcript), "PC> " + Escaped(m.frame) + "\nTS> " + Escaped(*raw) + "\n" +
                                        "PC> \\x02AB000043\\x0D\\x0A\n" + "TS> \\x02AB0000000003\\x0D\\x0A\n");
}

INSTANTIATE_TEST_SUITE_P(Frames, MalformedFrameTest,
                         ::testing::Values(Malformed{"BadChecksum", WithChecksum(Command("CB"), "46"), "A003", "CB"},
                                           Malformed{"LowerCaseChecksum",
                                                     WithChecksum(Command("DF", "0003VALUE\0"s), "9b"), "A003", "DF"},
                                           Malformed{"ChecksumNotHex", WithChecksum(Command("CB"), "G5"), "A003", "CB"},
                                           Malformed{"LengthLongerThanData", Stx + "CB000146\r\n", "A002", "CB"},
                                           Malformed{"LengthShorterThanData", Stx + "DD0000ALL00\r\n", "A002", "DD"},
                                           Malformed{"LengthNotHex", Stx + "DD000G100\r\n", "A002", "DD"},
                                           Malformed{"LengthLowerCase", Stx + "DE000a012345678900\r\n", "A002", "DE"},
                                           Malformed{"TooShort", Stx + "CB00\r\n", "A002", "CB"},
                                           Malformed{"BadStart",
                                                     "\x03"
                                                     "CB000045\r\n",
                                                     "A001", "CB"},
                                           Malformed{"NoStart", "CB000045\r\n", "A001", "B0"},
                                           Malformed{"EndSwapped", Stx + "CB000045\n\r", "A004", "CB"},
                                           Malformed{"EndMissingLf", Stx + "CB000045\r\0"s, "A004", "CB"},
                                           Malformed{"UnprintableLetters",
                                                     "\x02\xFF\x01"
                                                     "0000"
                                                     "00\r\n",
                                                     "A003", "??"}),
                         [](const ::testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

TEST_F(FrameTest, FrameOfAnotherLengthThanAnnouncedIsRefused) {
    auto link = Connect();
    Bytes frame = Command("CB");
    ASSERT_TRUE(link->WaitReady());
    ASSERT_TRUE(link->Announce(frame.size() + 1));
    ASSERT_TRUE(link->Write(frame));
    auto length = link->WaitAnswer();
    ASSERT_TRUE(length);
    ASSERT_TRUE(link->Go());
    Answer a = ParseAnswer(link->Read(*length));
    EXPECT_EQ(a.letters, "CB");
    EXPECT_EQ(a.status, "A002");
    EXPECT_EQ(Ask(*link, "CB").status, "0000");
}

TEST_F(FrameTest, FrameWithoutAnnounceIsRefused) {
    auto link = Connect();
    ASSERT_TRUE(link->WaitReady());
    ASSERT_TRUE(link->Write(Command("CB")));
    auto length = link->WaitAnswer();
    ASSERT_TRUE(length);
    ASSERT_TRUE(link->Go());
    EXPECT_EQ(ParseAnswer(link->Read(*length)).status, "A002");
    EXPECT_EQ(Ask(*link, "CB").status, "0000");
}

TEST_F(FrameTest, FrameWrittenWhileAnAnswerWaitsIsLoggedAndDropped) {
    const auto log = dir.Path() / "emulator.log";
    ScopedEnv logEnv("UUSBQK_EMULATOR_LOG", log.c_str());
    auto link = Connect();
    ASSERT_TRUE(link->WaitReady());
    ASSERT_TRUE(link->Announce(Command("CB").size()));
    ASSERT_TRUE(link->Write(Command("CB")));
    auto length = link->WaitAnswer();
    ASSERT_TRUE(length);
    EXPECT_EQ(link->PollReady(), 0x00); // busy until the answer is fetched
    ASSERT_TRUE(link->Write(Command("DD", "ALL")));
    // The tester has dealt with the frame once its log says so.
    const auto dropped = [&] { return ReadText(log).find("frame discarded") != std::string::npos; };
    for (int wait = 0; wait < 10000 && !dropped(); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(dropped());
    ASSERT_TRUE(link->Go());
    EXPECT_EQ(ParseAnswer(link->Read(*length)).letters, "CB");
    // The dropped DD deleted nothing.
    EXPECT_EQ(Ask(*link, "DC").data.size(), 4u * 80);
    EXPECT_NE(ReadText(transcript).find("PC> \\x02DD0003ALL"), std::string::npos);
}

} // namespace
