#include "hovra_stdafx.h"

#include "DecimalText.h"
#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "Security.h"

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

// The operating-system test functions: one per catalogue entry, differing only in the condition,
// the short name and the way the version is shown.
namespace
{
using Condition = bool (*)(CSecurity& security);

enum class DisplayFormat
{
    Snapshot, // short name, the snapshot's major.minor, service pack
    V63,      // short name, "6.3", service pack
    V100,     // short name, "10.0", service pack
};

struct OsTest
{
    Condition condition;
    UINT nShortNameId;
    DisplayFormat format;
};

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

// Indexed by catalogue entry; row 0 is unused.
const OsTest kOsTests[kPrerequisiteCount] = {
    {nullptr, 0, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows2003(); }, 353, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindowsXP() && s.GetServicePackMajor() >= 2; }, 354,
     DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows2000() && s.GetServicePackMajor() >= 3; }, 355,
     DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindowsNT4() && s.GetServicePackMajor() >= 6; }, 356,
     DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindowsXPx64(); }, 517, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows2003x64(); }, 520, DisplayFormat::Snapshot},
    {&IsVistaWorkstation, 547, DisplayFormat::Snapshot},
    {&IsVistaServer, 549, DisplayFormat::Snapshot},
    {&IsVistaWorkstationX64, 548, DisplayFormat::Snapshot},
    {&IsVistaServerX64, 550, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows7(); }, 498, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows7x64(); }, 499, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows2008R2x86(); }, 508, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows2008R2(); }, 509, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows8(); }, 568, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows8x64(); }, 569, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows2012(); }, 570, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows2012x64(); }, 571, DisplayFormat::Snapshot},
    {[](CSecurity& s) { return s.IsWindows81(); }, 577, DisplayFormat::V63},
    {[](CSecurity& s) { return s.IsWindows81x64(); }, 582, DisplayFormat::V63},
    {[](CSecurity& s) { return s.IsWindows2012R2(); }, 572, DisplayFormat::V63},
    {[](CSecurity& s) { return s.IsWindows10(); }, 587, DisplayFormat::V100},
    {[](CSecurity& s) { return s.IsWindows2016(); }, 597, DisplayFormat::V100},
    {[](CSecurity& s) { return s.IsWindows10x64(); }, 592, DisplayFormat::V100},
    {[](CSecurity& s) { return s.IsWindows2019(); }, 602, DisplayFormat::V100},
    {[](CSecurity& s) { return s.IsWindows2022(); }, 607, DisplayFormat::V100},
    {[](CSecurity& s) { return s.IsWindows11(); }, 612, DisplayFormat::V100},
    {[](CSecurity& s) { return s.IsAfterWindows6(); }, 565, DisplayFormat::Snapshot},
};

std::wstring DisplayText(const CSecurity& security, UINT nShortNameId, DisplayFormat format)
{
    std::wstring text;
    AfxLoadString(nShortNameId, text);
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
    const OsTest& test = kOsTests[N];
    const INT32 nResult = test.condition(security) ? kStatusSatisfied : kStatusIncorrectLevel;
    if (pszText != nullptr && cchText > 0)
    {
        // Copied with room for a terminator, so the buffer always ends in one.
        const std::wstring text = DisplayText(security, test.nShortNameId, test.format);
        const size_t cch = std::min(text.size(), static_cast<size_t>(cchText - 1));
        text.copy(pszText, cch);
        pszText[cch] = L'\0';
    }
    return nResult;
}

constexpr PrerequisiteItem OsEntry(UINT nNameId, UINT nMoreInfoId, UINT nDescriptionId, UINT nUrlId,
                                   PrerequisiteTest pfnTest, UINT nAltDescriptionId = 0)
{
    return PrerequisiteItem{nNameId,        nMoreInfoId, FALSE, {},    kStatusErrorUnevaluated, pfnTest,
                            nDescriptionId, nUrlId,      0,     FALSE, nAltDescriptionId};
}
} // namespace

