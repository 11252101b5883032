// The six calls under any call order, bad arguments, several devices, many opens, other threads polling, and
// unloading the library with a device still open.
#include "EmulatorFixture.h"

#include <atomic>
#include <dirent.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace emutest;
using namespace std::string_literals;

namespace {

int CountEntries(const char* folder) {
    int n = 0;
    if (DIR* d = ::opendir(folder)) {
        while (::readdir(d)) {
            ++n;
        }
        ::closedir(d);
    }
    return n;
}

class AbiTest : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        UseScenario(R"({"records": [{"entry": "EM0", "data": "1,2"}]})");
    }
};

TEST_F(AbiTest, BadHandlesAreRefused) {
    for (int32_t handle : {-1, 0, 12345}) {
        uint8_t b[3] = {0, 0, 0};
        EXPECT_EQ(lib.Close(handle), 0);
        EXPECT_NE(lib.Check(handle), 0);
        EXPECT_EQ(lib.OpenPipe(handle, 0, 1), -1);
        EXPECT_EQ(lib.ResetDevice(handle), 0);
        EXPECT_EQ(lib.VendorRequest(handle, 1, 0, 1, 0x40, 0, 1, b), 0);
    }
}

TEST_F(AbiTest, CallsAfterCloseAreRefused) {
    Link link(lib);
    ASSERT_TRUE(link.Opened());
    int32_t device = link.device;
    EXPECT_EQ(lib.Check(device), 0);
    EXPECT_NE(lib.Close(device), 0);
    EXPECT_EQ(lib.Close(device), 0);
    EXPECT_NE(lib.Check(device), 0);
    EXPECT_EQ(link.PollReady(), std::nullopt);
    EXPECT_EQ(lib.OpenPipe(device, 0, 0), -1);
    EXPECT_EQ(lib.ResetDevice(device), 0);
    // The program's pipes read as ended and refuse writes (without a signal).
    EXPECT_EQ(link.Read(10), "");
    EXPECT_LT(::send(link.out, "x", 1, MSG_NOSIGNAL), 0);
    link.device = -1;
}

struct Request {
    const char* name;
    int32_t direction, reserved0, reserved1, request, value, length;
    bool nullBuffer;
};
void PrintTo(const Request& p, std::ostream* os) {
    *os << p.name;
}

class BadRequestTest : public AbiTest, public ::testing::WithParamInterface<Request> {};

TEST_P(BadRequestTest, IsRefusedAndTheTesterGoesOn) {
    const Request& r = GetParam();
    Link link(lib);
    ASSERT_TRUE(link.Opened());
    uint8_t b[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(lib.VendorRequest(link.device, r.direction, r.reserved0, r.reserved1, r.request, r.value, r.length,
                                r.nullBuffer ? nullptr : b),
              0);
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CB")).value_or("")).data, "EM0");
}

INSTANTIATE_TEST_SUITE_P(
    Abi, BadRequestTest,
    ::testing::Values(
        Request{"NullBuffer", 1, 0, 1, 0x40, 0, 1, true}, Request{"NullBufferGo", 0, 0, 1, 0, 0, 3, true},
        Request{"Reserved0", 1, 1, 1, 0x40, 0, 1, false}, Request{"Reserved1", 1, 0, 0, 0x40, 0, 1, false},
        Request{"Value", 1, 0, 1, 0x40, 1, 1, false}, Request{"ReadyLength", 1, 0, 1, 0x40, 0, 3, false},
        Request{"AnswerReadyLength", 1, 0, 1, 0x41, 0, 1, false}, Request{"OutLength", 0, 0, 1, 0, 0, 2, false},
        Request{"NegativeLength", 1, 0, 1, 0x41, 0, -3, false}, Request{"UnknownRequest", 1, 0, 1, 0x42, 0, 1, false},
        Request{"PollAsOut", 0, 0, 1, 0x40, 0, 1, false}, Request{"OutAsIn", 1, 0, 1, 0, 0, 3, false},
        Request{"BadDirection", -1, 0, 1, 0, 0, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AbiTest, GoWithoutAnAnswerAndAnnounceWhileBusyAreRefused) {
    Link link(lib);
    uint8_t go[3] = {1, 0, 0};
    EXPECT_EQ(lib.VendorRequest(link.device, 0, 0, 1, 0, 0, 3, go), 0);
    uint8_t other[3] = {2, 0, 0};
    EXPECT_EQ(lib.VendorRequest(link.device, 0, 0, 1, 0, 0, 3, other), 0);
    ASSERT_TRUE(link.Announce(11));
    EXPECT_FALSE(link.Announce(11)); // already announced
    EXPECT_EQ(link.PollReady(), 0x00);
    // Reset forgets the half-done exchange.
    EXPECT_NE(lib.ResetDevice(link.device), 0);
    EXPECT_EQ(link.PollReady(), 0x55);
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CB")).value_or("")).data, "EM0");
}

TEST_F(AbiTest, ResetDropsAPreparedAnswer) {
    Link link(lib);
    ASSERT_TRUE(link.WaitReady());
    ASSERT_TRUE(link.Announce(Command("CB").size()));
    ASSERT_TRUE(link.Write(Command("CB")));
    ASSERT_TRUE(link.WaitAnswer());
    EXPECT_NE(lib.ResetDevice(link.device), 0);
    uint8_t b[3] = {0xEE, 0xEE, 0xEE};
    EXPECT_NE(lib.VendorRequest(link.device, 1, 0, 1, 0x41, 0, 3, b), 0);
    EXPECT_EQ(b[0], 0x00);
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("AB")).value_or("")).letters, "AB");
}

