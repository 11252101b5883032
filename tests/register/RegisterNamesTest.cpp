#include "register/RegisterNames.h"
#include "common/FolderName.h"

#include "common/Paths.h"

#include <gtest/gtest.h>

using namespace vanto;

namespace {

struct NameCase {
    const char* name;
    std::optional<NameProblem> problem;
};

class FolderNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(FolderNames, AreCheckedBeforeTheyBecomeFolders) {
    EXPECT_EQ(CheckFolderName(GetParam().name), GetParam().problem) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, FolderNames,
    ::testing::Values(
        NameCase{"", NameProblem::Empty}, NameCase{"山\\田", NameProblem::ForbiddenCharacter},
        NameCase{"山/田", NameProblem::ForbiddenCharacter}, NameCase{"山:田", NameProblem::ForbiddenCharacter},
        NameCase{"山*田", NameProblem::ForbiddenCharacter}, NameCase{"山?田", NameProblem::ForbiddenCharacter},
        NameCase{"山\"田", NameProblem::ForbiddenCharacter}, NameCase{"山<田", NameProblem::ForbiddenCharacter},
        NameCase{"山>田", NameProblem::ForbiddenCharacter}, NameCase{"山|田", NameProblem::ForbiddenCharacter},
        NameCase{"山\t田", NameProblem::ForbiddenCharacter}, NameCase{".", NameProblem::DotName},
        NameCase{"..", NameProblem::DotName}, NameCase{"山田 ", NameProblem::EdgeBlankOrDot},
        NameCase{" 山田", NameProblem::EdgeBlankOrDot}, NameCase{"山田.", NameProblem::EdgeBlankOrDot},
        NameCase{".山田", NameProblem::EdgeBlankOrDot}, NameCase{"山田😀", NameProblem::NotShiftJis},
        NameCase{"鷗外", NameProblem::NotShiftJis}));

INSTANTIATE_TEST_SUITE_P(Accepted, FolderNames,
                         ::testing::Values(NameCase{"山田", std::nullopt}, NameCase{"品川500あ1234", std::nullopt},
                                           NameCase{"山田 太郎", std::nullopt}, NameCase{"ﾔﾏﾀﾞ", std::nullopt},
                                           NameCase{"A.B", std::nullopt}, NameCase{"①髙橋", std::nullopt}));

TEST(FolderNameMessages, NameTheFieldAndTheRule) {
    EXPECT_EQ(FolderNameMessage(NameProblem::Empty, "車両番号"), "車両番号を入力してください。");
    EXPECT_EQ(FolderNameMessage(NameProblem::ForbiddenCharacter, "お客様名"),
              "お客様名に使用できない文字が含まれています。\n\\ / : * ? \" < > | は使用できません。");
    EXPECT_EQ(FolderNameMessage(NameProblem::DotName, "お客様名"), "「.」と「..」はお客様名に使用できません。");
    EXPECT_EQ(FolderNameMessage(NameProblem::EdgeBlankOrDot, "車両番号"),
              "車両番号の先頭と末尾には空白と「.」を使用できません。");
    EXPECT_EQ(FolderNameMessage(NameProblem::NotShiftJis, "お客様名"),
              "お客様名に登録できない文字（シフトJISにない文字）が含まれています。");
}

TEST(ProfileFileNames, ReplaceTheExtensionByDT) {
    const std::string sep(FolderSeparator);
    EXPECT_EQ(ProfileFileName("root" + sep + "山田", "山田"), "root" + sep + "山田" + sep + "山田.DT");
    EXPECT_EQ(ProfileFileName("f" + sep, "品川500あ1234"), "f" + sep + "品川500あ1234.DT");
    EXPECT_EQ(ProfileFileName("f", "A.B"), "f" + sep + "A.DT");
    EXPECT_EQ(ProfileFileName("f", "v.1.2"), "f" + sep + "v.1.DT");
    EXPECT_EQ(ProfileFileName("", "山田"), "山田.DT");
}

} // namespace
