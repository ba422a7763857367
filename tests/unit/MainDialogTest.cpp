#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HovraLaunch.h"
#include "HighContrast.h"
#include "HovraLaunchDlg.h"
#include "LaunchpadHarness.h"

namespace
{
std::vector<std::wstring> g_refreshes;

// Stands in for the software and installation panels: writes down each refresh it receives.
class CRefreshPanel : public CStackPanel
{
public:
    CRefreshPanel(UINT nId, CWnd* pParent) : CStackPanel(nId, pParent) {}

protected:
    LRESULT OnRefresh(WPARAM, LPARAM)
    {
        g_refreshes.push_back(L"refresh " + std::to_wstring(GetTemplateId()));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefreshPanel, CStackPanel)
ON_MESSAGE(WM_REFRESH_STATUS, &CRefreshPanel::OnRefresh)
END_MESSAGE_MAP()

// The real main dialog with recording panels in place of the software and installation panels;
// it stays open when its steps are done.
class CTestMainDlg : public CSteppedMainDlg
{
public:
    CTestMainDlg()
    {
        m_bExitAfterSteps = false;
        m_makePanel = [](UINT nPanelId, CSteppedMainDlg* pParent) -> CStackPanel*
        {
            if (nPanelId == IDD_SOFTWARE_PANEL || nPanelId == IDD_INSTALL_PANEL)
                return new CRefreshPanel(nPanelId, pParent);
            return nullptr;
        };
    }
};

// Windows major.minor, 64-bit, with or without the Administrators group.
FakeSystem MakeAdminSystem(DWORD major, DWORD minor, bool admin)
{
    return MakeSystem(major, minor, true, admin);
}

// Makes the sample setup program record its command line in this temporary file; its path.
std::wstring RecordTo(const wchar_t* pszName)
{
    wchar_t szTemp[MAX_PATH];
    const std::wstring record = std::wstring(szTemp, ::GetTempPathW(MAX_PATH, szTemp)) + pszName;
    ::SetEnvironmentVariableW(L"HOVRA_SETUP_RECORD", record.c_str());
    return record;
}

class MainDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = g_prerequisites[0];
        g_refreshes.clear();
    }
    void TearDown() override
    {
        g_prerequisites[0] = m_saved;
        AfxSetInterfaceLanguage(0x0409);
    }
    PrerequisiteItem m_saved{};
};

TEST_F(MainDialog, CancelOnTheUnsupportedSystemWarningEndsBeforeAnyWindowAndSkipsTheAdministratorCheck)
{
    FakeSystem system = MakeAdminSystem(3, 51, false);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    QuestionAnswerer answerer({IDCANCEL});
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bInitialised);
    EXPECT_EQ(std::vector<std::wstring>{Text(340)}, answerer.m_messages);
}

TEST_F(MainDialog, OkOnTheWarningGoesOnToTheAdministratorCheck)
{
    FakeSystem system = MakeAdminSystem(3, 51, false);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    QuestionAnswerer answerer({IDOK, IDCANCEL});
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bInitialised);
    EXPECT_EQ((std::vector<std::wstring>{Text(340), Text(341)}), answerer.m_messages);
    EXPECT_EQ((std::vector<bool>{true, true}), answerer.m_cancelShown);
}

TEST_F(MainDialog, OkOnBothWarningsOpensTheWindow)
{
    FakeSystem system = MakeAdminSystem(11, 0, false); // a later Windows: the catch-all entry warns
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    dlg.m_steps = {[](CSteppedMainDlg& d)
                   {
                       d.OnExit();
                   }};
    QuestionAnswerer answerer({IDOK, IDOK});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(dlg.m_bInitialised);
    EXPECT_EQ(2u, answerer.m_messages.size());
}

