#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstring>

#include "DecimalText.h"
#include "FakeSystem.h"
#include "Security.h"

namespace
{
TEST(Security, ParsesTheLeadingUnsignedNumber)
{
    struct Case
    {
        const wchar_t* text;
        DWORD value;
    };
    for (const Case& c :
         {Case{L"", 0}, Case{L"0", 0}, Case{L"1809", 1809}, Case{L"00022000", 22000}, Case{L"20348.1", 20348},
          Case{L"12abc", 12}, Case{L" 12", 0}, Case{L"-5", 0}, Case{L"abc", 0}, Case{L"4294967295", UINT_MAX},
          Case{L"4294967296", UINT_MAX}, Case{L"99999999999999999999", UINT_MAX}, Case{L"\x0661\x0662", 0}})
        EXPECT_EQ(c.value, CSecurity::ParseLeadingNumber(c.text))
            << testing::PrintToString(std::wstring(c.text));
}

TEST(Security, WritesWholeNumbersAsTheStandardLibraryDoes)
{
    for (const long long value : {0LL, 7LL, 10LL, 1033LL, 22000LL, -1LL, -10LL, 2147483647LL, -2147483648LL,
                                  4294967295LL, 9223372036854775807LL, LLONG_MIN})
        EXPECT_EQ(std::to_wstring(value), DecimalText(value)) << value;
}

FakeSystem Server10()
{
    FakeSystem system;
    system.major = 10;
    system.productType = VER_NT_SERVER;
    system.wow64 = true;
    return system;
}

TEST(Security, RegistryProbesReadOnlyWhatFitsAndComparesExactly)
{
    struct Case
    {
        const char* name;
        std::map<std::wstring, std::vector<BYTE>> registry;
        bool is2019, is2022, is11;
    };
    const std::wstring digits300(300, L'9');
    const std::vector<Case> cases = {
        {"Release1809", {{L"ReleaseId", FakeSystem::Text(L"1809")}}, true, false, false},
        {"Release1607", {{L"ReleaseId", FakeSystem::Text(L"1607")}}, false, false, false},
        {"ReleaseMissing", {}, false, false, false},
        {"ReleaseNoDigits", {{L"ReleaseId", FakeSystem::Text(L"21H2")}}, false, false, false},
        {"ReleaseEmpty", {{L"ReleaseId", {}}}, false, false, false},
        {"ReleaseTooLong", {{L"ReleaseId", FakeSystem::Text(digits300)}}, false, false, false},
        // 129 digits and a terminator: exactly 260 bytes, still read (and saturated).
        {"ReleaseExactly260Bytes",
         {{L"ReleaseId", FakeSystem::Text(std::wstring(129, L'9'))}},
         true,
         false,
         false},
        // 130 digits without a terminator fill the buffer; the text stays terminated.
        {"ReleaseUnterminated",
         {{L"ReleaseId", std::vector<BYTE>(reinterpret_cast<const BYTE*>(digits300.c_str()),
                                           reinterpret_cast<const BYTE*>(digits300.c_str()) + 260)}},
         true,
         false,
         false},
        {"Server2022",
         {{L"CurrentBuild", FakeSystem::Text(L"20348")},
          {L"InstallationType", FakeSystem::Text(L"Server Core")}},
         false,
         true,
         false},
        {"Build2022TypeMissing", {{L"CurrentBuild", FakeSystem::Text(L"20348")}}, false, false, false},
        {"Build20347",
         {{L"CurrentBuild", FakeSystem::Text(L"20347")}, {L"InstallationType", FakeSystem::Text(L"Server")}},
         false,
         false,
         false},
        {"Windows11",
         {{L"CurrentBuild", FakeSystem::Text(L"22000")}, {L"InstallationType", FakeSystem::Text(L"Client")}},
         false,
         false,
         true},
        // "client" is not "Client": not Windows 11, and so a server type for the 2022 test.
        {"ClientLowerCase",
         {{L"CurrentBuild", FakeSystem::Text(L"22000")}, {L"InstallationType", FakeSystem::Text(L"client")}},
         false,
         true,
         false},
        {"ClientTrailingBlank",
         {{L"CurrentBuild", FakeSystem::Text(L"22000")}, {L"InstallationType", FakeSystem::Text(L"Client ")}},
         false,
         true,
         false},
        // A number stored as REG_DWORD reads as text without digits.
        {"BuildAsDword",
         {{L"CurrentBuild", FakeSystem::Dword(22000)}, {L"InstallationType", FakeSystem::Text(L"Client")}},
         false,
         false,
         false},
        {"BuildTooLong",
         {{L"CurrentBuild", FakeSystem::Text(digits300)}, {L"InstallationType", FakeSystem::Text(L"Client")}},
         false,
         false,
         false},
    };
    for (const Case& c : cases)
    {
        FakeSystem system = Server10();
        system.registry = c.registry;
        FakeSystemScope scope(system);
        CSecurity security;
        EXPECT_EQ(c.is2019, security.IsWindows2019()) << c.name;
        EXPECT_EQ(c.is2022, security.IsWindows2022()) << c.name;
        EXPECT_EQ(c.is11, security.IsWindows11()) << c.name;
    }
}

TEST(Security, WithoutWow64EveryX64PredicateIsFalse)
{
    // A Kernel32 without IsWow64Process answers "not 64-bit": the x64 tests fail, the others pass.
    struct Case
    {
        DWORD major, minor;
        BYTE type;
        bool (CSecurity::*x64)();
        bool (CSecurity::*x86)();
    };
    const Case cases[] = {
        {5, 2, VER_NT_SERVER, &CSecurity::IsWindows2003x64, &CSecurity::IsWindows2003},
        {6, 1, VER_NT_WORKSTATION, &CSecurity::IsWindows7x64, &CSecurity::IsWindows7},
        {6, 1, VER_NT_SERVER, &CSecurity::IsWindows2008R2, &CSecurity::IsWindows2008R2x86},
        {6, 2, VER_NT_WORKSTATION, &CSecurity::IsWindows8x64, &CSecurity::IsWindows8},
        {6, 2, VER_NT_SERVER, &CSecurity::IsWindows2012x64, &CSecurity::IsWindows2012},
        {6, 3, VER_NT_WORKSTATION, &CSecurity::IsWindows81x64, &CSecurity::IsWindows81},
        {10, 0, VER_NT_WORKSTATION, &CSecurity::IsWindows10x64, &CSecurity::IsWindows10},
    };
    for (const Case& c : cases)
    {
        FakeSystem system;
        system.major = c.major;
        system.minor = c.minor;
        system.productType = c.type;
        for (bool wow64 : {false, true})
        {
            system.wow64 = wow64;
            FakeSystemScope scope(system);
            CSecurity security;
            EXPECT_EQ(wow64, (security.*c.x64)()) << c.major << "." << c.minor;
            EXPECT_EQ(!wow64, (security.*c.x86)()) << c.major << "." << c.minor;
        }
    }
    FakeSystem xp64;
    xp64.major = 5;
    xp64.minor = 2;
    xp64.wow64 = true;
    FakeSystemScope scope(xp64);
    CSecurity security;
    EXPECT_TRUE(security.IsWindowsXPx64());
    EXPECT_FALSE(security.IsWindows2003());
    EXPECT_FALSE(security.IsWindows2003x64());
}

TEST(Security, SnapshotIsTakenOnceAndAFailedQueryMakesEverythingFalse)
{
    FakeSystem system;
    system.major = 6;
    system.minor = 1;
    FakeSystemScope scope(system);
    CSecurity security;
    system.minor = 2; // the object keeps what it read
    EXPECT_TRUE(security.IsWindows7());
    EXPECT_FALSE(security.IsWindows8());

    FakeSystem broken;
    broken.versionFails = true;
    FakeSystemScope brokenScope(broken);
    CSecurity none;
    EXPECT_EQ(0u, none.GetMajorVersion());
    EXPECT_EQ(0, none.GetProductType());
    EXPECT_FALSE(none.IsWindowsNT4() || none.IsWindows7() || none.IsWindows10() || none.IsAfterWindows6());
}

// Token groups as GetTokenInformation returns them: the array, then the SIDs it points to.
std::vector<BYTE> MakeGroups(const std::vector<std::pair<std::vector<DWORD>, DWORD>>& groups,
                             DWORD declared = ~0u)
{
    const size_t header = offsetof(TOKEN_GROUPS, Groups) + groups.size() * sizeof(SID_AND_ATTRIBUTES);
    size_t size = header;
    for (const auto& g : groups)
        size += GetSidLengthRequired(static_cast<UCHAR>(g.first.size()));
    std::vector<BYTE> buffer(std::max(size, sizeof(TOKEN_GROUPS)));
    auto* pGroups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
    pGroups->GroupCount = declared == ~0u ? static_cast<DWORD>(groups.size()) : declared;
    BYTE* pSid = buffer.data() + header;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    for (size_t i = 0; i < groups.size(); ++i)
    {
        InitializeSid(pSid, &nt, static_cast<BYTE>(groups[i].first.size()));
        for (size_t k = 0; k < groups[i].first.size(); ++k)
            *GetSidSubAuthority(pSid, static_cast<DWORD>(k)) = groups[i].first[k];
        pGroups->Groups[i].Sid = pSid;
        pGroups->Groups[i].Attributes = groups[i].second;
        pSid += GetSidLengthRequired(static_cast<UCHAR>(groups[i].first.size()));
    }
    return buffer;
}

TEST(Security, AdministratorsGroupCountsWhateverItsAttributes)
{
    const std::vector<DWORD> users = {32, 545}, admins = {32, 544}, everyoneLike = {11};
    using Groups = std::vector<std::pair<std::vector<DWORD>, DWORD>>;
    struct Case
    {
        const char* name;
        bool readable;
        Groups groups;
        DWORD declaredCount; // ~0u: the real count
        bool admin;
    };
    const std::vector<Case> cases = {
        {"Present",
         true,
         {{users, SE_GROUP_ENABLED}, {admins, SE_GROUP_ENABLED | SE_GROUP_OWNER}},
         ~0u,
         true},
        {"Absent", true, {{users, SE_GROUP_ENABLED}, {everyoneLike, SE_GROUP_ENABLED}}, ~0u, false},
        {"DenyOnly", true, {{users, SE_GROUP_ENABLED}, {admins, SE_GROUP_USE_FOR_DENY_ONLY}}, ~0u, true},
        {"NoGroups", true, {}, ~0u, false},
        {"Unreadable", false, {{admins, SE_GROUP_ENABLED}}, ~0u, false},
        // A count larger than the buffer holds is not followed past it; the entries it adds inside
        // the buffer are the SIDs' bytes, whose "pointers" lead nowhere and are not followed either.
        {"CountBeyondBuffer", true, {{users, SE_GROUP_ENABLED}}, 100000, false},
    };
    for (const Case& c : cases)
    {
        FakeSystem system;
        if (c.readable)
            system.tokenGroups = MakeGroups(c.groups, c.declaredCount); // its SIDs point into this buffer
        FakeSystemScope scope(system);
        EXPECT_EQ(c.admin, CSecurity().IsAdministrator()) << c.name;
    }
}

TEST(Security, AGroupSidOutsideTheBufferIsNotFollowed)
{
    // The first group's SID pointer leads out of the buffer (the byte pattern a SID's own start
    // makes when read as a pointer); the second group is Administrators, in the buffer.
    std::vector<BYTE> groups = MakeGroups({{{32, 545}, SE_GROUP_ENABLED}, {{32, 544}, SE_GROUP_ENABLED}});
    reinterpret_cast<TOKEN_GROUPS*>(groups.data())->Groups[0].Sid = reinterpret_cast<PSID>(UINT_PTR{0x201});
    EXPECT_TRUE(CSecurity::GroupsContainAdministrators(groups));
    reinterpret_cast<TOKEN_GROUPS*>(groups.data())->Groups[1].Sid = groups.data() + groups.size() - 4;
    EXPECT_FALSE(CSecurity::GroupsContainAdministrators(groups)) << "a SID cut off by the buffer's end";
}

#ifndef _WIN64
TEST(Security, The32BitProgramAsksTheSystemWhetherItRunsOn64BitWindows)
{
    for (const bool wow64 : {false, true})
    {
        FakeSystem system;
        system.wow64 = wow64;
        FakeSystemScope scope(system);
        const int nBefore = FakeSystem::KernelWow64Calls();
        EXPECT_EQ(wow64, CSecurity().IsWow64());
        EXPECT_EQ(nBefore + 1, FakeSystem::KernelWow64Calls()) << "one question to the system per probe";
    }
}
#endif
} // namespace
