#include "FakeSystem.h"

#include <algorithm>
#include <cstring>

namespace
{
const FakeSystem* g_pSystem = nullptr;

BOOL FakeGetVersion(OSVERSIONINFOEXW* pInfo)
{
    if (g_pSystem->versionFails || pInfo->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXW))
        return FALSE;
    pInfo->dwMajorVersion = g_pSystem->major;
    pInfo->dwMinorVersion = g_pSystem->minor;
    pInfo->wServicePackMajor = g_pSystem->servicePackMajor;
    pInfo->wProductType = g_pSystem->productType;
    g_pSystem->servicePackText.copy(pInfo->szCSDVersion, 127);
    return TRUE;
}

// Answers the way Windows does for the conditions the probes use: each condition of the mask is
// three bits per type, in the order of the type bits.
BOOL FakeVerifyVersion(OSVERSIONINFOEXW* pInfo, DWORD dwTypeMask, DWORDLONG dwlConditionMask)
{
    auto condition = [&](int nBit)
    {
        return static_cast<int>((dwlConditionMask >> (nBit * 3)) & 7);
    };
    auto holds = [](int op, unsigned actual, unsigned wanted)
    {
        switch (op)
        {
        case VER_EQUAL:
            return actual == wanted;
        case VER_GREATER:
            return actual > wanted;
        case VER_GREATER_EQUAL:
            return actual >= wanted;
        case VER_LESS:
            return actual < wanted;
        case VER_LESS_EQUAL:
            return actual <= wanted;
        default:
            return false;
        }
    };
    if (g_pSystem->versionFails)
        return FALSE;
    bool ok = true;
    if (dwTypeMask & VER_MAJORVERSION)
        ok = ok && holds(condition(1), g_pSystem->major, pInfo->dwMajorVersion);
    if (dwTypeMask & VER_MINORVERSION)
        ok = ok && holds(condition(0), g_pSystem->minor, pInfo->dwMinorVersion);
    if (dwTypeMask & VER_SERVICEPACKMAJOR)
        ok = ok && holds(condition(5), g_pSystem->servicePackMajor, pInfo->wServicePackMajor);
    if (dwTypeMask & VER_PRODUCT_TYPE)
        ok = ok && holds(condition(7), g_pSystem->productType, pInfo->wProductType);
    return ok;
}

bool FakeIsWow64()
{
    return g_pSystem->wow64;
}

bool FakeReadVersionValue(const wchar_t* pszName, BYTE* pBuffer, DWORD cbBuffer)
{
    auto it = g_pSystem->registry.find(pszName);
    if (it == g_pSystem->registry.end() || it->second.size() > cbBuffer)
        return false;
    std::memcpy(pBuffer, it->second.data(), it->second.size());
    return true;
}

bool FakeReadTokenGroups(std::vector<BYTE>& groups)
{
    if (!g_pSystem->tokenGroups)
        return false;
    // A self-contained copy, as the system gives it: SIDs inside the buffer point into the copy.
    const std::vector<BYTE>& source = *g_pSystem->tokenGroups;
    groups = source;
    if (groups.size() < sizeof(TOKEN_GROUPS))
        return true;
    auto* pGroups = reinterpret_cast<TOKEN_GROUPS*>(groups.data());
    const size_t nFit = (groups.size() - offsetof(TOKEN_GROUPS, Groups)) / sizeof(SID_AND_ATTRIBUTES);
    for (size_t i = 0; i < std::min<size_t>(pGroups->GroupCount, nFit); ++i)
    {
        const auto* pSid = static_cast<const BYTE*>(pGroups->Groups[i].Sid);
        if (pSid >= source.data() && pSid < source.data() + source.size())
            pGroups->Groups[i].Sid = groups.data() + (pSid - source.data());
    }
    return true;
}

const SecurityPlatform g_fakePlatform = {&FakeGetVersion, &FakeVerifyVersion, &FakeIsWow64,
                                         &FakeReadVersionValue, &FakeReadTokenGroups};
} // namespace

void FakeSystem::Install() const
{
    g_pSystem = this;
    CSecurity::SetPlatform(&g_fakePlatform);
}

void FakeSystem::Uninstall()
{
    CSecurity::SetPlatform(nullptr);
    g_pSystem = nullptr;
}