TEST_F(MainDialog, NavigationSwitchesPanelsAndPostsRefreshesInOrder)
{
    FakeSystem system = MakeAdminSystem(10, 0, true);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    std::vector<std::vector<std::wstring>> refreshesPerStep;
    std::vector<UINT> checked;
    auto record = [&](CSteppedMainDlg& d)
    {
        refreshesPerStep.push_back(g_refreshes);
        g_refreshes.clear();
        for (UINT id : {IDC_NAV_WELCOME, IDC_NAV_SOFTWARE, IDC_NAV_NETWORK, IDC_NAV_INSTALL})
            if (d.Button(id).GetChecked())
                checked.push_back(id);
        checked.push_back(0);
    };
    auto click = [](UINT id)
    {
        return [id](CSteppedMainDlg& d)
        {
            d.Click(id);
        };
    };
    dlg.m_steps = {record, // after initialisation: welcome shown, nothing refreshed
                   click(IDC_NAV_SOFTWARE),
                   record,
                   click(IDC_NAV_INSTALL),
                   record,
                   click(IDC_NAV_INSTALL),
                   record, // the panel already shown: nothing
                   click(IDC_NAV_NETWORK),
                   record,
                   click(IDC_NAV_WELCOME),
                   record,
                   [](CSteppedMainDlg& d) { d.SendMessage(WM_PROCESS_ENDED); },
                   record,
                   [](CSteppedMainDlg& d) { d.SendMessage(WM_COMMAND, IDOK); }, // Enter does nothing
                   [](CSteppedMainDlg& d)
                   {
                       PanelEntry* pWelcome = d.FindPanel(IDD_WELCOME_PANEL);
                       EXPECT_TRUE(pWelcome->m_bShown);
                       EXPECT_TRUE(pWelcome->m_pPanel->GetStyle() & WS_VISIBLE);
                       EXPECT_FALSE(d.FindPanel(IDD_INSTALL_PANEL)->m_pPanel->GetStyle() & WS_VISIBLE);
                       d.SendMessage(WM_COMMAND, IDCANCEL); // Escape
                   }};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    using R = std::vector<std::wstring>;
    const std::vector<R> expected = {R{},
                                     R{L"refresh 902"},
                                     R{L"refresh 902", L"refresh 905"},
                                     R{},
                                     R{},
                                     R{},
                                     R{L"refresh 902", L"refresh 905"}};
    EXPECT_EQ(expected, refreshesPerStep);
    // After each step exactly the button of the shown panel is checked.
    const std::vector<UINT> expectedChecked = {1000, 0, 1001, 0, 1004, 0, 1004, 0, 1002, 0, 1000, 0, 1000, 0};
    EXPECT_EQ(expectedChecked, checked);
}

// 1003 lies in the navigation range but has no button and no panel: a WM_COMMAND 1003, which any
// process can post, leaves the shown panel, the checked button and the refreshes as they were.
TEST_F(MainDialog, ACommandInTheNavigationRangeWithoutAButtonChangesNothing)
{
    FakeSystem system = MakeAdminSystem(10, 0, true);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    std::vector<std::wstring> states;
    auto record = [&](CSteppedMainDlg& d)
    {
        std::wstring state = L"nav " + std::to_wstring(d.CurrentNavId()) + L", shown";
        for (UINT nId : {IDD_WELCOME_PANEL, IDD_SOFTWARE_PANEL, IDD_NETWORK_PANEL, IDD_INSTALL_PANEL})
            if ((d.FindPanel(nId)->m_pPanel->GetStyle() & WS_VISIBLE) != 0)
                state += L" " + std::to_wstring(nId);
        state += L", checked";
        for (UINT nId : {IDC_NAV_WELCOME, IDC_NAV_SOFTWARE, IDC_NAV_NETWORK, IDC_NAV_INSTALL})
            if (d.Button(nId).GetChecked())
                state += L" " + std::to_wstring(nId);
        for (const std::wstring& refresh : g_refreshes)
            state += L", " + refresh;
        g_refreshes.clear();
        states.push_back(state);
    };
    auto post1003 = [](CSteppedMainDlg& d)
    {
        d.PostMessage(WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0);
    };
    dlg.m_steps = {record,
                   post1003,
                   record,
                   [](CSteppedMainDlg& d) { d.Click(IDC_NAV_SOFTWARE); },
                   record,
                   post1003,
                   record,
                   [](CSteppedMainDlg& d)
                   {
                       d.OnExit();
                   }};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    const std::vector<std::wstring> expected = {
        L"nav 1000, shown 901, checked 1000", L"nav 1000, shown 901, checked 1000",
        L"nav 1001, shown 902, checked 1001, refresh 902", L"nav 1001, shown 902, checked 1001"};
    EXPECT_EQ(expected, states);
}