PrerequisiteItem g_prerequisites[kPrerequisiteCount] = {
    {0, 0, FALSE, {}, kStatusErrorUnevaluated, nullptr, 0, 0, 0, FALSE, 0},
    OsEntry(219, 259, 340, 239, &TestOs<1>),
    OsEntry(215, 255, 340, 235, &TestOs<2>),
    OsEntry(216, 256, 340, 236, &TestOs<3>),
    OsEntry(217, 257, 340, 237, &TestOs<4>),
    OsEntry(510, 515, 340, 538, &TestOs<5>),
    OsEntry(521, 522, 340, 524, &TestOs<6>),
    OsEntry(530, 543, 340, 539, &TestOs<7>),
    OsEntry(531, 545, 340, 541, &TestOs<8>),
    OsEntry(532, 544, 340, 540, &TestOs<9>),
    OsEntry(533, 546, 340, 542, &TestOs<10>),
    OsEntry(482, 483, 340, 485, &TestOs<11>),
    OsEntry(486, 487, 340, 489, &TestOs<12>),
    OsEntry(490, 491, 340, 493, &TestOs<13>),
    OsEntry(494, 495, 340, 497, &TestOs<14>),
    OsEntry(512, 513, 340, 518, &TestOs<15>),
    OsEntry(519, 526, 340, 528, &TestOs<16>),
    OsEntry(529, 555, 340, 557, &TestOs<17>),
    OsEntry(558, 559, 340, 567, &TestOs<18>),
    OsEntry(578, 579, 340, 581, &TestOs<19>, 585),
    OsEntry(583, 584, 340, 586, &TestOs<20>),
    OsEntry(573, 574, 340, 576, &TestOs<21>),
    OsEntry(588, 589, 340, 591, &TestOs<22>, 595),
    OsEntry(598, 599, 340, 601, &TestOs<23>),
    OsEntry(593, 594, 595, 596, &TestOs<24>),
    OsEntry(603, 604, 605, 606, &TestOs<25>),
    OsEntry(608, 609, 610, 611, &TestOs<26>),
    OsEntry(613, 614, 615, 616, &TestOs<27>),
    OsEntry(560, 564, 561, 562, &TestOs<28>),
};

namespace
{
struct IdentificationStep
{
    Condition condition;
    int nEntry;
    bool bWarning;
};

// Asked in this order; the first that holds wins. The order settles where predicates overlap:
// Windows 11 before Windows 10, Server 2022 before 2019 before 2016, the catch-all last.
const IdentificationStep kIdentificationSteps[] = {
    {[](CSecurity& s) { return s.IsWindows11(); }, 27, false},
    {[](CSecurity& s) { return s.IsWindows2022(); }, 26, false},
    {[](CSecurity& s) { return s.IsWindows2019(); }, 25, false},
    {[](CSecurity& s) { return s.IsWindows81(); }, 19, false},
    {[](CSecurity& s) { return s.IsWindows81x64(); }, 20, false},
    {[](CSecurity& s) { return s.IsWindows2012R2(); }, 21, false},
    {[](CSecurity& s) { return s.IsWindows10(); }, 22, false},
    {[](CSecurity& s) { return s.IsWindows10x64(); }, 24, false},
    {[](CSecurity& s) { return s.IsWindows2016(); }, 23, false},
    {[](CSecurity& s) { return s.IsWindows2003(); }, 1, false},
    {[](CSecurity& s) { return s.IsWindows2003x64(); }, 6, false},
    {[](CSecurity& s) { return s.IsWindowsXP(); }, 2, false},
    {[](CSecurity& s) { return s.IsWindows2000(); }, 3, true},
    {[](CSecurity& s) { return s.IsWindowsNT4(); }, 4, true},
    {[](CSecurity& s) { return s.IsWindowsXPx64(); }, 5, false},
    {&IsVistaWorkstation, 7, false},
    {&IsVistaWorkstationX64, 9, false},
    {&IsVistaServer, 8, false},
    {&IsVistaServerX64, 10, false},
    {[](CSecurity& s) { return s.IsWindows7(); }, 11, false},
    {[](CSecurity& s) { return s.IsWindows7x64(); }, 12, false},
    {[](CSecurity& s) { return s.IsWindows2008R2x86(); }, 13, false},
    {[](CSecurity& s) { return s.IsWindows2008R2(); }, 14, false},
    {[](CSecurity& s) { return s.IsWindows8(); }, 15, false},
    {[](CSecurity& s) { return s.IsWindows8x64(); }, 16, false},
    {[](CSecurity& s) { return s.IsWindows2012(); }, 17, false},
    {[](CSecurity& s) { return s.IsWindows2012x64(); }, 18, false},
    {[](CSecurity& s) { return s.IsAfterWindows6(); }, 28, true},
};
} // namespace

bool SelectCurrentOs()
{
    CSecurity security;
    for (const IdentificationStep& step : kIdentificationSteps)
    {
        if (step.condition(security))
        {
            g_prerequisites[0] = g_prerequisites[step.nEntry];
            return !step.bWarning;
        }
    }
    return false;
}
