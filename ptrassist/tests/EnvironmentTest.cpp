// What a process works out when it loads the library, and the answers that need no window.
#include "core/Environment.h"
#include "core/Hooks.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace ptrassist {
namespace {

TEST(LibraryConstants, VersionAndMapSizeAreWhatTheControllingApplicationChecks) {
    EXPECT_EQ(LibraryVersion, 134217728u);
    EXPECT_EQ(SettingsBlockSize, 120u);
    EXPECT_EQ(sizeof(MouseSettingsBlock), SettingsBlockSize);
    EXPECT_STREQ(SettingsMappingName, "KVX_PTRASSIST");
}

TEST(LibraryConstants, AFreshHookStateHasOnlyThresholdsAndStepsSet) {
    SharedHookState state = InitialHookState();
    const auto* bytes = reinterpret_cast<const unsigned char*>(&state);
    for (size_t i = 0; i < sizeof state; ++i) {
        bool thresholdOrStep = i >= 56 && i < 72;
        if (!thresholdOrStep) {
            EXPECT_EQ(bytes[i], 0) << "byte " << i;
        }
    }
    EXPECT_EQ(state.VerticalThreshold, 1);
    EXPECT_EQ(state.HorizontalThreshold, 1);
    EXPECT_EQ(state.VerticalStep, 1);
    EXPECT_EQ(state.HorizontalStep, 1);
}

struct VersionCase {
    std::optional<VersionInfo> Version;
    PlatformKind Expected;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << (c.Version ? (c.Version->Nt ? "NT " : "9x ") : "unreadable")
        << (c.Version ? std::to_string(c.Version->Major) + "." + std::to_string(c.Version->Minor) : "");
}

class PlatformKindTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(PlatformKindTest, FromVersionInformation) {
    EXPECT_EQ(PlatformKindFromVersion(GetParam().Version), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, PlatformKindTest,
                         ::testing::Values(VersionCase{VersionInfo{true, 10, 0}, PlatformWin2000},
                                           VersionCase{VersionInfo{true, 5, 0}, PlatformWin2000},
                                           VersionCase{VersionInfo{true, 4, 0}, PlatformNt4},
                                           VersionCase{VersionInfo{true, 3, 51}, PlatformNt4},
                                           VersionCase{VersionInfo{false, 4, 0}, PlatformWin95},
                                           VersionCase{VersionInfo{false, 4, 10}, PlatformWin98},
                                           VersionCase{VersionInfo{false, 4, 90}, PlatformWin98},
                                           VersionCase{std::nullopt, PlatformWin95}));

struct PathCase {
    const char* Path;
    ProcessKind Expected;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << "\"" << c.Path << "\"";
}

class ProcessKindTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(ProcessKindTest, FromExecutableBaseName) {
    EXPECT_EQ(ProcessKindFromPath(GetParam().Path), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, ProcessKindTest,
                         ::testing::Values(PathCase{"C:\\Program Files\\Office\\WINWORD.EXE", ProcessWinword},
                                           PathCase{"C:\\Office\\excel.exe", ProcessExcel},
                                           PathCase{"d:\\net\\Netscp6.exe", ProcessNetscape6},
                                           PathCase{"C:\\WINDOWS\\system32\\rundll32.exe", ProcessRundll32},
                                           PathCase{"WINWORD", ProcessWinword},
                                           PathCase{"C:/tools/excel.bin.exe", ProcessOther},
                                           PathCase{"C:\\EXCEL.EXE\\notepad.exe", ProcessOther},
                                           PathCase{"C:\\WINWORDX.EXE", ProcessOther}, PathCase{"", ProcessOther},
                                           PathCase{"C:\\dir\\", ProcessOther}));

struct HooksCase {
    uint32_t Platform;
    uint32_t Nt4WheelHook;
    uint16_t Buttons;
    uint32_t Expected;
};

void PrintTo(const HooksCase& c, std::ostream* os) {
    *os << "platform " << c.Platform << " nt4 hook " << c.Nt4WheelHook << " buttons " << c.Buttons;
}

class HooksWantedTest : public ::testing::TestWithParam<HooksCase> {};

TEST_P(HooksWantedTest, DependOnPlatformAndSettings) {
    MouseSettingsBlock settings{};
    settings.Nt4WheelHook = GetParam().Nt4WheelHook;
    settings.ButtonCount = GetParam().Buttons;
    EXPECT_EQ(HooksWanted(settings, GetParam().Platform), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Platforms, HooksWantedTest,
                         ::testing::Values(HooksCase{PlatformWin95, 1, 5, HookMouse},
                                           HooksCase{PlatformWin98, 1, 5, HookMouse | HookMessageFilter},
                                           HooksCase{PlatformNt4, 0, 5, HookMouse | HookMessageFilter},
                                           HooksCase{PlatformNt4, 1, 5, HookMouse | HookMessageFilter | HookWheel},
                                           HooksCase{PlatformWin2000, 1, 3, HookMouse | HookMessageFilter},
                                           HooksCase{PlatformWin2000, 0, 4,
                                                     HookMouse | HookMessageFilter | HookExtraButtons}));

TEST(MessageFilterHook, MenuLoopMarkFollowsMenuMessages) {
    SharedHookState state = InitialHookState();
    constexpr int menuCode = 2;
    MessageFilterHook(state, menuCode, Msg::MouseMove);
    EXPECT_EQ(state.MenuLoopMark, 1u);
    MessageFilterHook(state, 0, Msg::MenuSelect); // another filter code: no change
    EXPECT_EQ(state.MenuLoopMark, 1u);
    MessageFilterHook(state, menuCode, Msg::MenuSelect);
    EXPECT_EQ(state.MenuLoopMark, 0u);
}

TEST(WheelWindow, AnswersTheRegisteredWheelSupportMessages) {
    MouseSettingsBlock settings{};
    ProcessState process;
    process.WheelSupportMessage = 0xC001;
    process.ScrollLinesMessage = 0xC002;
    EXPECT_EQ(WheelWindowAnswer(settings, process, 0xC001), 1);
    EXPECT_EQ(WheelWindowAnswer(settings, process, 0xC002), 1);
    settings.PageMode = 1;
    EXPECT_EQ(WheelWindowAnswer(settings, process, 0xC002), -1);
    EXPECT_EQ(WheelWindowAnswer(settings, process, 0x0010), std::nullopt);
}

TEST(WheelWindow, UnregisteredMessagesAnswerNothing) {
    MouseSettingsBlock settings{};
    ProcessState process; // not Windows 95: nothing registered
    EXPECT_EQ(WheelWindowAnswer(settings, process, 0), std::nullopt);
    EXPECT_EQ(WheelWindowAnswer(settings, process, 0xC001), std::nullopt);
}

} // namespace
} // namespace ptrassist
