// CSecurity: what the launchpad asks about the Windows it runs on. The version numbers and the
// service pack are read once, when the object is made; the product type and the 64-bit state are
// asked afresh on every call. A probe that cannot be answered answers false.
//
// Every question to the system goes through one SecurityPlatform, which tests replace.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct SecurityPlatform
{
    // GetVersionExW with a zeroed OSVERSIONINFOEXW of the right size.
    BOOL (*pfnGetVersion)(OSVERSIONINFOEXW* pInfo);
    // VerifyVersionInfoW.
    BOOL (*pfnVerifyVersion)(OSVERSIONINFOEXW* pInfo, DWORD dwTypeMask, DWORDLONG dwlConditionMask);
    // Whether this process runs on 64-bit Windows.
    bool (*pfnIsWow64)();
    // Reads a value of HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion (64-bit view) into a
    // buffer of cbBuffer bytes; false when the key or value cannot be read or does not fit.
    bool (*pfnReadVersionValue)(const wchar_t* pszName, BYTE* pBuffer, DWORD cbBuffer);
    // The TOKEN_GROUPS of the calling thread's effective token; false when they cannot be read.
    bool (*pfnReadTokenGroups)(std::vector<BYTE>& groups);
};

class CSecurity
{
public:
    CSecurity();
    virtual ~CSecurity() = default;

    // The platform every CSecurity asks; null restores the real one. For tests.
    static void SetPlatform(const SecurityPlatform* pPlatform);
    static const SecurityPlatform& RealPlatform();

    void LoadVersion();
    BYTE GetProductType() const;
    bool IsWow64() const;
    bool IsAdministrator() const;

    DWORD GetMajorVersion() const { return m_dwMajorVersion; }
    DWORD GetMinorVersion() const { return m_dwMinorVersion; }
    WORD GetServicePackMajor() const { return m_wServicePackMajor; }
    const std::wstring& GetServicePackText() const { return m_strServicePack; }

    bool IsWindowsNT4();
    bool IsWindows2000();
    bool IsWindowsXP();
    bool IsWindows2003();
    bool IsWindows2003x64();
    bool IsWindowsXPx64();
    bool IsWindowsVistaFamily();
    bool IsWindows7();
    bool IsWindows7x64();
    bool IsWindows2008R2x86();
    bool IsWindows2008R2();
    bool IsWindows8();
    bool IsWindows8x64();
    bool IsWindows2012();
    bool IsWindows2012x64();
    bool IsWindows81();
    bool IsWindows81x64();
    bool IsWindows2012R2();
    bool IsWindows10();
    bool IsWindows10x64();
    bool IsWindows2016();
    bool IsWindows2019();
    bool IsWindows2022();
    bool IsWindows11();
    bool IsAfterWindows6();

    // An unsigned decimal number from the start of a text: 0 without leading digits, the largest
    // value when it has more digits than fit.
    static DWORD ParseLeadingNumber(const wchar_t* pszText);
    // Whether a TOKEN_GROUPS buffer holds the built-in Administrators group, whatever its
    // attributes (a group present only for deny checks counts).
    static bool GroupsContainAdministrators(const std::vector<BYTE>& groups);

private:
    enum class ProductClass
    {
        Workstation,
        Server
    };
    bool IsVersion(DWORD dwMajor, DWORD dwMinor);
    bool IsServerClass() const;
    bool VerifyVersion(DWORD dwMajor, DWORD dwMinor, ProductClass productClass) const;
    bool ReadVersionText(const wchar_t* pszName, std::wstring& text) const;

    BOOL m_bLoaded = FALSE;
    DWORD m_dwMajorVersion = 0;
    DWORD m_dwMinorVersion = 0;
    WORD m_wServicePackMajor = 0;
    std::wstring m_strServicePack;
};
