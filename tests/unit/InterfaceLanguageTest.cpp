#include <gtest/gtest.h>

#include <vector>

#include "Languages.h"

namespace
{
std::vector<LCID> g_installedAsked;
bool g_bAllInstalled = true;

bool FakeIsInstalled(LCID lcid)
{
    g_installedAsked.push_back(lcid);
    return g_bAllInstalled;
}

struct SelectionCase
{
    const char* name;
    LCID user;
    LCID system;
    bool installed;
    wchar_t code;
};

class InterfaceLanguage : public testing::TestWithParam<SelectionCase>
{
};

TEST_P(InterfaceLanguage, FollowsUserThenSystemThenPrimaryLanguage)
{
    const SelectionCase& c = GetParam();
    g_bAllInstalled = c.installed;
    g_installedAsked.clear();
    const int nRow = ChooseInterfaceLanguage(LocaleInputs{c.user, c.system, &FakeIsInstalled});
    ASSERT_GE(nRow, 0);
    ASSERT_LT(nRow, kLanguageCount);
    EXPECT_EQ(c.code, LocaleCodeTable[nRow].szCode[0]);
    // The installed-locale test is only ever asked about languages of the table.
    for (LCID asked : g_installedAsked)
        EXPECT_GE(FindLocaleCodeByLanguage(asked), 0) << asked;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InterfaceLanguage,
    testing::Values(SelectionCase{"EnglishUser", 0x0409, 0x0407, true, L'A'},
                    SelectionCase{"GermanUser", 0x0407, 0x0409, true, L'G'},
                    SelectionCase{"TraditionalChineseExact", 0x0404, 0x0409, true, L'T'},
                    // German (Switzerland) user on an English system: the system matches exactly.
                    SelectionCase{"SwissUserEnglishSystem", 0x0807, 0x0409, true, L'A'},
                    SelectionCase{"SwissUserSwissSystem", 0x0807, 0x0807, true, L'G'},
                    SelectionCase{"SwissNotInstalled", 0x0807, 0x0807, false, L'A'},
                    // Chinese (Hong Kong): the primary-language step finds Simplified Chinese first.
                    SelectionCase{"HongKong", 0x0C04, 0x0C04, true, L'Z'},
                    // Spanish, modern sort: no exact row; primary language 10 gives row 1034.
                    SelectionCase{"SpanishModern", 0x0C0A, 0x0C0A, true, L'S'},
                    SelectionCase{"DutchUserGermanSystem", 0x0413, 0x0407, true, L'G'},
                    SelectionCase{"DutchUserAustrianSystem", 0x0413, 0x0C07, true, L'G'},
                    SelectionCase{"AustrianUserSpanishSystem", 0x0C07, 0x0C0A, true, L'G'},
                    SelectionCase{"NeitherKnown", 0x0413, 0x041D, true, L'A'},
                    SelectionCase{"Zero", 0, 0, true, L'A'}),
    [](const testing::TestParamInfo<SelectionCase>& info) { return info.param.name; });
} // namespace
