#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "FakeSystem.h"
#include "HovraLaunch.h"
#include "StringCatalogue.h"

namespace
{
TEST(OsTestFunctions, EachEntryTestsItsOwnConditionAndTruncatesSafely)
{
    AfxSetInterfaceLanguage(0x0409);
    FakeSystem system;
    system.major = 6;
    system.minor = 1;
    system.servicePackMajor = 1;
    system.servicePackText = L"Service Pack 1";
    FakeSystemScope scope(system);

    // On Windows 7 only entry 11's test passes; every other entry's test reports a wrong level.
    for (int i = 1; i <= kCatalogueEntryCount; ++i)
        EXPECT_EQ(i == 11 ? kStatusSatisfied : kStatusIncorrectLevel, g_prerequisites[i].pfnTest(nullptr, 0))
            << i;

    // A short buffer gets what fits and stays terminated.
    wchar_t small[8];
    std::fill(std::begin(small), std::end(small), L'#');
    EXPECT_EQ(kStatusSatisfied, g_prerequisites[11].pfnTest(small, 8));
    EXPECT_EQ(std::wstring(L"Windows"), std::wstring(small));
}
} // namespace
