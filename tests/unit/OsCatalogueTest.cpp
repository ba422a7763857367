#include <gtest/gtest.h>

#include <string>

#include "HovraLaunch.h"
#include "StringCatalogue.h"

namespace
{
TEST(OsCatalogue, EntriesHoldTheirTextsAndOnlyTheSupportedOnesLackTheUnsupportedMark)
{
    const PrerequisiteItem& empty = g_prerequisites[0];
    EXPECT_EQ(kStatusErrorUnevaluated, empty.nStatus);
    for (int i = 1; i <= kCatalogueEntryCount; ++i)
    {
        const PrerequisiteItem& item = g_prerequisites[i];
        EXPECT_EQ(kStatusErrorUnevaluated, item.nStatus) << i;
        EXPECT_EQ(0u, item.nProgramPathId) << i;
        EXPECT_FALSE(item.bNetworkInstall) << i;
        EXPECT_NE(nullptr, item.pfnTest) << i;
        const bool bSupported = i >= 24;
        EXPECT_EQ(!bSupported, item.nDescriptionId == kUnsupportedLevelTextId) << i;
        std::wstring url;
        EXPECT_TRUE(AfxLoadString(item.nUrlId, url)) << i;
        EXPECT_EQ(0u, url.rfind(L"https://", 0)) << i;
        std::wstring moreInfo;
        EXPECT_TRUE(AfxLoadString(item.nMoreInfoId, moreInfo)) << i;
    }
    EXPECT_EQ(585u, g_prerequisites[19].nAltDescriptionId);
    EXPECT_EQ(595u, g_prerequisites[22].nAltDescriptionId);
}

// The software panel's heading names the current item's Windows by the item's name. Names no
// entry has, and the entries without a heading name of their own, give the plain "Windows"; the
// heading's name is not always the one the entry's test writes (NT 4.0, 2003 x64).
TEST(OsCatalogue, HeadingShortNamesFallBackToWindowsForWhatTheyDoNotKnow)
{
    AfxSetInterfaceLanguage(0x0409);
    const struct
    {
        const char* what;
        UINT nNameId;
        const wchar_t* heading;
    } cases[] = {
        {"the current item before identification: no name", 0, L"Windows"},
        {"a text that is no entry's name", kUnsupportedLevelTextId, L"Windows"},
        {"Windows NT 4.0", g_prerequisites[4].nNameId, L"Windows"},
        {"the catch-all", g_prerequisites[28].nNameId, L"Windows"},
        {"Windows 2003 x64", g_prerequisites[6].nNameId, L"Windows 2003 x64"},
        {"Windows 11", g_prerequisites[27].nNameId, L"Windows 11"},
    };
    for (const auto& c : cases)
    {
        std::wstring heading;
        EXPECT_TRUE(AfxLoadString(HeadingShortNameId(c.nNameId), heading)) << c.what;
        EXPECT_EQ(std::wstring(c.heading), heading) << c.what;
    }
}
} // namespace
