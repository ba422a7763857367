#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "LaunchpadHarness.h"
#include "ProbeSoftwarePanel.h"
#include "SoftwarePanel.h"

namespace
{
constexpr int kExpandId = 1048;

RECT ClientRectIn(HWND hWnd, HWND hParent)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The real main dialog with the real software panel (the other panels plain).
class CTestMainDlg : public CSteppedMainDlg
{
public:
    CTestMainDlg()
    {
        m_makePanel = [](UINT nPanelId, CSteppedMainDlg* pParent) -> CStackPanel*
        {
            if (nPanelId == IDD_SOFTWARE_PANEL)
                return new CProbeSoftwarePanel(pParent);
            return new CStackPanel(nPanelId, pParent);
        };
    }
};

using Step = CSteppedMainDlg::Step;

CProbeSoftwarePanel& Panel(CSteppedMainDlg& d)
{
    return d.Panel<CProbeSoftwarePanel>(IDD_SOFTWARE_PANEL);
}

void RunLaunchpad(const FakeSystem& system, std::vector<Step> steps, int nWarnings = 0)
{
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    dlg.m_steps = std::move(steps);
    QuestionAnswerer answerer(std::vector<UINT>(static_cast<size_t>(nWarnings), IDOK));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

// A test function the tests control.
INT32 g_nFakeResult = 1;
int g_nFakeCalls = 0;
INT32 g_nFakeCapacity = 0;
std::wstring g_strFakeSawText;

INT32 FakeTest(wchar_t* pszText, INT32 cchText)
{
    ++g_nFakeCalls;
    g_nFakeCapacity = cchText;
    g_strFakeSawText = pszText;
    ::lstrcpynW(pszText, L"Fake Windows, 1.0 ", cchText);
    return g_nFakeResult;
}

class SoftwarePanel : public testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = g_prerequisites[0];
        g_nFakeResult = 1;
        g_nFakeCalls = 0;
    }
    void TearDown() override
    {
        g_prerequisites[0] = m_saved;
        AfxSetInterfaceLanguage(0x0409);
    }
    PrerequisiteItem m_saved{};
};

// ---------------------------------------------------------------------------------------------

struct OsCase
{
    const char* name;
    FakeSystem system;
    int nEntry;                // the catalogue entry the launchpad identifies
    const wchar_t* pszHeading; // in English
    UINT nWordId;              // after the first refresh
    int nLed;
    INT32 nStatus;
    UINT nExplanationId; // when expanded
};

