#include "hovra_stdafx.h"

#include "DecimalText.h"
#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "Security.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

CHovraLaunchApp theApp;

BOOL CHovraLaunchApp::InitInstance()
{
    if (!m_singleInstance.IsFirstInstance())
        return FALSE;

    // No control containers are hosted, and the common controls are not initialised here: every
    // text and template comes from the program's own resources.
    CHovraLaunchDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

// The Windows releases the launchpad knows, one row each: the catalogue entry's texts, what the
// entry's test asks and writes, the name the software panel's heading gives it, and where it stands
// when the running Windows is identified. The catalogue and the test functions are made from the
// rows; a new release is a row, its condition, and one more in the counts of HovraLaunch.h, which
// the static_asserts below hold to the table.
namespace
{
using Condition = bool (*)(CSecurity& security);

constexpr UINT kGenericWindowsId = IDS_SHORT_WINDOWS;

enum class DisplayFormat
{
    Snapshot, // short name, the snapshot's major.minor, service pack
    V63,      // short name, "6.3", service pack
    V100,     // short name, "10.0", service pack
};

struct WindowsRelease
{
    int nEntry; // the catalogue entry, counted from 1
    UINT nNameId;
    UINT nMoreInfoId;
    UINT nDescriptionId;
    UINT nAltDescriptionId; // 0: none
    UINT nUrlId;
    UINT nShortNameId;   // what the test's text starts with
    UINT nHeadingNameId; // what the software panel's heading calls the release
    DisplayFormat format;
    WORD wMinServicePack; // the test's release must have at least this service pack
    Condition pfnIsRelease;
    int nIdentificationPlace; // see kReleases
    bool bWarning;            // identified as this release, the launchpad warns
};

// A condition that is one question of CSecurity.
template <bool (CSecurity::*pfnIs)()> bool Ask(CSecurity& s)
{
    return (s.*pfnIs)();
}

bool IsVistaWorkstation(CSecurity& s)
{
    return s.IsWindowsVistaFamily() && s.GetProductType() == VER_NT_WORKSTATION && !s.IsWow64();
}
bool IsVistaWorkstationX64(CSecurity& s)
{
    return s.IsWindowsVistaFamily() && s.GetProductType() == VER_NT_WORKSTATION && s.IsWow64();
}
bool IsVistaServer(CSecurity& s)
{
    return s.IsWindowsVistaFamily() && !s.IsWow64() && s.GetProductType() > VER_NT_WORKSTATION;
}
bool IsVistaServerX64(CSecurity& s)
{
    return s.IsWindowsVistaFamily() && s.IsWow64() && s.GetProductType() > VER_NT_WORKSTATION;
}

using enum DisplayFormat;

// In catalogue order. Columns: entry, name, more information, description, alternative
// description, URL, short name, heading name, display format, least service pack, condition,
// identification place, warning. A release the product does not support has the unsupported
// level's text as its description (kUnsupportedLevelTextId); 0 in the alternative description is none.
//
// Identification asks the conditions by place, lowest first, and the first that holds wins (the
// least service pack is not asked). The order settles where predicates overlap: Windows 11 before
// Windows 10, Server 2022 before 2019 before 2016, the catch-all last. Places go in tens so that a
// release can be put between two others.
constexpr WindowsRelease kReleases[] = {
    {1, IDS_NAME_WINDOWS2003, IDS_MORE_INFO_WINDOWS2003, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWS2003,
     IDS_SHORT_WINDOWS2003, IDS_HEADING_WINDOWS2003, Snapshot, 0, &Ask<&CSecurity::IsWindows2003>, 100,
     false},
    {2, IDS_NAME_WINDOWSXP, IDS_MORE_INFO_WINDOWSXP, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWSXP,
     IDS_SHORT_WINDOWSXP, IDS_HEADING_WINDOWSXP, Snapshot, 2, &Ask<&CSecurity::IsWindowsXP>, 120, false},
    {3, IDS_NAME_WINDOWS2000, IDS_MORE_INFO_WINDOWS2000, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWS2000,
     IDS_SHORT_WINDOWS2000, IDS_HEADING_WINDOWS2000, Snapshot, 3, &Ask<&CSecurity::IsWindows2000>, 130, true},
    {4, IDS_NAME_WINDOWSNT4, IDS_MORE_INFO_WINDOWSNT4, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWSNT4,
     IDS_SHORT_WINDOWSNT4, IDS_SHORT_WINDOWS, Snapshot, 6, &Ask<&CSecurity::IsWindowsNT4>, 140, true},
    {5, IDS_NAME_WINDOWSXP_X64, IDS_MORE_INFO_WINDOWSXP_X64, kUnsupportedLevelTextId, 0,
     IDS_URL_WINDOWSXP_X64, IDS_SHORT_WINDOWSXP_X64, IDS_HEADING_WINDOWSXP_X64, Snapshot, 0,
     &Ask<&CSecurity::IsWindowsXPx64>, 150, false},
    {6, IDS_NAME_WINDOWS2003_X64, IDS_MORE_INFO_WINDOWS2003_X64, kUnsupportedLevelTextId, 0,
     IDS_URL_WINDOWS2003_X64, IDS_SHORT_WINDOWS2003_X64, IDS_HEADING_WINDOWS2003_X64, Snapshot, 0,
     &Ask<&CSecurity::IsWindows2003x64>, 110, false},
    {7, IDS_NAME_WINDOWSVISTA, IDS_MORE_INFO_WINDOWSVISTA, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWSVISTA,
     IDS_SHORT_WINDOWSVISTA, IDS_HEADING_WINDOWSVISTA, Snapshot, 0, &IsVistaWorkstation, 160, false},
    {8, IDS_NAME_SERVER2008, IDS_MORE_INFO_SERVER2008, kUnsupportedLevelTextId, 0, IDS_URL_SERVER2008,
     IDS_SHORT_SERVER2008, IDS_HEADING_SERVER2008, Snapshot, 0, &IsVistaServer, 180, false},
    {9, IDS_NAME_WINDOWSVISTA_X64, IDS_MORE_INFO_WINDOWSVISTA_X64, kUnsupportedLevelTextId, 0,
     IDS_URL_WINDOWSVISTA_X64, IDS_SHORT_WINDOWSVISTA_X64, IDS_HEADING_WINDOWSVISTA_X64, Snapshot, 0,
     &IsVistaWorkstationX64, 170, false},
    {10, IDS_NAME_SERVER2008_X64, IDS_MORE_INFO_SERVER2008_X64, kUnsupportedLevelTextId, 0,
     IDS_URL_SERVER2008_X64, IDS_SHORT_SERVER2008_X64, IDS_HEADING_SERVER2008_X64, Snapshot, 0,
     &IsVistaServerX64, 190, false},
    {11, IDS_NAME_WINDOWS7, IDS_MORE_INFO_WINDOWS7, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWS7,
     IDS_SHORT_WINDOWS7, IDS_SHORT_WINDOWS7, Snapshot, 0, &Ask<&CSecurity::IsWindows7>, 200, false},
    {12, IDS_NAME_WINDOWS7_X64, IDS_MORE_INFO_WINDOWS7_X64, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWS7_X64,
     IDS_SHORT_WINDOWS7_X64, IDS_SHORT_WINDOWS7_X64, Snapshot, 0, &Ask<&CSecurity::IsWindows7x64>, 210,
     false},
    {13, IDS_NAME_SERVER2008R2_X86, IDS_MORE_INFO_SERVER2008R2_X86, kUnsupportedLevelTextId, 0,
     IDS_URL_SERVER2008R2_X86, IDS_SHORT_SERVER2008R2_X86, IDS_SHORT_SERVER2008R2_X86, Snapshot, 0,
     &Ask<&CSecurity::IsWindows2008R2x86>, 220, false},
    {14, IDS_NAME_SERVER2008R2, IDS_MORE_INFO_SERVER2008R2, kUnsupportedLevelTextId, 0, IDS_URL_SERVER2008R2,
     IDS_SHORT_SERVER2008R2, IDS_SHORT_SERVER2008R2, Snapshot, 0, &Ask<&CSecurity::IsWindows2008R2>, 230,
     false},
    {15, IDS_NAME_WINDOWS8, IDS_MORE_INFO_WINDOWS8, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWS8,
     IDS_SHORT_WINDOWS8, IDS_SHORT_WINDOWS8, Snapshot, 0, &Ask<&CSecurity::IsWindows8>, 240, false},
    {16, IDS_NAME_WINDOWS8_X64, IDS_MORE_INFO_WINDOWS8_X64, kUnsupportedLevelTextId, 0, IDS_URL_WINDOWS8_X64,
     IDS_SHORT_WINDOWS8_X64, IDS_SHORT_WINDOWS8_X64, Snapshot, 0, &Ask<&CSecurity::IsWindows8x64>, 250,
     false},
    {17, IDS_NAME_SERVER2012, IDS_MORE_INFO_SERVER2012, kUnsupportedLevelTextId, 0, IDS_URL_SERVER2012,
     IDS_SHORT_SERVER2012, IDS_SHORT_SERVER2012, Snapshot, 0, &Ask<&CSecurity::IsWindows2012>, 260, false},
    {18, IDS_NAME_SERVER2012_X64, IDS_MORE_INFO_SERVER2012_X64, kUnsupportedLevelTextId, 0,
     IDS_URL_SERVER2012_X64, IDS_SHORT_SERVER2012_X64, IDS_SHORT_SERVER2012_X64, Snapshot, 0,
     &Ask<&CSecurity::IsWindows2012x64>, 270, false},
    {19, IDS_NAME_WINDOWS81, IDS_MORE_INFO_WINDOWS81, kUnsupportedLevelTextId, IDS_DESCRIPTION_WINDOWS81_X64,
     IDS_URL_WINDOWS81, IDS_SHORT_WINDOWS81, IDS_SHORT_WINDOWS81, V63, 0, &Ask<&CSecurity::IsWindows81>, 40,
     false},
    {20, IDS_NAME_WINDOWS81_X64, IDS_MORE_INFO_WINDOWS81_X64, kUnsupportedLevelTextId, 0,
     IDS_URL_WINDOWS81_X64, IDS_SHORT_WINDOWS81_X64, IDS_SHORT_WINDOWS81_X64, V63, 0,
     &Ask<&CSecurity::IsWindows81x64>, 50, false},
    {21, IDS_NAME_SERVER2012R2, IDS_MORE_INFO_SERVER2012R2, kUnsupportedLevelTextId, 0, IDS_URL_SERVER2012R2,
     IDS_SHORT_SERVER2012R2, IDS_SHORT_SERVER2012R2, V63, 0, &Ask<&CSecurity::IsWindows2012R2>, 60, false},
    {22, IDS_NAME_WINDOWS10, IDS_MORE_INFO_WINDOWS10, kUnsupportedLevelTextId, IDS_DESCRIPTION_WINDOWS10_X64,
     IDS_URL_WINDOWS10, IDS_SHORT_WINDOWS10, IDS_SHORT_WINDOWS10, V100, 0, &Ask<&CSecurity::IsWindows10>, 70,
     false},
    {23, IDS_NAME_SERVER2016, IDS_MORE_INFO_SERVER2016, kUnsupportedLevelTextId, 0, IDS_URL_SERVER2016,
     IDS_SHORT_SERVER2016, IDS_SHORT_SERVER2016, V100, 0, &Ask<&CSecurity::IsWindows2016>, 90, false},
    {24, IDS_NAME_WINDOWS10_X64, IDS_MORE_INFO_WINDOWS10_X64, IDS_DESCRIPTION_WINDOWS10_X64, 0,
     IDS_URL_WINDOWS10_X64, IDS_SHORT_WINDOWS10_X64, IDS_SHORT_WINDOWS10_X64, V100, 0,
     &Ask<&CSecurity::IsWindows10x64>, 80, false},
    {25, IDS_NAME_SERVER2019, IDS_MORE_INFO_SERVER2019, IDS_DESCRIPTION_SERVER2019, 0, IDS_URL_SERVER2019,
     IDS_SHORT_SERVER2019, IDS_SHORT_SERVER2019, V100, 0, &Ask<&CSecurity::IsWindows2019>, 30, false},
    {26, IDS_NAME_SERVER2022, IDS_MORE_INFO_SERVER2022, IDS_DESCRIPTION_SERVER2022, 0, IDS_URL_SERVER2022,
     IDS_SHORT_SERVER2022, IDS_SHORT_SERVER2022, V100, 0, &Ask<&CSecurity::IsWindows2022>, 20, false},
    {27, IDS_NAME_WINDOWS11, IDS_MORE_INFO_WINDOWS11, IDS_DESCRIPTION_WINDOWS11, 0, IDS_URL_WINDOWS11,
     IDS_SHORT_WINDOWS11, IDS_SHORT_WINDOWS11, V100, 0, &Ask<&CSecurity::IsWindows11>, 10, false},
    {28, IDS_NAME_WINDOWS, IDS_MORE_INFO_WINDOWS, IDS_DESCRIPTION_WINDOWS, 0, IDS_URL_WINDOWS,
     IDS_SHORT_WINDOWS, IDS_SHORT_WINDOWS, Snapshot, 0, &Ask<&CSecurity::IsAfterWindows6>, 280, true},
};

static_assert(std::size(kReleases) == kCatalogueEntryCount, "one row per catalogue entry");
static_assert(kPrerequisiteCount == kCatalogueEntryCount + 1, "the current item, then the catalogue");

constexpr bool EntriesNumberedInOrder()
{
    for (size_t i = 0; i < std::size(kReleases); ++i)
        if (kReleases[i].nEntry != static_cast<int>(i) + 1 || kReleases[i].pfnIsRelease == nullptr)
            return false;
    return true;
}
static_assert(EntriesNumberedInOrder(), "row n is entry n + 1 and has a condition");

constexpr bool NamesTellEntriesApart()
{
    for (size_t i = 0; i < std::size(kReleases); ++i)
    {
        if (kReleases[i].nNameId == 0) // the name of the current item before identification
            return false;
        for (size_t j = 0; j < i; ++j)
            if (kReleases[j].nNameId == kReleases[i].nNameId)
                return false;
    }
    return true;
}
static_assert(NamesTellEntriesApart(), "the heading's short name is found by the entry's name");

// The rows by identification place.
constexpr std::array<size_t, kCatalogueEntryCount> IdentificationOrder()
{
    std::array<size_t, kCatalogueEntryCount> order{};
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(),
              [](size_t a, size_t b)
              { return kReleases[a].nIdentificationPlace < kReleases[b].nIdentificationPlace; });
    return order;
}
constexpr auto kIdentificationOrder = IdentificationOrder();

constexpr bool EachEntryHasItsOwnPlace()
{
    for (size_t i = 1; i < kIdentificationOrder.size(); ++i)
        if (kReleases[kIdentificationOrder[i - 1]].nIdentificationPlace ==
            kReleases[kIdentificationOrder[i]].nIdentificationPlace)
            return false;
    return kReleases[kIdentificationOrder[0]].nIdentificationPlace > 0;
}
static_assert(EachEntryHasItsOwnPlace(), "identification asks every entry once, in a settled order");

std::wstring DisplayText(const CSecurity& security, UINT nShortNameId, DisplayFormat format)
{
    std::wstring text = AfxLoadText(nShortNameId);
    switch (format)
    {
    case DisplayFormat::Snapshot:
        text += L", " + DecimalText(security.GetMajorVersion()) + L"." +
                DecimalText(security.GetMinorVersion()) + L" ";
        break;
    case DisplayFormat::V63:
        text += L", 6.3 ";
        break;
    case DisplayFormat::V100:
        text += L", 10.0 ";
        break;
    }
    return text + security.GetServicePackText();
}

template <int N> INT32 TestOs(wchar_t* pszText, INT32 cchText)
{
    static_assert(N >= 1 && N <= kCatalogueEntryCount);
    CSecurity security;
    const WindowsRelease& release = kReleases[N - 1];
    const bool bHolds =
        release.pfnIsRelease(security) && security.GetServicePackMajor() >= release.wMinServicePack;
    const INT32 nResult = bHolds ? kStatusSatisfied : kStatusIncorrectLevel;
    if (pszText != nullptr && cchText > 0)
    {
        // Copied with room for a terminator, so the buffer always ends in one.
        const std::wstring text = DisplayText(security, release.nShortNameId, release.format);
        const size_t cch = std::min(text.size(), static_cast<size_t>(cchText - 1));
        text.copy(pszText, cch);
        pszText[cch] = L'\0';
    }
    return nResult;
}

template <size_t... I>
constexpr std::array<PrerequisiteTest, sizeof...(I)> TestFunctions(std::index_sequence<I...>)
{
    return {&TestOs<static_cast<int>(I) + 1>...};
}
constexpr auto kTestFunctions = TestFunctions(std::make_index_sequence<kCatalogueEntryCount>());

constexpr PrerequisiteItem kNoItem{0, 0, FALSE, {}, kStatusErrorUnevaluated, nullptr, 0, 0, 0, FALSE, 0};

constexpr PrerequisiteItem CatalogueEntry(const WindowsRelease& release, PrerequisiteTest pfnTest)
{
    return PrerequisiteItem{
        release.nNameId,        release.nMoreInfoId, FALSE, {},    kStatusErrorUnevaluated,  pfnTest,
        release.nDescriptionId, release.nUrlId,      0,     FALSE, release.nAltDescriptionId};
}
} // namespace

namespace
{
constexpr std::array<PrerequisiteItem, kPrerequisiteCount> MakeCatalogue()
{
    std::array<PrerequisiteItem, kPrerequisiteCount> items{};
    items[0] = kNoItem;
    for (size_t i = 0; i < std::size(kReleases); ++i)
        items[i + 1] = CatalogueEntry(kReleases[i], kTestFunctions[i]);
    return items;
}
} // namespace

// Made from the table when the program is compiled, so it is whole before any code runs.
constinit std::array<PrerequisiteItem, kPrerequisiteCount> g_prerequisites = MakeCatalogue();

UINT HeadingShortNameId(UINT nNameId)
{
    for (const WindowsRelease& release : kReleases)
        if (release.nNameId == nNameId)
            return release.nHeadingNameId;
    return kGenericWindowsId;
}

bool SelectCurrentOs()
{
    CSecurity security;
    for (const size_t nRow : kIdentificationOrder)
    {
        const WindowsRelease& release = kReleases[nRow];
        if (release.pfnIsRelease(security))
        {
            g_prerequisites[0] = g_prerequisites[release.nEntry];
            return !release.bWarning;
        }
    }
    return false;
}
