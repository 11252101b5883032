#include "tester/TesterLink.h"

#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vanto;
using vanto::test::ScriptedDialogs;
using vanto::test::TempFolder;

namespace {

class Frames : public ::testing::Test {
protected:
    std::string Frame(int group, int selector, int first, int second) {
        const int length = link.BuildCommand(group, selector, first, second);
        return std::string(reinterpret_cast<const char*>(link.IoBuffer.data()), static_cast<std::size_t>(length));
    }
    // Puts an answer frame into IoBuffer as ReceiveAnswer leaves it.
    void Answer(const std::string& bytes) {
        std::fill(link.IoBuffer.begin(), link.IoBuffer.end(), 0);
        std::memcpy(link.IoBuffer.data(), bytes.data(), bytes.size());
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    TesterLink link{dialogs, folder.Dir()};
};

TEST_F(Frames, ExamplesByteForByte) {
    EXPECT_EQ(Frame(0, 255, 0, 0), "\x02"
                                   "AB0000"
                                   "43\r\n");
    EXPECT_EQ(Frame(75, 4, 3, 1), std::string("\x02"
                                              "DF000A"
                                              "0003VALUE\0"
                                              "9B\r\n",
                                              21));
    const std::string minMax = Frame(77, 3, 1, 40);
    EXPECT_EQ(minMax, "\x02"
                      "DG000C"
                      "MIN=1,MAX=40"
                      "63\r\n");
    EXPECT_EQ(minMax.size(), 23u);
    // Nothing after the line feed: the buffer is cleared before each frame.
    EXPECT_EQ(link.IoBuffer[23], 0);
}

// Every command's frame: the checksum is the sum of letters, length and data modulo 256.
struct CommandCase {
    int group, selector, first, second;
    std::string frame;
};

class Commands : public Frames, public ::testing::WithParamInterface<CommandCase> {};

std::string WithChecksum(const std::string& body) {
    unsigned sum = 0;
    for (unsigned char c : body) {
        sum += c;
    }
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum % 256);
    return "\x02" + body + digits + "\r\n";
}

TEST_P(Commands, Frame) {
    const CommandCase& c = GetParam();
    EXPECT_EQ(Frame(c.group, c.selector, c.first, c.second), WithChecksum(c.frame));
}

INSTANTIATE_TEST_SUITE_P(All, Commands,
                         ::testing::Values(CommandCase{0, 0, 0, 0, "AA0000"}, CommandCase{0, 5, 0, 0, "CB0000"},
                                           CommandCase{75, 1, 0, 0, "DC0000"}, CommandCase{75, 2, 12, 0, "DD000212"},
                                           CommandCase{75, 2, 0, 0, "DD00010"},
                                           CommandCase{75, 4, 0x1F, 0, std::string("DF0009001FDATA\0", 15)},
                                           CommandCase{75, 5, 0, 0, "DD0003ALL"}, CommandCase{77, 1, 0, 0, "CD0000"},
                                           CommandCase{77, 2, 0, 0, "DG0004ITEM"},
                                           CommandCase{83, 'E', 'M', '1', "DA0003EM1"}));

TEST_F(Frames, ReferenceWriteCarriesTheTextInDataBuffer) {
    const std::string payload = "DATA=12345678...";
    std::memcpy(link.DataBuffer.data(), payload.data(), payload.size());
    EXPECT_EQ(Frame(75, 3, 0, 0), WithChecksum("DE0010" + payload));
}

TEST_F(Frames, UnknownCommandsAndOversizedPayloadsBuildNothing) {
    EXPECT_EQ(link.BuildCommand(0, 1, 0, 0), 0);
    EXPECT_EQ(link.BuildCommand(75, 9, 0, 0), 0);
    EXPECT_EQ(link.BuildCommand(12, 0, 0, 0), 0);
    std::fill(link.DataBuffer.begin(), link.DataBuffer.end() - 1, 'x'); // 66,559 characters
    EXPECT_EQ(link.BuildCommand(75, 3, 0, 0), 0);
}

TEST_F(Frames, AnswerChecks) {
    Answer("\x02"
           "CB0000"
           "0003EM1"
           "xx\r\n");
    EXPECT_EQ(link.CheckAnswer(), 0);
    EXPECT_EQ(link.AnswerDataLength(), 3u);
    EXPECT_EQ(link.AnswerData(), "EM1");

    Answer("\x02\xFF"
           "B0000"
           "0003EM1"
           "xx\r\n");
    EXPECT_EQ(link.CheckAnswer(), -1) << "0xFF at offset 1";
    Answer("\x02"
           "CB0000"
           "0003EM\xFF"
           "xx\r\n");
    EXPECT_EQ(link.CheckAnswer(), -1) << "0xFF at the last data byte";
    Answer("\x02"
           "CB0000"
           "0003EM1"
           "\xFFx\r\n");
    EXPECT_EQ(link.CheckAnswer(), 0) << "the checksum characters are not examined";
    Answer("\x02"
           "DEA00F"
           "0000"
           "xx\r\n");
    EXPECT_EQ(link.CheckAnswer(), -1) << "status A00";
    Answer("\x02"
           "DEA01F"
           "0000"
           "xx\r\n");
    EXPECT_EQ(link.CheckAnswer(), 0);
}

TEST_F(Frames, ChecksStayInsideTheBufferWhateverLengthIsClaimed) {
    Answer("\x02"
           "CB0000"
           "FFFF"
           "EM1");
    EXPECT_EQ(link.CheckAnswer(), 0);
    EXPECT_EQ(link.AnswerData().size(), 0xFFFFu);
    // Digits beyond "F" claim more than the buffer holds: the scan ends at the buffer's last byte.
    Answer("\x02"
           "CB0000"
           "~~~~"
           "EM1");
    EXPECT_EQ(link.CheckAnswer(), 0);
    link.IoBuffer.back() = 0xFF;
    EXPECT_EQ(link.CheckAnswer(), -1);
    Answer("\x02"
           "CB0000"
           "zz!!"
           "EM1");
    EXPECT_EQ(link.CheckAnswer(), 0);
    EXPECT_EQ(link.AnswerDataLength(), 0u);
}

TEST(FindNumber, ModesAndMissingKeys) {
    const std::string text = "MIN=12,MAX=3456";
    EXPECT_EQ(TesterLink::FindNumber(1, "MIN=", text), 12);
    EXPECT_EQ(TesterLink::FindNumber(2, "MAX=", text), 3456);
    EXPECT_EQ(TesterLink::FindNumber(3, "MAX=", text), 11);
    EXPECT_EQ(TesterLink::FindNumber(4, "MIN=", text), 4);
    EXPECT_EQ(TesterLink::FindNumber(1, "AVG=", text), NumberAbsent);
    EXPECT_EQ(TesterLink::FindNumber(5, "MIN=", text), NumberAbsent);
    EXPECT_EQ(TesterLink::FindNumber(0, "MIN=", text), NumberAbsent);
    EXPECT_EQ(TesterLink::FindNumber(1, "N=", "N=-7,"), -7);
    EXPECT_EQ(TesterLink::FindNumber(1, "N=", "N=,"), 0);
}

} // namespace