TEST_F(SoftwarePanel, ShowsTheIdentifiedWindowsAndEvaluatesItOnlyWhenRefreshed)
{
    const OsCase cases[] = {
        {"Windows 11", MakeSystem(10, 0, true, true, L"22000"), 27,
         L"Software Requirements for Corvane Velto on Windows 11", 311, CLedCtrl::LED_GREEN, 1, 2001},
        {"Windows 10 x64", MakeSystem(10, 0, true, true, L"19045"), 24,
         L"Software Requirements for Corvane Velto on Windows 10 x64", 311, CLedCtrl::LED_GREEN, 1, 2001},
        {"Windows 10 32-bit", MakeSystem(10, 0, false, true, L"19045"), 22,
         L"Software Requirements for Corvane Velto on Windows 10", 316, CLedCtrl::LED_RED, 6, 595},
        {"Windows 8.1 32-bit", MakeSystem(6, 3, false, true, L"9600"), 19,
         L"Software Requirements for Corvane Velto on Windows 8.1", 316, CLedCtrl::LED_RED, 6, 585},
        {"Windows 7", MakeSystem(6, 1, false, true, nullptr), 11,
         L"Software Requirements for Corvane Velto on Windows 7", 313, CLedCtrl::LED_RED, 6, 340},
    };
    for (const OsCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        AfxSetInterfaceLanguage(0x0409);
        const PrerequisiteItem& entry = g_prerequisites[c.nEntry];
        RunLaunchpad(
            c.system,
            {[&](CSteppedMainDlg& d)
             {
                 CProbeSoftwarePanel& p = Panel(d);
                 EXPECT_EQ(std::wstring(c.pszHeading), WindowText(p.GetDlgItem(1040)));
                 EXPECT_EQ(Text(entry.nNameId), WindowText(p.Row().m_stcName.m_hWnd));
                 // Nothing evaluated yet.
                 EXPECT_EQ(L"Error", p.StatusWord());
                 EXPECT_EQ(CLedCtrl::LED_RED, p.Row().m_led.GetState());
                 EXPECT_EQ(kStatusErrorUnevaluated, g_prerequisites[0].nStatus);
                 EXPECT_FALSE(p.StatusTip().has_value());
                 d.Click(IDC_NAV_SOFTWARE); // posts the refresh message
             },
             [&](CSteppedMainDlg& d)
             {
                 CProbeSoftwarePanel& p = Panel(d);
                 EXPECT_EQ(Text(c.nWordId), p.StatusWord());
                 EXPECT_EQ(c.nLed, p.Row().m_led.GetState());
                 EXPECT_EQ(c.nStatus, g_prerequisites[0].nStatus);
                 RECT rcTip{};
                 EXPECT_EQ(std::wstring(g_prerequisites[0].szText), p.StatusTip(&rcTip).value_or(L"none"));
                 // The tip covers the light and the status word.
                 const RECT rcLight = ClientRectIn(p.GetDlgItem(1047), p.m_hWnd);
                 const RECT rcWord = ClientRectIn(p.GetDlgItem(1045), p.m_hWnd);
                 EXPECT_TRUE(SameRect(RECT{rcLight.left, rcLight.top, rcWord.right, rcWord.bottom}, rcTip));
                 EXPECT_EQ(::GetFocus(), p.GetDlgItem(1043)) << "focus on Refresh when shown";
                 p.Click(kExpandId);
             },
             [&](CSteppedMainDlg& d)
             {
                 CProbeSoftwarePanel& p = Panel(d);
                 ASSERT_NE(nullptr, p.m_stcDetail.m_hWnd);
                 EXPECT_EQ(Text(c.nExplanationId), WindowText(p.m_stcDetail.m_hWnd));
                 // Only the Internet action exists, and it is hidden: the item is satisfied or its
                 // level is not supported.
                 EXPECT_EQ(nullptr, p.m_btnCdrom.m_hWnd);
                 EXPECT_EQ(nullptr, p.m_btnNetwork.m_hWnd);
                 ASSERT_NE(nullptr, p.m_btnInternet.m_hWnd);
                 EXPECT_FALSE(p.m_btnInternet.GetStyle() & WS_VISIBLE);
                 EXPECT_EQ(Text(entry.nUrlId), std::wstring(p.m_btnInternet.GetLinkTarget()));
             }});
    }
}

TEST_F(SoftwarePanel, NothingIdentifiedReadsWindowsAndStaysAnError)
{
    // Windows 3.51 matches no entry: the unsupported-system warning is answered with OK.
    RunLaunchpad(MakeSystem(3, 51, false, true, nullptr),
                 {[](CSteppedMainDlg& d)
                  {
                      CProbeSoftwarePanel& p = Panel(d);
                      EXPECT_EQ(L"Software Requirements for Corvane Velto on Windows",
                                WindowText(p.GetDlgItem(1040)));
                      EXPECT_EQ(L"", WindowText(p.Row().m_stcName.m_hWnd));
                      d.Click(IDC_NAV_SOFTWARE);
                  },
                  [](CSteppedMainDlg& d)
                  {
                      CProbeSoftwarePanel& p = Panel(d);
                      EXPECT_EQ(L"Error", p.StatusWord());
                      EXPECT_EQ(CLedCtrl::LED_RED, p.Row().m_led.GetState());
                      EXPECT_EQ(kStatusErrorUnevaluated, g_prerequisites[0].nStatus);
                      EXPECT_FALSE(p.StatusTip().has_value());
                  }},
                 1);
}