// Writes down, each time the modal loop finds nothing to do, which panels exist and the network
// answer; ends the dialog once the launchpad has nothing more to build.
class CIdleWatchDlg : public CTestMainDlg
{
public:
    std::vector<std::wstring> m_seen;

protected:
    bool OnIdle() override
    {
        m_seen.push_back(Existing());
        const bool bMore = CTestMainDlg::OnIdle();
        if (!bMore)
        {
            m_seen.push_back(Existing());
            OnExit();
        }
        return bMore;
    }

private:
    std::wstring Existing()
    {
        std::wstring text = IsWindowVisible() ? L"shown" : L"hidden";
        for (UINT nId : {IDD_WELCOME_PANEL, IDD_SOFTWARE_PANEL, IDD_NETWORK_PANEL, IDD_INSTALL_PANEL})
            if (CStackDialog::FindPanel(nId) != nullptr) // looks without building anything
                text += L" " + std::to_wstring(nId);
        return text + L", answer " + std::to_wstring(m_nNetworkAnswer);
    }
};

TEST_F(MainDialog, HiddenPanelsAreBuiltInTheirOrderOnceTheWindowIsShown)
{
    FakeSystem system = MakeAdminSystem(10, 0, true);
    FakeSystemScope scope(system);
    CIdleWatchDlg dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    // One panel per idle moment, so that input is never held up by all of them; the network
    // panel stores its first answer (1103, Don't know) when it is built.
    const std::vector<std::wstring> expected = {
        L"shown 901, answer 0", L"shown 901 902, answer 0", L"shown 901 902 903, answer 1103",
        L"shown 901 902 903 905, answer 1103", L"shown 901 902 903 905, answer 1103"};
    EXPECT_EQ(expected, dlg.m_seen);
}

TEST_F(MainDialog, APanelNeededBeforeTheWindowIsIdleIsBuiltWithAllBeforeIt)
{
    FakeSystem system = MakeAdminSystem(10, 0, true);
    FakeSystemScope scope(system);
    CTestMainDlg dlg; // its steps keep the queue busy: the loop is never idle
    std::vector<bool> built;
    auto look = [&](CSteppedMainDlg& d)
    {
        for (UINT nId : {IDD_WELCOME_PANEL, IDD_SOFTWARE_PANEL, IDD_NETWORK_PANEL, IDD_INSTALL_PANEL})
            built.push_back(d.CStackDialog::FindPanel(nId) != nullptr);
    };
    dlg.m_steps = {look, [](CSteppedMainDlg& d) { d.Click(IDC_NAV_NETWORK); }, look,
                   [](CSteppedMainDlg& d)
                   {
                       EXPECT_TRUE(d.CStackDialog::FindPanel(IDD_NETWORK_PANEL)->m_bShown);
                       EXPECT_EQ(1103, d.m_nNetworkAnswer);
                       d.OnExit();
                   }};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ((std::vector<bool>{true, false, false, false, true, true, true, true}), built);
}

TEST_F(MainDialog, AWaitedProgramRefreshesThePanelsWhenItEnds)
{
    FakeSystem system = MakeAdminSystem(10, 0, true);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    bool bStarted = false, bSecondAccepted = false;
    DWORD dwDeadline = 0;
    const std::wstring program = SampleSetupProgram();
    const std::wstring record = RecordTo(L"hovra-wait-test.txt");
    // Repeats itself until both refreshes arrived (or 15 s passed), then closes the launchpad.
    CSteppedMainDlg::Step exitWhenDone = [&](CSteppedMainDlg& d)
    {
        if (g_refreshes.size() < 2 && ::GetTickCount() < dwDeadline)
            d.m_steps.push_back(exitWhenDone);
        else
            d.OnExit();
    };
    dlg.m_steps = {[&](CSteppedMainDlg& d)
                   {
                       g_refreshes.clear();
                       dwDeadline = ::GetTickCount() + 15000;
                       bStarted = d.LaunchFile(program, false, true, L"waited");
                       // While it is watched, another waiting launch starts nothing but succeeds.
                       bSecondAccepted = d.LaunchFile(L"C:\\no\\such\\program.exe", false, true, nullptr);
                   },
                   exitWhenDone};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bStarted);
    EXPECT_TRUE(bSecondAccepted);
    EXPECT_EQ((std::vector<std::wstring>{L"refresh 902", L"refresh 905"}), g_refreshes);
    ::SetEnvironmentVariableW(L"HOVRA_SETUP_RECORD", nullptr);
    EXPECT_TRUE(::DeleteFileW(record.c_str())); // the program really ran
}

