// A Windows made of data for the probes: version, service pack, product type, 64-bit state, the
// three values of the version key and the token's groups. Install() makes every CSecurity ask it.
// In the 32-bit build the 64-bit state is not made up at the probe: the launchpad's own code asks
// Kernel32's IsWow64Process, and the system function itself gives the fake answer.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Security.h"

struct FakeSystem
{
    DWORD major = 0;
    DWORD minor = 0;
    WORD servicePackMajor = 0;
    std::wstring servicePackText;
    BYTE productType = VER_NT_WORKSTATION;
    bool wow64 = false;
    bool versionFails = false;
    // Raw bytes of each value of the version key that exists.
    std::map<std::wstring, std::vector<BYTE>> registry;
    std::optional<std::vector<BYTE>> tokenGroups;

    static std::vector<BYTE> Text(const std::wstring& text)
    {
        const auto* p = reinterpret_cast<const BYTE*>(text.c_str());
        return std::vector<BYTE>(p, p + (text.size() + 1) * sizeof(wchar_t));
    }
    static std::vector<BYTE> Dword(DWORD value)
    {
        const auto* p = reinterpret_cast<const BYTE*>(&value);
        return std::vector<BYTE>(p, p + sizeof value);
    }

    void Install() const;
    static void Uninstall();
    // How often the system's IsWow64Process has been asked while a fake was installed (32-bit
    // build; always 0 in the 64-bit one, whose probe needs no question).
    static int KernelWow64Calls();
};

// Replaces the system for the life of a scope.
class FakeSystemScope
{
public:
    explicit FakeSystemScope(const FakeSystem& system) { system.Install(); }
    // The system must outlive the scope: a temporary would be gone by the first question.
    explicit FakeSystemScope(const FakeSystem&&) = delete;
    ~FakeSystemScope() { FakeSystem::Uninstall(); }
    FakeSystemScope(const FakeSystemScope&) = delete;
    FakeSystemScope& operator=(const FakeSystemScope&) = delete;
};
