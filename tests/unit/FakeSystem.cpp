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

#ifdef _WIN64
bool FakeIsWow64()
{
    return g_pSystem->wow64;
}
#else
// The 32-bit program asks the system for real (Kernel32's IsWow64Process, found by name and
// called with the system's calling convention); only the system's answer is made up. The export
// starts with a jump to a stand-in while a fake system is installed.
int g_nKernelCalls = 0;

BOOL WINAPI StandInIsWow64Process(HANDLE hProcess, PBOOL pbWow64)
{
    ++g_nKernelCalls;
    if (g_pSystem == nullptr || hProcess != ::GetCurrentProcess() || pbWow64 == nullptr)
        return FALSE;
    *pbWow64 = g_pSystem->wow64 ? TRUE : FALSE;
    return TRUE;
}

class KernelPatch
{
public:
    void Apply()
    {
        if (m_pTarget != nullptr)
            return;
        auto* pTarget = reinterpret_cast<BYTE*>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
        DWORD dwOld = 0;
        if (pTarget == nullptr ||
            !::VirtualProtect(pTarget, sizeof m_original, PAGE_EXECUTE_READWRITE, &dwOld))
            return; // the probes then get the system's own answer, and the tests say so
        std::memcpy(m_original, pTarget, sizeof m_original);
        BYTE jump[sizeof m_original] = {0xE9}; // jmp rel32
        const auto nRelative = static_cast<INT32>(reinterpret_cast<UINT_PTR>(&StandInIsWow64Process) -
                                                  (reinterpret_cast<UINT_PTR>(pTarget) + sizeof jump));
        std::memcpy(jump + 1, &nRelative, sizeof nRelative);
        std::memcpy(pTarget, jump, sizeof jump);
        ::VirtualProtect(pTarget, sizeof m_original, dwOld, &dwOld);
        ::FlushInstructionCache(::GetCurrentProcess(), pTarget, sizeof m_original);
        m_pTarget = pTarget;
    }
    void Remove()
    {
        DWORD dwOld = 0;
        if (m_pTarget == nullptr ||
            !::VirtualProtect(m_pTarget, sizeof m_original, PAGE_EXECUTE_READWRITE, &dwOld))
            return;
        std::memcpy(m_pTarget, m_original, sizeof m_original);
        ::VirtualProtect(m_pTarget, sizeof m_original, dwOld, &dwOld);
        ::FlushInstructionCache(::GetCurrentProcess(), m_pTarget, sizeof m_original);
        m_pTarget = nullptr;
    }

private:
    BYTE* m_pTarget = nullptr;
    BYTE m_original[5] = {};
};
KernelPatch g_kernelPatch;

bool FakeIsWow64()
{
    return CSecurity::RealPlatform().pfnIsWow64();
}
#endif

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
#ifndef _WIN64
    g_kernelPatch.Apply();
#endif
}

void FakeSystem::Uninstall()
{
#ifndef _WIN64
    g_kernelPatch.Remove();
#endif
    CSecurity::SetPlatform(nullptr);
    g_pSystem = nullptr;
}

int FakeSystem::KernelWow64Calls()
{
#ifdef _WIN64
    return 0;
#else
    return g_nKernelCalls;
#endif
}