TEST_F(SoftwarePanel, MapsEachTestResultToStatusWordAndLight)
{
    struct Case
    {
        INT32 nResult;
        UINT nDescriptionId;
        UINT nAltDescriptionId;
        INT32 nStored;
        const wchar_t* pszWord;
        int nLed;
    };
    const Case cases[] = {
        {1, 595, 0, 1, L"OK", CLedCtrl::LED_GREEN},
        {1, 595, 585, 1, L"OK", CLedCtrl::LED_GREEN},
        {1, 340, 0, 6, L"Incorrect Level", CLedCtrl::LED_RED},
        {1, 340, 595, 6, L"Not 64 Bit", CLedCtrl::LED_RED},
        {2, 595, 0, 2, L"Error", CLedCtrl::LED_RED},
        {3, 595, 0, 3, L"Error", CLedCtrl::LED_RED},
        {4, 595, 0, 4, L"Not Installed", CLedCtrl::LED_RED},
        {5, 595, 0, 5, L"Partial Install", CLedCtrl::LED_RED},
        {6, 595, 0, 6, L"Incorrect Level", CLedCtrl::LED_RED},
        {6, 340, 595, 6, L"Incorrect Level", CLedCtrl::LED_RED},
        {0, 595, 0, 0, L"Error", CLedCtrl::LED_RED},
        {7, 340, 0, 7, L"Error", CLedCtrl::LED_RED},
        {-1, 595, 0, -1, L"Error", CLedCtrl::LED_RED},
    };
    RunLaunchpad(MakeSystem(10, 0, true, true, L"19045"),
                 {[&](CSteppedMainDlg& d)
                  {
                      AfxSetInterfaceLanguage(0x0409);
                      CProbeSoftwarePanel& p = Panel(d);
                      PrerequisiteItem& item = g_prerequisites[0];
                      for (const Case& c : cases)
                      {
                          SCOPED_TRACE(testing::Message()
                                       << "result " << c.nResult << ", description " << c.nDescriptionId
                                       << ", alt " << c.nAltDescriptionId);
                          item.pfnTest = FakeTest;
                          item.nDescriptionId = c.nDescriptionId;
                          item.nAltDescriptionId = c.nAltDescriptionId;
                          ::lstrcpyW(item.szText, L"left over");
                          g_nFakeResult = c.nResult;
                          g_nFakeCalls = 0;
                          p.SendMessage(WM_REFRESH_STATUS);
                          EXPECT_EQ(1, g_nFakeCalls);
                          EXPECT_EQ(260, g_nFakeCapacity);
                          EXPECT_EQ(L"", g_strFakeSawText) << "the buffer is cleared before the test";
                          EXPECT_EQ(c.nStored, item.nStatus);
                          EXPECT_EQ(std::wstring(c.pszWord), p.StatusWord());
                          EXPECT_EQ(c.nLed, p.Row().m_led.GetState());
                          EXPECT_EQ(L"Fake Windows, 1.0 ", p.StatusTip().value_or(L"none"));
                      }
                  }});
}

TEST_F(SoftwarePanel, ExpandsCollapsesAndRefreshCollapses)
{
    RunLaunchpad(MakeSystem(10, 0, true, true, L"19045"),
                 {[](CSteppedMainDlg& d) { d.Click(IDC_NAV_SOFTWARE); },
                  [](CSteppedMainDlg& d)
                  {
                      CProbeSoftwarePanel& p = Panel(d);
                      EXPECT_EQ(0, p.m_nExpandedId);
                      EXPECT_EQ(nullptr, p.m_stcDetail.m_hWnd);
                      p.Click(kExpandId);
                      EXPECT_EQ(kExpandId, p.m_nExpandedId);
                      EXPECT_TRUE(p.Row().m_btnExpand.GetChecked());
                      EXPECT_TRUE(g_prerequisites[0].bExpanded);
                      EXPECT_NE(nullptr, p.m_stcDetail.m_hWnd);
                      EXPECT_NE(nullptr, p.m_btnInternet.m_hWnd);
                      // The same button again: collapsed, nothing of the detail area left.
                      p.Click(kExpandId);
                      EXPECT_EQ(0, p.m_nExpandedId);
                      EXPECT_FALSE(p.Row().m_btnExpand.GetChecked());
                      EXPECT_FALSE(g_prerequisites[0].bExpanded);
                      EXPECT_EQ(nullptr, p.m_stcDetail.m_hWnd);
                      EXPECT_EQ(nullptr, p.m_btnInternet.m_hWnd);
                      EXPECT_EQ(nullptr, ::GetDlgItem(p.m_hWnd, 3001));

                      p.Click(kExpandId);
                      g_prerequisites[0].pfnTest = FakeTest;
                      g_nFakeResult = 4;
                      g_nFakeCalls = 0;
                      p.Click(1043); // Refresh: collapses now, evaluates when its message arrives
                      EXPECT_EQ(0, p.m_nExpandedId);
                      EXPECT_FALSE(p.Row().m_btnExpand.GetChecked());
                      EXPECT_EQ(nullptr, p.m_stcDetail.m_hWnd);
                      EXPECT_EQ(0, g_nFakeCalls);
                  },
                  [](CSteppedMainDlg& d)
                  {
                      CProbeSoftwarePanel& p = Panel(d);
                      EXPECT_EQ(1, g_nFakeCalls);
                      EXPECT_EQ(L"Not Installed", p.StatusWord());
                      EXPECT_EQ(4, g_prerequisites[0].nStatus);
                  }});
}