TEST_F(AbiTest, PipesAreCheckedAndEachOpenGivesANewDescriptor) {
    Link link(lib);
    EXPECT_EQ(lib.OpenPipe(link.device, 1, 1), -1);
    EXPECT_EQ(lib.OpenPipe(link.device, 0, 2), -1);
    EXPECT_EQ(lib.OpenPipe(link.device, 0, -1), -1);
    int again = lib.OpenPipe(link.device, 0, 1);
    ASSERT_GE(again, 0);
    EXPECT_NE(again, link.in);
    ::close(link.in);
    link.in = again; // the new descriptor reads the same pipe
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CB")).value_or("")).data, "EM0");
}

TEST_F(AbiTest, SeveralDevicesAtOnceAreIndependent) {
    Link a(lib);
    Link b(lib);
    ASSERT_TRUE(a.Opened());
    ASSERT_TRUE(b.Opened());
    EXPECT_NE(a.device, b.device);
    ASSERT_TRUE(a.WaitReady());
    ASSERT_TRUE(a.Announce(Command("CB").size()));
    ASSERT_TRUE(a.Write(Command("CB")));
    EXPECT_EQ(ParseAnswer(b.Exchange(Command("AB")).value_or("")).letters, "AB");
    auto length = a.WaitAnswer();
    ASSERT_TRUE(length && a.Go());
    EXPECT_EQ(ParseAnswer(a.Read(*length)).data, "EM0");
}

TEST_F(AbiTest, ManyOpensLeaveNoDescriptorsOrThreads) {
    { Link warmUp(lib); }
    int fds = CountEntries("/proc/self/fd");
    int threads = CountEntries("/proc/self/task");
    for (int i = 0; i < 200; ++i) {
        Link link(lib);
        ASSERT_GT(link.device, 0);
        ASSERT_NE(link.device, -1);
        if (i % 20 == 0) {
            ASSERT_TRUE(link.Exchange(Command("AB")));
        }
    }
    EXPECT_EQ(CountEntries("/proc/self/fd"), fds);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
}

// The program polls from its UI thread while the device thread works; other callers may ask Check meanwhile.
TEST_F(AbiTest, PollingFromOtherThreadsDuringExchanges) {
    Link link(lib);
    std::atomic<bool> done{false};
    std::thread checker([&] {
        while (!done) {
            lib.Check(link.device);
            uint8_t b[3];
            lib.VendorRequest(link.device, 1, 0, 1, 0x41, 0, 3, b);
            lib.VendorRequest(link.device, 1, 0, 1, 0x40, 0, 1, b);
        }
    });
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(ParseAnswer(link.Exchange(Command("DA", "EM0")).value_or("")).data, "1,2");
    }
    done = true;
    checker.join();
}

TEST_F(AbiTest, CloseFromAnotherThreadWhileExchanging) {
    for (int round = 0; round < 20; ++round) {
        Link link(lib);
        std::thread closer([&] {
            std::this_thread::sleep_for(std::chrono::microseconds(200 * round));
            lib.Close(link.device);
        });
        for (int i = 0; i < 20 && link.Exchange(Command("AB")); ++i) {
        }
        closer.join();
        link.device = -1;
        EXPECT_NE(lib.Check(link.device), 0);
    }
}

TEST(AbiUnloadTest, UnloadingWithAnOpenDeviceEndsItsThread) {
    TempDir dir;
    ScopedEnv scenario("UUSBQK_EMULATOR_SCENARIO", nullptr);
    int threads = CountEntries("/proc/self/task");
    int in = -1;
    {
        Library lib(dir.Path());
        ASSERT_TRUE(lib.Loaded());
        int32_t device = lib.Open();
        ASSERT_GT(device, 0);
        in = lib.OpenPipe(device, 0, 1);
        EXPECT_GT(CountEntries("/proc/self/task"), threads);
    } // dlclose without USBQK_Close
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
    char b;
    EXPECT_EQ(::read(in, &b, 1), 0);
    ::close(in);
}

} // namespace
