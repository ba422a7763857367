#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "FakeSystem.h"
#include "HovraLaunch.h"
#include "Security.h"
#include "StringCatalogue.h"

namespace
{
struct SystemCase
{
    const char* name;
    DWORD major, minor;
    WORD servicePack;
    const wchar_t* servicePackText;
    BYTE productType;
    bool wow64;
    const wchar_t* currentBuild; // null: value missing
    const wchar_t* installationType;
    const wchar_t* releaseId;
    int entry; // 0: nothing matches
    bool warning;
    INT32 status; // of the chosen entry's test
    const wchar_t* text;
};

FakeSystem MakeSystem(const SystemCase& c)
{
    FakeSystem system;
    system.major = c.major;
    system.minor = c.minor;
    system.servicePackMajor = c.servicePack;
    system.servicePackText = c.servicePackText;
    system.productType = c.productType;
    system.wow64 = c.wow64;
    if (c.currentBuild)
        system.registry[L"CurrentBuild"] = FakeSystem::Text(c.currentBuild);
    if (c.installationType)
        system.registry[L"InstallationType"] = FakeSystem::Text(c.installationType);
    if (c.releaseId)
        system.registry[L"ReleaseId"] = FakeSystem::Text(c.releaseId);
    return system;
}

class OsIdentification : public testing::TestWithParam<SystemCase>
{
protected:
    void SetUp() override
    {
        AfxSetInterfaceLanguage(0x0409);
        m_saved = g_prerequisites[0];
    }
    void TearDown() override { g_prerequisites[0] = m_saved; }
    PrerequisiteItem m_saved{};
};

int EntryOfCurrentItem()
{
    for (int i = 1; i <= kCatalogueEntryCount; ++i)
        if (g_prerequisites[i].nNameId == g_prerequisites[0].nNameId)
            return i;
    return 0;
}

TEST_P(OsIdentification, ChoosesTheEntryWarnsAndTests)
{
    const SystemCase& c = GetParam();
    const FakeSystem system = MakeSystem(c);
    FakeSystemScope scope(system);

    const PrerequisiteItem initial = g_prerequisites[0];
    EXPECT_EQ(!c.warning, SelectCurrentOs());
    const PrerequisiteItem& current = g_prerequisites[0];
    ASSERT_EQ(c.entry, EntryOfCurrentItem());
    if (c.entry == 0)
    {
        // The current item keeps its initial contents.
        EXPECT_EQ(0u, current.nNameId);
        EXPECT_EQ(nullptr, current.pfnTest);
        EXPECT_EQ(kStatusErrorUnevaluated, current.nStatus);
        EXPECT_EQ(initial.nDescriptionId, current.nDescriptionId);
        return;
    }
    const PrerequisiteItem& entry = g_prerequisites[c.entry];
    EXPECT_EQ(entry.pfnTest, current.pfnTest);
    EXPECT_EQ(entry.nDescriptionId, current.nDescriptionId);
    EXPECT_EQ(entry.nAltDescriptionId, current.nAltDescriptionId);
    EXPECT_EQ(entry.nUrlId, current.nUrlId);
    EXPECT_EQ(entry.nMoreInfoId, current.nMoreInfoId);

    wchar_t buffer[260] = {};
    ASSERT_NE(nullptr, current.pfnTest);
    EXPECT_EQ(c.status, current.pfnTest(buffer, 260));
    EXPECT_EQ(std::wstring(c.text), std::wstring(buffer));
}

// Registry values of the 10.0 systems: build, installation type, release.
constexpr BYTE W = VER_NT_WORKSTATION, DC = VER_NT_DOMAIN_CONTROLLER, S = VER_NT_SERVER;
const wchar_t* const kNone = nullptr;

INSTANTIATE_TEST_SUITE_P(
    Systems, OsIdentification,
    testing::Values(
        // Windows 11 satisfies the Windows 10 x64 test too; it is asked first.
        SystemCase{"Windows11", 10, 0, 0, L"", W, true, L"22000", L"Client", L"2009", 27, false, 1,
                   L"Windows 11, 10.0 "},
        SystemCase{"Windows11Later", 10, 0, 0, L"", W, true, L"26100", L"Client", kNone, 27, false, 1,
                   L"Windows 11, 10.0 "},
        SystemCase{"Windows10x64", 10, 0, 0, L"", W, true, L"19045", L"Client", L"2009", 24, false, 1,
                   L"Windows 10 x64, 10.0 "},
        SystemCase{"Windows10x86", 10, 0, 0, L"", W, false, L"19045", L"Client", L"2009", 22, false, 1,
                   L"Windows 10, 10.0 "},
        // Server 2022 satisfies the 2019 and 2016 tests too; any later server build is 2022.
        SystemCase{"Server2022", 10, 0, 0, L"", S, true, L"20348", L"Server", L"2009", 26, false, 1,
                   L"Windows 2022, 10.0 "},
        SystemCase{"Server2022Core", 10, 0, 0, L"", S, true, L"20348", L"Server Core", kNone, 26, false, 1,
                   L"Windows 2022, 10.0 "},
        SystemCase{"ServerLaterBuild", 10, 0, 0, L"", S, true, L"26100", L"Server", kNone, 26, false, 1,
                   L"Windows 2022, 10.0 "},
        SystemCase{"Server2022NoInstallationType", 10, 0, 0, L"", S, true, L"20348", kNone, L"2009", 25,
                   false, 1, L"Windows 2019, 10.0 "},
        SystemCase{"Server2019", 10, 0, 0, L"", S, true, L"17763", L"Server", L"1809", 25, false, 1,
                   L"Windows 2019, 10.0 "},
        SystemCase{"Server2016", 10, 0, 0, L"", S, true, L"14393", L"Server", L"1607", 23, false, 1,
                   L"Windows 2016, 10.0 "},
        SystemCase{"Server2016DomainController", 10, 0, 0, L"", DC, true, L"14393", L"Server", L"1607", 23,
                   false, 1, L"Windows 2016, 10.0 "},
        SystemCase{"Server10NoRegistry", 10, 0, 0, L"", S, true, kNone, kNone, kNone, 23, false, 1,
                   L"Windows 2016, 10.0 "},
        SystemCase{"Windows81x86", 6, 3, 0, L"", W, false, L"9600", L"Client", kNone, 19, false, 1,
                   L"Windows 8.1, 6.3 "},
        SystemCase{"Windows81x64", 6, 3, 0, L"", W, true, L"9600", L"Client", kNone, 20, false, 1,
                   L"Windows 8.1 x64, 6.3 "},
        SystemCase{"Server2012R2", 6, 3, 0, L"", S, true, L"9600", L"Server", kNone, 21, false, 1,
                   L"Windows 2012 R2, 6.3 "},
        SystemCase{"Windows8", 6, 2, 0, L"", W, false, kNone, kNone, kNone, 15, false, 1, L"Windows 8, 6.2 "},
        SystemCase{"Windows8x64", 6, 2, 0, L"", W, true, kNone, kNone, kNone, 16, false, 1,
                   L"Windows 8 x64, 6.2 "},
        SystemCase{"Server2012x86", 6, 2, 0, L"", S, false, kNone, kNone, kNone, 17, false, 1,
                   L"Windows 2012, 6.2 "},
        SystemCase{"Server2012", 6, 2, 0, L"", S, true, kNone, kNone, kNone, 18, false, 1,
                   L"Windows 2012 x64, 6.2 "},
        SystemCase{"Windows7Sp1", 6, 1, 1, L"Service Pack 1", W, false, kNone, kNone, kNone, 11, false, 1,
                   L"Windows 7, 6.1 Service Pack 1"},
        SystemCase{"Windows7x64", 6, 1, 1, L"Service Pack 1", W, true, kNone, kNone, kNone, 12, false, 1,
                   L"Windows 7 x64, 6.1 Service Pack 1"},
        SystemCase{"Server2008R2x86", 6, 1, 0, L"", S, false, kNone, kNone, kNone, 13, false, 1,
                   L"Windows 2008 R2 x86, 6.1 "},
        SystemCase{"Server2008R2", 6, 1, 1, L"Service Pack 1", S, true, kNone, kNone, kNone, 14, false, 1,
                   L"Windows 2008 R2, 6.1 Service Pack 1"},
        SystemCase{"Vista", 6, 0, 2, L"Service Pack 2", W, false, kNone, kNone, kNone, 7, false, 1,
                   L"Windows Vista, 6.0 Service Pack 2"},
        SystemCase{"Vistax64", 6, 0, 2, L"Service Pack 2", W, true, kNone, kNone, kNone, 9, false, 1,
                   L"Windows Vista x64, 6.0 Service Pack 2"},
        SystemCase{"Server2008", 6, 0, 2, L"Service Pack 2", S, false, kNone, kNone, kNone, 8, false, 1,
                   L"Windows Server 2008, 6.0 Service Pack 2"},
        SystemCase{"Server2008x64", 6, 0, 2, L"Service Pack 2", DC, true, kNone, kNone, kNone, 10, false, 1,
                   L"Windows Server 2008 x64, 6.0 Service Pack 2"},
        // 32-bit Windows 2003 whatever the product type; the x64 editions by product type.
        SystemCase{"Server2003", 5, 2, 2, L"Service Pack 2", S, false, kNone, kNone, kNone, 1, false, 1,
                   L"Windows 2003, 5.2 Service Pack 2"},
        SystemCase{"Server2003Workstation", 5, 2, 0, L"", W, false, kNone, kNone, kNone, 1, false, 1,
                   L"Windows 2003, 5.2 "},
        SystemCase{"Server2003x64", 5, 2, 2, L"Service Pack 2", S, true, kNone, kNone, kNone, 6, false, 1,
                   L"Windows XP 2003 x64, 5.2 Service Pack 2"},
        SystemCase{"WindowsXPx64", 5, 2, 2, L"Service Pack 2", W, true, kNone, kNone, kNone, 5, false, 1,
                   L"Windows XP x64, 5.2 Service Pack 2"},
        SystemCase{"WindowsXPSp3", 5, 1, 3, L"Service Pack 3", W, false, kNone, kNone, kNone, 2, false, 1,
                   L"Windows XP, 5.1 Service Pack 3"},
        // XP with service pack 1: its entry, no warning, but the level is wrong.
        SystemCase{"WindowsXPSp1", 5, 1, 1, L"Service Pack 1", W, false, kNone, kNone, kNone, 2, false, 6,
                   L"Windows XP, 5.1 Service Pack 1"},
        SystemCase{"Windows2000Sp4", 5, 0, 4, L"Service Pack 4", W, false, kNone, kNone, kNone, 3, true, 1,
                   L"Windows 2000, 5.0 Service Pack 4"},
        SystemCase{"Windows2000Sp2", 5, 0, 2, L"Service Pack 2", W, false, kNone, kNone, kNone, 3, true, 6,
                   L"Windows 2000, 5.0 Service Pack 2"},
        SystemCase{"WindowsNT4Sp6", 4, 0, 6, L"Service Pack 6a", W, false, kNone, kNone, kNone, 4, true, 1,
                   L"Windows NT 4.0, 4.0 Service Pack 6a"},
        SystemCase{"WindowsNT4Sp5", 4, 0, 5, L"Service Pack 5", S, false, kNone, kNone, kNone, 4, true, 6,
                   L"Windows NT 4.0, 4.0 Service Pack 5"},
        // A later major version only the catch-all knows; a version nothing knows.
        SystemCase{"FutureMajor11", 11, 0, 0, L"", W, true, L"30000", L"Client", kNone, 27, false, 1,
                   L"Windows 11, 10.0 "},
        SystemCase{"FutureMajor11NoRegistry", 11, 0, 0, L"", W, true, kNone, kNone, kNone, 28, true, 1,
                   L"Windows, 11.0 "},
        SystemCase{"Version351", 3, 51, 5, L"Service Pack 5", W, false, kNone, kNone, kNone, 0, true, 0, L""},
        SystemCase{"VersionQueryFails", 0, 0, 0, L"", W, false, kNone, kNone, kNone, 0, true, 0, L""}),
    [](const testing::TestParamInfo<SystemCase>& info) { return info.param.name; });
} // namespace
