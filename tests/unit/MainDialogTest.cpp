#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "FakeSystem.h"
#include "HovraLaunch.h"
#include "HighContrast.h"
#include "HovraLaunchDlg.h"
#include "Languages.h"

namespace
{
constexpr UINT WM_TEST_STEP = WM_USER + 70;

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

// The real main dialog with recording panels, driven by steps it posts to itself: each step is a
// function run on the user-interface thread.
class CTestMainDlg : public CHovraLaunchDlg
{
public:
    bool m_bInitialised = false;
    std::vector<std::function<void(CTestMainDlg&)>> m_steps;
    size_t m_nextStep = 0;

    CStyleButton& Button(UINT nId)
    {
        switch (nId)
        {
        case IDC_NAV_WELCOME:
            return m_btnWelcome;
        case IDC_NAV_SOFTWARE:
            return m_btnSoftware;
        case IDC_NAV_NETWORK:
            return m_btnNetwork;
        default:
            return m_btnInstall;
        }
    }
    UINT CurrentNavId() const { return m_nCurrentNavId; }
    void Click(UINT nId) { ::SendMessageW(GetDlgItem(static_cast<int>(nId)), BM_CLICK, 0, 0); }

protected:
    CStackPanel* CreatePanel(UINT nPanelId) override
    {
        if (nPanelId == IDD_SOFTWARE_PANEL || nPanelId == IDD_INSTALL_PANEL)
            return new CRefreshPanel(nPanelId, this);
        return CHovraLaunchDlg::CreatePanel(nPanelId);
    }
    BOOL OnInitDialog() override
    {
        const BOOL bResult = CHovraLaunchDlg::OnInitDialog();
        m_bInitialised = true;
        PostMessage(WM_TEST_STEP);
        return bResult;
    }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (m_nextStep < m_steps.size())
        {
            const auto step = m_steps[m_nextStep++]; // a step may add steps
            step(*this);
            PostMessage(WM_TEST_STEP);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestMainDlg, CHovraLaunchDlg)
ON_MESSAGE(WM_TEST_STEP, &CTestMainDlg::OnStep)
END_MESSAGE_MAP()

// Answers the question boxes this process shows, from another thread, as a user would: reads the
// message, notes whether Cancel is offered, presses OK or Cancel.
class QuestionAnswerer
{
public:
    explicit QuestionAnswerer(std::vector<UINT> answers) : m_answers(std::move(answers))
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~QuestionAnswerer()
    {
        m_bStop = true;
        m_thread.join();
    }
    std::vector<std::wstring> m_messages;
    std::vector<bool> m_cancelShown;

private:
    static HWND FindBox()
    {
        struct Search
        {
            HWND hBox = nullptr;
        } search;
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL
            {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hWnd, &pid);
                if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) &&
                    ::GetDlgItem(hWnd, IDC_QUESTION_TEXT))
                {
                    reinterpret_cast<Search*>(lParam)->hBox = hWnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.hBox;
    }
    void Run()
    {
        for (UINT answer : m_answers)
        {
            HWND hBox = nullptr;
            while (!m_bStop && (hBox = FindBox()) == nullptr)
                ::Sleep(20);
            if (m_bStop)
                return;
            wchar_t szText[1024] = L"";
            ::SendMessageW(::GetDlgItem(hBox, IDC_QUESTION_TEXT), WM_GETTEXT, 1024,
                           reinterpret_cast<LPARAM>(szText));
            m_messages.push_back(szText);
            m_cancelShown.push_back(::IsWindowVisible(::GetDlgItem(hBox, IDCANCEL)) != FALSE);
            ::PostMessageW(hBox, WM_COMMAND, answer, 0);
            while (!m_bStop && ::IsWindow(hBox) && ::IsWindowVisible(hBox))
                ::Sleep(20);
        }
    }
    std::vector<UINT> m_answers;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

FakeSystem MakeSystem(DWORD major, DWORD minor, bool admin)
{
    FakeSystem system;
    system.major = major;
    system.minor = minor;
    system.wow64 = true;
    system.registry[L"CurrentBuild"] = FakeSystem::Text(L"19045");
    system.registry[L"InstallationType"] = FakeSystem::Text(L"Client");
    // One group: Administrators, or Users. The SID lives in the fake's own buffer.
    system.tokenGroups = std::vector<BYTE>(sizeof(TOKEN_GROUPS) + SECURITY_MAX_SID_SIZE);
    BYTE* pBuffer = system.tokenGroups->data();
    auto* pGroups = reinterpret_cast<TOKEN_GROUPS*>(pBuffer);
    pGroups->GroupCount = 1;
    DWORD cbSid = SECURITY_MAX_SID_SIZE;
    PSID pSid = pBuffer + sizeof(TOKEN_GROUPS);
    ::CreateWellKnownSid(admin ? WinBuiltinAdministratorsSid : WinBuiltinUsersSid, nullptr, pSid, &cbSid);
    pGroups->Groups[0].Sid = pSid;
    pGroups->Groups[0].Attributes = SE_GROUP_ENABLED;
    return system;
}

std::wstring Text(UINT nId)
{
    std::wstring text;
    AfxLoadString(nId, text);
    return text;
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
    FakeSystem system = MakeSystem(3, 51, false);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    QuestionAnswerer answerer({IDCANCEL});
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bInitialised);
    EXPECT_EQ(std::vector<std::wstring>{Text(340)}, answerer.m_messages);
}

TEST_F(MainDialog, OkOnTheWarningGoesOnToTheAdministratorCheck)
{
    FakeSystem system = MakeSystem(3, 51, false);
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
    FakeSystem system = MakeSystem(11, 0, false); // a later Windows: the catch-all entry warns
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    dlg.m_steps = {[](CTestMainDlg& d)
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
    FakeSystem system = MakeSystem(10, 0, true);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    std::vector<std::vector<std::wstring>> refreshesPerStep;
    std::vector<UINT> checked;
    auto record = [&](CTestMainDlg& d)
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
        return [id](CTestMainDlg& d)
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
                   [](CTestMainDlg& d) { d.SendMessage(WM_PROCESS_ENDED); },
                   record,
                   [](CTestMainDlg& d) { d.SendMessage(WM_COMMAND, IDOK); }, // Enter does nothing
                   [](CTestMainDlg& d)
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

TEST_F(MainDialog, AWaitedProgramRefreshesThePanelsWhenItEnds)
{
    FakeSystem system = MakeSystem(10, 0, true);
    FakeSystemScope scope(system);
    CTestMainDlg dlg;
    bool bStarted = false, bSecondAccepted = false;
    DWORD dwDeadline = 0;
    // The sample setup program of the build: a window-less program that records its command line
    // and ends at once.
    wchar_t szSelf[MAX_PATH];
    const std::wstring self(szSelf, ::GetModuleFileNameW(nullptr, szSelf, MAX_PATH));
    const std::wstring program = self.substr(0, self.find_last_of(L'\\')) + L"\\..\\tools\\setup.exe";
    wchar_t szTemp[MAX_PATH];
    const std::wstring record =
        std::wstring(szTemp, ::GetTempPathW(MAX_PATH, szTemp)) + L"hovra-wait-test.txt";
    ::SetEnvironmentVariableW(L"HOVRA_SETUP_RECORD", record.c_str());
    // Repeats itself until both refreshes arrived (or 15 s passed), then closes the launchpad.
    std::function<void(CTestMainDlg&)> exitWhenDone = [&](CTestMainDlg& d)
    {
        if (g_refreshes.size() < 2 && ::GetTickCount() < dwDeadline)
            d.m_steps.push_back(exitWhenDone);
        else
            d.OnExit();
    };
    dlg.m_steps = {[&](CTestMainDlg& d)
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
    FakeSystem system = MakeSystem(10, 0, true);
    FakeSystemScope scope(system);
    for (bool bHighContrast : {false, true})
    {
        SetHighContrastProbe(bHighContrast ? +[] { return true; } : +[] { return false; });
        CTestMainDlg dlg;
        std::wstring strCaption;
        bool bCaptionVisible = false, bBandVisible = false;
        dlg.m_steps = {[&](CTestMainDlg& d)
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

TEST(DocumentationLanguage, FollowsTheFoldersOnTheMedia)
{
    struct Case
    {
        const char* name;
        std::vector<int> present;
        wchar_t interface;
        wchar_t documentation;
    };
    const std::vector<Case> cases = {
        {"InterfaceLanguagePresent", {0, 2}, L'G', L'G'},
        {"EnglishWhenOwnMissing", {0, 1}, L'G', L'A'},
        {"FirstPresentWithoutEnglish", {1, 11}, L'G', L'F'}, // only fr_fr and ru_ru
        {"OnlyFrenchOnFrench", {1}, L'F', L'F'},
        {"NothingPresent", {}, L'J', L'J'},
    };
    for (const Case& c : cases)
    {
        for (LanguageRow& row : LanguageTable)
            row.nPresent = 0;
        for (int i : c.present)
            LanguageTable[i].nPresent = 1;
        EXPECT_EQ(c.documentation, ChooseDocumentationLanguage(c.interface)) << c.name;
    }
    for (LanguageRow& row : LanguageTable)
        row.nPresent = 0;
}
} // namespace
