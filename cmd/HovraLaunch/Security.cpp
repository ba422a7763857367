#include "hovra_stdafx.h"

#include "Security.h"

#include "LeadingNumber.h"

namespace
{
const wchar_t kVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr DWORD kRegistryBufferBytes = 260;

BOOL RealGetVersion(OSVERSIONINFOEXW* pInfo)
{
    return ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(pInfo));
}

BOOL RealVerifyVersion(OSVERSIONINFOEXW* pInfo, DWORD dwTypeMask, DWORDLONG dwlConditionMask)
{
    return ::VerifyVersionInfoW(pInfo, dwTypeMask, dwlConditionMask);
}

bool RealIsWow64()
{
#ifdef _WIN64
    return true; // a 64-bit process always runs on 64-bit Windows
#else
    HMODULE hKernel = ::LoadLibraryW(L"Kernel32.dll");
    if (hKernel == nullptr)
        return false;
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto pfnIsWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(::GetProcAddress(hKernel, "IsWow64Process")));
    BOOL bWow64 = FALSE;
    const bool bAnswer =
        pfnIsWow64Process != nullptr && pfnIsWow64Process(::GetCurrentProcess(), &bWow64) && bWow64;
    ::FreeLibrary(hKernel);
    return bAnswer;
#endif
}

bool RealReadVersionValue(const wchar_t* pszName, BYTE* pBuffer, DWORD cbBuffer)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_READ | KEY_WOW64_64KEY, &hKey) !=
        ERROR_SUCCESS)
        return false;
    DWORD cb = cbBuffer;
    const LONG result = ::RegQueryValueExW(hKey, pszName, nullptr, nullptr, pBuffer, &cb);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

bool RealReadTokenGroups(std::vector<BYTE>& groups)
{
    HANDLE hToken = nullptr;
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, FALSE, &hToken))
    {
        if (::GetLastError() != ERROR_NO_TOKEN ||
            !::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken))
            return false;
    }
    DWORD cbNeeded = 0;
    bool bOk = !::GetTokenInformation(hToken, TokenGroups, nullptr, 0, &cbNeeded) &&
               ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && cbNeeded >= sizeof(TOKEN_GROUPS);
    if (bOk)
    {
        groups.assign(cbNeeded, 0);
        bOk = ::GetTokenInformation(hToken, TokenGroups, groups.data(), cbNeeded, &cbNeeded) != FALSE;
    }
    ::CloseHandle(hToken);
    return bOk;
}

const SecurityPlatform g_realPlatform = {&RealGetVersion, &RealVerifyVersion, &RealIsWow64,
                                         &RealReadVersionValue, &RealReadTokenGroups};
const SecurityPlatform* g_pPlatform = &g_realPlatform;

OSVERSIONINFOEXW ZeroedVersionInfo()
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info; // 284
    return info;
}
} // namespace

CSecurity::CSecurity()
{
    LoadVersion();
}

void CSecurity::SetPlatform(const SecurityPlatform* pPlatform)
{
    g_pPlatform = pPlatform != nullptr ? pPlatform : &g_realPlatform;
}

const SecurityPlatform& CSecurity::RealPlatform()
{
    return g_realPlatform;
}

void CSecurity::LoadVersion()
{
    if (m_bLoaded)
        return;
    OSVERSIONINFOEXW info = ZeroedVersionInfo();
    if (g_pPlatform->pfnGetVersion(&info))
    {
        m_dwMajorVersion = info.dwMajorVersion;
        m_dwMinorVersion = info.dwMinorVersion;
        m_wServicePackMajor = info.wServicePackMajor;
        info.szCSDVersion[127] = L'\0';
        m_strServicePack = info.szCSDVersion;
    }
    m_bLoaded = TRUE;
}

BYTE CSecurity::GetProductType() const
{
    OSVERSIONINFOEXW info = ZeroedVersionInfo();
    return g_pPlatform->pfnGetVersion(&info) ? info.wProductType : 0;
}

bool CSecurity::IsWow64() const
{
    return g_pPlatform->pfnIsWow64();
}

