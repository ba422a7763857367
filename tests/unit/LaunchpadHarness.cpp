#include "LaunchpadHarness.h"

namespace
{
constexpr UINT WM_TEST_STEP = WM_USER + 70;

BOOL CALLBACK MatchQuestionBox(HWND hWnd, LPARAM lParam)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, IDC_QUESTION_TEXT))
    {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND FindQuestionBox()
{
    HWND hFound = nullptr;
    ::EnumWindows(&MatchQuestionBox, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

std::wstring Text(UINT nId)
{
    std::wstring text;
    AfxLoadString(nId, text);
    return text;
}

std::wstring SampleSetupProgram()
{
    wchar_t szSelf[MAX_PATH];
    const std::wstring self(szSelf, ::GetModuleFileNameW(nullptr, szSelf, MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\')) + L"\\..\\tools\\sample_setup.exe";
}

std::wstring WindowText(HWND hWnd)
{
    const int nLength = ::GetWindowTextLengthW(hWnd);
    std::wstring text(static_cast<size_t>(nLength) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, text.data(), nLength + 1)));
    return text;
}

std::optional<std::wstring> ToolText(CToolTipCtrl& tooltip, CWnd* pWnd, UINT_PTR nIdTool, RECT* pRect)
{
    if (tooltip.m_hWnd == nullptr || !tooltip.HasTool(pWnd, nIdTool))
        return std::nullopt;
    wchar_t sz[300] = L"";
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIdTool;
    ti.lpszText = sz;
    tooltip.SendMessage(TTM_GETTEXTW, 300, reinterpret_cast<LPARAM>(&ti));
    if (pRect != nullptr)
    {
        ti.lpszText = nullptr;
        tooltip.SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
        *pRect = ti.rect;
    }
    return std::wstring(sz);
}

FakeSystem MakeSystem(DWORD major, DWORD minor, bool wow64, bool admin, const wchar_t* pszBuild)
{
    FakeSystem system;
    system.major = major;
    system.minor = minor;
    system.wow64 = wow64;
    if (pszBuild != nullptr)
    {
        system.registry[L"CurrentBuild"] = FakeSystem::Text(pszBuild);
        system.registry[L"InstallationType"] = FakeSystem::Text(L"Client");
    }
    // One group, Administrators or Users; the SID lives in the fake's own buffer.
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

// ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSteppedMainDlg, CHovraLaunchDlg)
ON_MESSAGE(WM_TEST_STEP, &CSteppedMainDlg::OnStep)
END_MESSAGE_MAP()

void CSteppedMainDlg::ChooseLanguages(LANGID interfaceLanguage, wchar_t chDocumentation)
{
    AfxSetInterfaceLanguage(interfaceLanguage);
    m_chLanguage = chDocumentation;
    if (m_chLanguage == L'Z')
        m_nFontWeight = 400;
}

CStyleButton& CSteppedMainDlg::Button(UINT nId)
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

CStackPanel* CSteppedMainDlg::CreatePanel(UINT nPanelId)
{
    if (m_makePanel)
        if (CStackPanel* pPanel = m_makePanel(nPanelId, this))
            return pPanel;
    return CHovraLaunchDlg::CreatePanel(nPanelId);
}

BOOL CSteppedMainDlg::OnInitDialog()
{
    const BOOL bResult = CHovraLaunchDlg::OnInitDialog();
    m_bInitialised = true;
    PostMessage(WM_TEST_STEP);
    return bResult;
}

LRESULT CSteppedMainDlg::OnStep(WPARAM, LPARAM)
{
    if (m_nextStep < m_steps.size())
    {
        const Step step = m_steps[m_nextStep++]; // a step may add steps
        step(*this);
        PostMessage(WM_TEST_STEP);
    }
    else if (m_bExitAfterSteps)
    {
        OnExit();
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

QuestionAnswerer::QuestionAnswerer(std::vector<UINT> answers, UINT thenAnswer)
    : m_answers(std::move(answers)), m_thenAnswer(thenAnswer)
{
    m_thread = std::thread([this] { Run(); });
}

std::vector<std::wstring> QuestionAnswerer::Stop()
{
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
    return m_messages;
}

void QuestionAnswerer::Run()
{
    for (size_t i = 0; !m_bStop; ++i)
    {
        const UINT answer = i < m_answers.size() ? m_answers[i] : m_thenAnswer;
        if (answer == 0)
            return;
        HWND hBox = nullptr;
        while (!m_bStop && (hBox = FindQuestionBox()) == nullptr)
            ::Sleep(20);
        if (m_bStop)
            return;
        m_messages.push_back(WindowText(::GetDlgItem(hBox, IDC_QUESTION_TEXT)));
        m_cancelShown.push_back(::IsWindowVisible(::GetDlgItem(hBox, IDCANCEL)) != FALSE);
        ::PostMessageW(hBox, WM_COMMAND, answer, 0);
        while (!m_bStop && ::IsWindow(hBox) && ::IsWindowVisible(hBox))
            ::Sleep(20);
    }
}