TEST_F(SoftwarePanel, AnUnsatisfiedSupportedItemOffersItsWebSiteBelowTheRow)
{
    RunLaunchpad(MakeSystem(10, 0, true, true, L"19045"), // Windows 10 x64
                 {[](CSteppedMainDlg& d)
                  {
                      AfxSetInterfaceLanguage(0x0409);
                      CProbeSoftwarePanel& p = Panel(d);
                      p.SendMessage(WM_REFRESH_STATUS); // the real test: satisfied
                      EXPECT_EQ(L"OK", p.StatusWord());
                      p.Click(kExpandId);
                      EXPECT_EQ(L"This prerequisite has been satisfied.", WindowText(p.m_stcDetail.m_hWnd));

                      // An evaluation with the area open leaves the explanation as it was.
                      g_prerequisites[0].pfnTest = FakeTest;
                      g_nFakeResult = 4;
                      p.SendMessage(WM_REFRESH_STATUS);
                      EXPECT_EQ(L"Not Installed", p.StatusWord());
                      EXPECT_EQ(L"This prerequisite has been satisfied.", WindowText(p.m_stcDetail.m_hWnd));
                      EXPECT_FALSE(p.m_btnInternet.GetStyle() & WS_VISIBLE);

                      // Closed and opened again, it shows the new state.
                      p.Click(kExpandId);
                      p.Click(kExpandId);
                      EXPECT_EQ(Text(595), WindowText(p.m_stcDetail.m_hWnd));
                      ASSERT_NE(nullptr, p.m_btnInternet.m_hWnd);
                      EXPECT_TRUE(p.m_btnInternet.GetStyle() & WS_VISIBLE);
                      EXPECT_EQ(Text(596), std::wstring(p.m_btnInternet.GetLinkTarget()));
                      EXPECT_FALSE(std::wstring(p.m_btnInternet.GetLinkTarget()).empty());
                      EXPECT_EQ(L"In&ternet", p.m_btnInternet.GetWindowText());

                      // Geometry: under the row's name down to 135 pixels below its top, text in the upper
                      // three quarters, the Internet button in the middle third of the lower part.
                      const RECT n = ClientRectIn(p.GetDlgItem(1046), p.m_hWnd);
                      const int q = (n.top + 135 - n.bottom) / 4;
                      const int w = (n.right - n.left) / 3;
                      EXPECT_TRUE(SameRect(RECT{n.left + 5, n.bottom + 5, n.right - 5, n.bottom + 3 * q},
                                           ClientRectIn(p.m_stcDetail.m_hWnd, p.m_hWnd)));
                      EXPECT_TRUE(
                          SameRect(RECT{n.left + w + 5, n.bottom + 3 * q, n.left + 2 * w - 5, n.top + 130},
                                   ClientRectIn(p.m_btnInternet.m_hWnd, p.m_hWnd)));
                      // The row itself stays on its place markers.
                      EXPECT_TRUE(SameRect(ClientRectIn(p.GetDlgItem(1044), p.m_hWnd),
                                           ClientRectIn(p.Row().m_btnExpand.m_hWnd, p.m_hWnd)));
                      EXPECT_TRUE(SameRect(ClientRectIn(p.GetDlgItem(1045), p.m_hWnd),
                                           ClientRectIn(p.Row().m_stcStatus.m_hWnd, p.m_hWnd)));
                  }});
}

TEST_F(SoftwarePanel, FontsScaleTheDialogFont)
{
    RunLaunchpad(MakeSystem(10, 0, true, true, L"19045"),
                 {[](CSteppedMainDlg& d)
                  {
                      CProbeSoftwarePanel& p = Panel(d);
                      auto logFont = [](HFONT hFont)
                      {
                          LOGFONTW lf{};
                          ::GetObjectW(hFont, sizeof lf, &lf);
                          return lf;
                      };
                      const LOGFONTW base = logFont(p.GetFont());
                      const LOGFONTW heading = logFont(
                          reinterpret_cast<HFONT>(::SendMessageW(p.GetDlgItem(1040), WM_GETFONT, 0, 0)));
                      const LOGFONTW item = logFont(p.Row().m_stcStatus.GetFont());
                      const LOGFONTW body = logFont(
                          reinterpret_cast<HFONT>(::SendMessageW(p.GetDlgItem(1041), WM_GETFONT, 0, 0)));
                      ASSERT_NE(0, base.lfHeight);
                      EXPECT_EQ(static_cast<LONG>(base.lfHeight * 1.75), heading.lfHeight);
                      EXPECT_EQ(static_cast<LONG>(base.lfHeight * 1.25), item.lfHeight);
                      EXPECT_EQ(base.lfHeight, body.lfHeight);
                      EXPECT_EQ(700, heading.lfWeight);
                      EXPECT_EQ(700, item.lfWeight);
                      EXPECT_EQ(400, body.lfWeight);
                      EXPECT_EQ(L'\0', heading.lfFaceName[0]);
                  }});
}
} // namespace