bool CSecurity::IsAdministrator() const
{
    std::vector<BYTE> groups;
    return g_pPlatform->pfnReadTokenGroups(groups) && GroupsContainAdministrators(groups);
}

bool CSecurity::GroupsContainAdministrators(const std::vector<BYTE>& groups)
{
    if (groups.size() < sizeof(TOKEN_GROUPS))
        return false;
    const auto* pGroups = reinterpret_cast<const TOKEN_GROUPS*>(groups.data());
    // Never trust the count beyond the buffer.
    const size_t nMax = (groups.size() - offsetof(TOKEN_GROUPS, Groups)) / sizeof(SID_AND_ATTRIBUTES);
    const size_t nGroups = pGroups->GroupCount < nMax ? pGroups->GroupCount : nMax;

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID pAdministrators = nullptr;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                    0, 0, 0, 0, 0, &pAdministrators))
        return false;
    // Nor a SID that does not lie inside it: the system's buffer holds the SIDs its groups point to.
    const BYTE* pBegin = groups.data();
    const BYTE* pEnd = pBegin + groups.size();
    auto bInside = [&](PSID pSid)
    {
        const auto nAt = reinterpret_cast<UINT_PTR>(pSid);
        const auto nBegin = reinterpret_cast<UINT_PTR>(pBegin), nEnd = reinterpret_cast<UINT_PTR>(pEnd);
        constexpr UINT_PTR kFixedPart = 8; // revision, sub-authority count, authority
        return nAt >= nBegin && nAt <= nEnd && nEnd - nAt >= kFixedPart &&
               nEnd - nAt >= ::GetSidLengthRequired(static_cast<const BYTE*>(pSid)[1]);
    };
    bool bMember = false;
    for (size_t i = 0; i < nGroups && !bMember; ++i)
        bMember = bInside(pGroups->Groups[i].Sid) && ::EqualSid(pGroups->Groups[i].Sid, pAdministrators);
    ::FreeSid(pAdministrators);
    return bMember;
}

DWORD CSecurity::ParseLeadingNumber(const wchar_t* pszText)
{
    return ::ParseLeadingNumber(pszText);
}

bool CSecurity::ReadVersionText(const wchar_t* pszName, std::wstring& text) const
{
    // The value is read into 260 bytes and read as text, whatever its type; one more character
    // always terminates it.
    WCHAR buffer[kRegistryBufferBytes / sizeof(WCHAR) + 1] = {};
    if (!g_pPlatform->pfnReadVersionValue(pszName, reinterpret_cast<BYTE*>(buffer), kRegistryBufferBytes))
        return false;
    text = buffer;
    return true;
}

bool CSecurity::IsVersion(DWORD dwMajor, DWORD dwMinor)
{
    LoadVersion();
    return m_dwMajorVersion == dwMajor && m_dwMinorVersion == dwMinor;
}

bool CSecurity::IsServerClass() const
{
    return GetProductType() > VER_NT_WORKSTATION;
}

