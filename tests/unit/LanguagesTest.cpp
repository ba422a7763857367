#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "Languages.h"
#include "StringCatalogue.h"

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

TEST(LanguageTables, LookupsFindFirstRowsAndReportMisses)
{
    EXPECT_EQ(7, FindLocaleCodeByPrimaryLanguage(4)); // Simplified Chinese before Traditional
    EXPECT_EQ(8, FindLocaleCodeByPrimaryLanguage(10));
    EXPECT_EQ(-1, FindLocaleCodeByPrimaryLanguage(19));
    EXPECT_EQ(-1, FindLocaleCodeByPrimaryLanguage(0));
    EXPECT_EQ(9, FindLocaleCodeByLanguage(0x0404));
    EXPECT_EQ(-1, FindLocaleCodeByLanguage(0x0C0A));
    EXPECT_EQ(-1, FindLocaleCodeByLanguage(0x10409)); // same language, other sort order
    EXPECT_EQ(0, FindLanguageRowByCode(L'A'));
    EXPECT_EQ(9, FindLanguageRowByCode(L'Z'));
    EXPECT_EQ(13, FindLanguageRowByCode(L'C'));
    EXPECT_EQ(-1, FindLanguageRowByCode(L'X'));
    EXPECT_EQ(-1, FindLanguageRowByCode(L'a'));
}

TEST(LanguageTables, AgreeWithEachOtherAndWithTheCatalogue)
{
    AfxSetInterfaceLanguage(0x0409);
    for (int i = 0; i < kLanguageCount; ++i)
    {
        const LocaleCodeRow& locale = LocaleCodeTable[i];
        EXPECT_EQ(locale.nLangId & 0x3FF, locale.wPrimaryLanguage) << i;
        EXPECT_EQ(L'\0', locale.szCode[1]) << i;
        const int nRow = FindLanguageRowByCode(locale.szCode[0]);
        ASSERT_GE(nRow, 0) << i;
        EXPECT_EQ(locale.nLangId, LanguageTable[nRow].nLangId) << i;
        EXPECT_EQ(0, LanguageTable[nRow].nPresent);
        EXPECT_FALSE(LanguageName(nRow).empty()) << i;
        EXPECT_FALSE(LanguageTransform(nRow).empty()) << i;
    }
    EXPECT_EQ(L"Traditional Chinese", LanguageName(7));
    EXPECT_EQ(L"Simplified Chinese", LanguageName(9));
    EXPECT_EQ(L"1034.mst", LanguageTransform(8));
    EXPECT_EQ(L"1029.mst", LanguageTransform(13));
    EXPECT_STREQ(L"zh_tw", LanguageTable[7].szFolder);
    EXPECT_STREQ(L"cs_cz", LanguageTable[13].szFolder);
}

// Run by the locale end-to-end test with a real Wine locale: HOVRA_EXPECT_LANGUAGE names the
// code the machine's locale must give, HOVRA_EXPECT_TITLE the main title in that language.
TEST(RealLocale, ReachesTheSelection)
{
    const char* pszExpected = std::getenv("HOVRA_EXPECT_LANGUAGE");
    if (pszExpected == nullptr)
        GTEST_SKIP() << "only under a chosen locale";
    const wchar_t chCode = SelectInterfaceLanguage();
    EXPECT_EQ(static_cast<wchar_t>(pszExpected[0]), chCode);
    const int nRow = FindLocaleCodeByLanguage(::GetThreadLocale());
    ASSERT_GE(nRow, 0) << std::hex << ::GetThreadLocale();
    EXPECT_EQ(chCode, LocaleCodeTable[nRow].szCode[0]);
    EXPECT_EQ(LocaleCodeTable[nRow].nLangId, AfxGetInterfaceLanguage());
    if (const wchar_t* pszTitle = _wgetenv(L"HOVRA_EXPECT_TITLE"))
    {
        std::wstring title;
        AfxLoadString(103, title);
        EXPECT_EQ(std::wstring(pszTitle), title);
    }
    AfxSetInterfaceLanguage(0x0409);
}
} // namespace
