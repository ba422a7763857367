#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Languages.h"
#include "StringCatalogue.h"

namespace
{
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
