// The probes asked of the real system the tests run on, the Wine prefix: whether it is 64-bit
// Windows, and the Administrators group in the process's own token and in a restricted copy of it.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "Security.h"

namespace
{
TEST(SecurityUnderWine, TheTestPrefixIs64BitWindows)
{
    // The 32-bit program finds that out through WOW64; the 64-bit one knows it.
    EXPECT_TRUE(CSecurity().IsWow64());
    BOOL bWow64 = TRUE;
    ASSERT_TRUE(::IsWow64Process(::GetCurrentProcess(), &bWow64));
    EXPECT_EQ(sizeof(void*) == 4, bWow64 != FALSE) << "only a 32-bit process runs under WOW64";
}

TEST(SecurityUnderWine, TheRealTokenHoldsAdministrators)
{
    EXPECT_TRUE(CSecurity().IsAdministrator());
}

TEST(SecurityUnderWine, AnImpersonatedTokenWithAdministratorsDenyOnlyStillCounts)
{
    HANDLE hProcessToken = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &hProcessToken));
    BYTE adminsSid[SECURITY_MAX_SID_SIZE];
    DWORD cbSid = sizeof adminsSid;
    ASSERT_TRUE(CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, adminsSid, &cbSid));
    SID_AND_ATTRIBUTES disable{adminsSid, 0};
    HANDLE hRestricted = nullptr;
    ASSERT_TRUE(CreateRestrictedToken(hProcessToken, 0, 1, &disable, 0, nullptr, 0, nullptr, &hRestricted));
    HANDLE hImpersonation = nullptr;
    ASSERT_TRUE(DuplicateToken(hRestricted, SecurityImpersonation, &hImpersonation));

    // The group really is deny-only in that token.
    DWORD cb = 0;
    GetTokenInformation(hImpersonation, TokenGroups, nullptr, 0, &cb);
    std::vector<BYTE> groups(cb);
    ASSERT_TRUE(GetTokenInformation(hImpersonation, TokenGroups, groups.data(), cb, &cb));
    const auto* pGroups = reinterpret_cast<const TOKEN_GROUPS*>(groups.data());
    bool bDenyOnly = false;
    for (DWORD i = 0; i < pGroups->GroupCount; ++i)
        if (EqualSid(pGroups->Groups[i].Sid, adminsSid))
            bDenyOnly = (pGroups->Groups[i].Attributes & SE_GROUP_USE_FOR_DENY_ONLY) != 0;
    EXPECT_TRUE(bDenyOnly);

    ASSERT_TRUE(SetThreadToken(nullptr, hImpersonation));
    const bool bAdmin = CSecurity().IsAdministrator();
    SetThreadToken(nullptr, nullptr);
    EXPECT_TRUE(bAdmin);
    CloseHandle(hImpersonation);
    CloseHandle(hRestricted);
    CloseHandle(hProcessToken);
}
} // namespace