bool CSecurity::VerifyVersion(DWORD dwMajor, DWORD dwMinor, ProductClass productClass) const
{
    OSVERSIONINFOEXW info = ZeroedVersionInfo();
    info.dwMajorVersion = dwMajor;
    info.dwMinorVersion = dwMinor;
    info.wServicePackMajor = 0;
    info.wProductType = VER_NT_WORKSTATION;
    DWORDLONG dwlMask = 0;
    dwlMask = ::VerSetConditionMask(dwlMask, VER_MAJORVERSION, VER_EQUAL);
    dwlMask = ::VerSetConditionMask(dwlMask, VER_MINORVERSION, VER_EQUAL);
    dwlMask = ::VerSetConditionMask(dwlMask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    dwlMask = ::VerSetConditionMask(dwlMask, VER_PRODUCT_TYPE,
                                    productClass == ProductClass::Workstation ? VER_EQUAL : VER_GREATER);
    return g_pPlatform->pfnVerifyVersion(
               &info, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR | VER_PRODUCT_TYPE,
               dwlMask) != FALSE;
}

bool CSecurity::IsWindowsNT4()
{
    return IsVersion(4, 0);
}

bool CSecurity::IsWindows2000()
{
    return IsVersion(5, 0);
}

bool CSecurity::IsWindowsXP()
{
    return IsVersion(5, 1);
}

bool CSecurity::IsWindows2003()
{
    return IsVersion(5, 2) && !IsWow64();
}

bool CSecurity::IsWindows2003x64()
{
    return IsVersion(5, 2) && IsWow64() && IsServerClass();
}

bool CSecurity::IsWindowsXPx64()
{
    return IsVersion(5, 2) && IsWow64() && GetProductType() == VER_NT_WORKSTATION;
}

bool CSecurity::IsWindowsVistaFamily()
{
    return IsVersion(6, 0);
}

bool CSecurity::IsWindows7()
{
    return IsVersion(6, 1) && !IsWow64() && GetProductType() == VER_NT_WORKSTATION;
}

bool CSecurity::IsWindows7x64()
{
    return IsVersion(6, 1) && IsWow64() && GetProductType() == VER_NT_WORKSTATION;
}

bool CSecurity::IsWindows2008R2x86()
{
    return IsVersion(6, 1) && !IsWow64() && IsServerClass();
}

bool CSecurity::IsWindows2008R2()
{
    return IsVersion(6, 1) && IsWow64() && IsServerClass();
}

bool CSecurity::IsWindows8()
{
    return IsVersion(6, 2) && !IsWow64() && GetProductType() == VER_NT_WORKSTATION;
}

bool CSecurity::IsWindows8x64()
{
    return IsVersion(6, 2) && IsWow64() && GetProductType() == VER_NT_WORKSTATION;
}

bool CSecurity::IsWindows2012()
{
    return IsVersion(6, 2) && !IsWow64() && IsServerClass();
}

bool CSecurity::IsWindows2012x64()
{
    return IsVersion(6, 2) && IsWow64() && IsServerClass();
}

bool CSecurity::IsWindows81()
{
    LoadVersion();
    return !IsWow64() && VerifyVersion(6, 3, ProductClass::Workstation);
}

bool CSecurity::IsWindows81x64()
{
    LoadVersion();
    return IsWow64() && VerifyVersion(6, 3, ProductClass::Workstation);
}

bool CSecurity::IsWindows2012R2()
{
    LoadVersion();
    return VerifyVersion(6, 3, ProductClass::Server);
}

bool CSecurity::IsWindows10()
{
    LoadVersion();
    return !IsWow64() && VerifyVersion(10, 0, ProductClass::Workstation);
}

bool CSecurity::IsWindows10x64()
{
    LoadVersion();
    return IsWow64() && VerifyVersion(10, 0, ProductClass::Workstation);
}

bool CSecurity::IsWindows2016()
{
    LoadVersion();
    return VerifyVersion(10, 0, ProductClass::Server);
}

bool CSecurity::IsWindows2019()
{
    LoadVersion();
    std::wstring strReleaseId;
    return VerifyVersion(10, 0, ProductClass::Server) && ReadVersionText(L"ReleaseId", strReleaseId) &&
           ParseLeadingNumber(strReleaseId.c_str()) >= 1809;
}

bool CSecurity::IsWindows2022()
{
    LoadVersion();
    std::wstring strBuild, strType;
    return ReadVersionText(L"CurrentBuild", strBuild) && ParseLeadingNumber(strBuild.c_str()) >= 20348 &&
           ReadVersionText(L"InstallationType", strType) && strType != L"Client";
}

bool CSecurity::IsWindows11()
{
    LoadVersion();
    std::wstring strBuild, strType;
    return ReadVersionText(L"CurrentBuild", strBuild) && ParseLeadingNumber(strBuild.c_str()) >= 22000 &&
           ReadVersionText(L"InstallationType", strType) && strType == L"Client";
}

bool CSecurity::IsAfterWindows6()
{
    LoadVersion();
    return m_dwMajorVersion > 6;
}