TEST_F(MainDialog, HighContrastShowsTheTitleTextInsteadOfTheBanner)
{
    FakeSystem system = MakeAdminSystem(10, 0, true);
    FakeSystemScope scope(system);
    for (bool bHighContrast : {false, true})
    {
        SetHighContrastProbe(bHighContrast ? +[] { return true; } : +[] { return false; });
        CTestMainDlg dlg;
        std::wstring strCaption;
        bool bCaptionVisible = false, bBandVisible = false;
        dlg.m_steps = {[&](CSteppedMainDlg& d)
                       {
                           HWND hCaption = d.GetDlgItem(IDC_HEADER_CAPTION);
                           bCaptionVisible = (::GetWindowLongPtrW(hCaption, GWL_STYLE) & WS_VISIBLE) != 0;
                           bBandVisible = (::GetWindowLongPtrW(d.GetDlgItem(IDC_BANNER_BAND), GWL_STYLE) &
                                           WS_VISIBLE) != 0;
                           wchar_t szText[256] = L"";
                           ::GetWindowTextW(hCaption, szText, 256);
                           strCaption = szText;
                           d.OnExit();
                       }};
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(bHighContrast, dlg.m_bHighContrast != FALSE);
        EXPECT_EQ(bHighContrast, bCaptionVisible);
        EXPECT_FALSE(bBandVisible); // the band control only marks where the banner is painted
        EXPECT_EQ(bHighContrast ? Text(103) : std::wstring(L"Corvane ..."), strCaption);
    }
    SetHighContrastProbe(nullptr);
}

// The longest command line Windows starts is 32767 characters with its terminator: one that
// fits is carried whole, one character more is refused and starts nothing.
TEST_F(MainDialog, ACommandLineIsCarriedWholeOrRefused)
{
    const FakeSystem system = MakeAdminSystem(10, 0, true);
    FakeSystemScope scope(system);
    const std::wstring program = SampleSetupProgram();
    const std::wstring record = RecordTo(L"hovra-longest-command.txt");
    const size_t cchLongest = 32767 - 4 - program.size(); // "program" parameters, terminator
    struct Case
    {
        size_t cchParameters;
        bool bStarts;
    };
    for (const Case& c :
         {Case{20000, true}, Case{cchLongest, true}, Case{cchLongest + 1, false}, Case{40000, false}})
    {
        ::DeleteFileW(record.c_str());
        const std::wstring prefix = L"\"quoted \\\" text\" ";
        const std::wstring parameters = prefix + std::wstring(c.cchParameters - prefix.size(), L'P');
        CTestMainDlg dlg;
        bool bStarted = false;
        dlg.m_steps = {[&](CSteppedMainDlg& d)
                       {
                           bStarted = d.LaunchFile(program, false, true, parameters.c_str());
                           if (!bStarted)
                               d.OnExit();
                       },
                       [&](CSteppedMainDlg& d)
                       {
                           // Stays until the started program has ended and been noticed.
                           if (g_refreshes.size() < 2)
                               d.m_steps.push_back(d.m_steps.back());
                           else
                               d.OnExit();
                       }};
        g_refreshes.clear();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(c.bStarts, bStarted) << c.cchParameters;
        HANDLE hFile = ::CreateFileW(record.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(c.bStarts, hFile != INVALID_HANDLE_VALUE) << c.cchParameters;
        if (hFile != INVALID_HANDLE_VALUE)
        {
            // The program saw its whole command line: "program" parameters, as UTF-8.
            const DWORD cb = ::GetFileSize(hFile, nullptr);
            ::CloseHandle(hFile);
            EXPECT_EQ(program.size() + 3 + c.cchParameters, cb) << c.cchParameters;
        }
    }
    ::DeleteFileW(record.c_str());
    ::SetEnvironmentVariableW(L"HOVRA_SETUP_RECORD", nullptr);
}
} // namespace
