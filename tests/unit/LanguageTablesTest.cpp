#include <gtest/gtest.h>

#include "Languages.h"
#include "StringCatalogue.h"

namespace
{
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
} // namespace
