#include "hovra_stdafx.h"

#include "HovraLaunchDlg.h"

#include "FileDialog.h"
#include "HovraLaunch.h"
#include "InstallPanel.h"
#include "Languages.h"
#include "NetworkConfigPanel.h"
#include "QuestionDlg.h"
#include "Security.h"
#include "SoftwarePanel.h"
#include "WelcomePanel.h"

#include <cwchar>
#include <io.h>
#include <shellapi.h>
#include <thread>

namespace
{
constexpr UINT kMediaNameId = IDS_NAME_PRODUCT;
constexpr UINT kMediaPromptId = IDS_MEDIA_PROMPT_FORMAT;
constexpr UINT kUnsupportedOsId = IDS_UNSUPPORTED_OS;
constexpr UINT kNotAdministratorId = IDS_NOT_ADMINISTRATOR;
constexpr UINT kNoPdfViewerId = IDS_GUIDE_NO_VIEWER;
constexpr UINT kPdfErrorId = IDS_GUIDE_VIEW_ERROR;
constexpr size_t kMaxCommandLine = 32767; // characters, the terminator included
// The panels, in the order they are built and kept.
constexpr UINT kPanelIds[] = {IDD_WELCOME_PANEL, IDD_SOFTWARE_PANEL, IDD_NETWORK_PANEL, IDD_INSTALL_PANEL};

struct ButtonSetup
{
    UINT nId;
    UINT nTextId;
    UINT nTooltipId;
    StyleButtonPalette (*pfnPalette)(const ButtonColours& colours);
};

const ButtonSetup kButtons[] = {
    {IDC_NAV_WELCOME, IDS_NAV_WELCOME, IDS_TIP_WELCOME, &StyleButtonPalette::Navigation},
    {IDC_NAV_SOFTWARE, IDS_NAV_SOFTWARE, IDS_TIP_SOFTWARE_REQUIREMENTS, &StyleButtonPalette::Navigation},
    {IDC_NAV_NETWORK, IDS_NAV_NETWORK, IDS_TIP_NETWORK_CONFIGURATION, &StyleButtonPalette::Navigation},
    {IDC_NAV_INSTALL, IDS_NAV_INSTALL, IDS_TIP_INSTALLATION, &StyleButtonPalette::Navigation},
    {IDC_GUIDE, IDS_NAV_GUIDE, IDS_TIP_GUIDE, &StyleButtonPalette::Command},
    {IDC_RELEASE_NOTES, IDS_NAV_RELEASE_NOTES, IDS_TIP_RELEASE_NOTES, &StyleButtonPalette::Command},
    {IDC_EXIT, IDS_NAV_EXIT, IDS_TIP_EXIT, &StyleButtonPalette::Command},
};

// Lower-cases A to Z only, the way folder names are compared.
std::wstring LowerAscii(std::wstring text)
{
    for (wchar_t& ch : text)
        if (ch >= L'A' && ch <= L'Z')
            ch = static_cast<wchar_t>(ch - L'A' + L'a');
    return text;
}

// Waits for the watched program in short slices, then tells the dialog, if it is still there.
// The worker holds its own share of the record for as long as it runs, whatever the dialog does.
void WaitWorker(std::shared_ptr<WatchRecord> watch) // NOLINT(performance-unnecessary-value-param)
{
    HANDLE hProcess = watch->m_hProcess.load();
    while (::WaitForSingleObject(hProcess, 250) == WAIT_TIMEOUT)
    {
    }
    std::lock_guard<std::mutex> lock(watch->m_lock);
    ::CloseHandle(hProcess);
    watch->m_hProcess = nullptr; // a new waiting launch may start from here on
    if (watch->m_hNotifyWnd != nullptr)
        ::PostMessageW(watch->m_hNotifyWnd, WM_PROCESS_ENDED, 0, 0);
    watch->m_hNotifyWnd = nullptr;
}
} // namespace

BEGIN_MESSAGE_MAP(CHovraLaunchDlg, CStackDialog)
ON_MESSAGE(WM_CREATE, &CHovraLaunchDlg::OnCreate)
ON_MESSAGE_VOID(WM_DESTROY, &CHovraLaunchDlg::OnDestroy)
ON_MESSAGE(WM_PAINT, &CHovraLaunchDlg::OnPaint)
ON_MESSAGE(WM_QUERYDRAGICON, &CHovraLaunchDlg::OnQueryDragIcon)
ON_MESSAGE(WM_CONTEXTMENU, &CHovraLaunchDlg::OnContextMenu)
ON_COMMAND_RANGE(IDC_NAV_WELCOME, IDC_NAV_INSTALL, &CHovraLaunchDlg::OnNavigate)
ON_COMMAND(IDC_GUIDE, &CHovraLaunchDlg::OnInstallationGuide)
ON_COMMAND(IDC_RELEASE_NOTES, &CHovraLaunchDlg::OnReleaseNotes)
ON_COMMAND(IDC_EXIT, &CHovraLaunchDlg::OnExit)
ON_MESSAGE(WM_PROCESS_ENDED, &CHovraLaunchDlg::OnProcessEnded)
END_MESSAGE_MAP()

std::wstring ReadCurrentDirectory()
{
    std::wstring directory;
    for (DWORD cch = MAX_PATH;;)
    {
        directory.assign(cch, L'\0');
        const DWORD n = ::GetCurrentDirectoryW(cch, directory.data());
        if (n == 0)
            return {};
        if (n < cch)
        {
            directory.resize(n);
            return directory;
        }
        cch = n; // too small: n is the size needed, with the terminator
    }
}

wchar_t ChooseDocumentationLanguage(wchar_t chInterface)
{
    const int nRow = FindLanguageRowByCode(chInterface);
    if (nRow >= 0 && LanguageTable[nRow].nPresent)
        return chInterface;
    if (LanguageTable[0].nPresent)
        return LanguageTable[0].chCode;
    for (const LanguageRow& row : LanguageTable)
        if (row.nPresent)
            return row.chCode;
    return chInterface;
}

CHovraLaunchDlg::CHovraLaunchDlg(CWnd* pParent)
    : CStackDialog(IDC_PANEL_PLACEHOLDER, IDD_HOVRALAUNCH_DIALOG, pParent),
      m_strMediaRoot(ReadCurrentDirectory()), m_chLanguage(LanguageTable[0].chCode),
      m_clrWindow(::GetSysColor(COLOR_WINDOW)), m_clrWindowText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_buttonColours(ButtonColours::FromSystem()),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_watch(std::make_shared<WatchRecord>())
{
    if (!m_bHighContrast)
    {
        SetBitmap(IDB_BANNER, IDC_BANNER_BAND);
        SetBackgroundColor(m_clrWindow);
    }
    ScanDocumentationFolders();
    m_chLanguage = ChooseDocumentationLanguage(SelectInterfaceLanguage());
    if (m_chLanguage == L'Z')
        m_nFontWeight = 400;
}

CHovraLaunchDlg::~CHovraLaunchDlg()
{
    std::lock_guard<std::mutex> lock(m_watch->m_lock);
    m_watch->m_hNotifyWnd = nullptr;
}

void CHovraLaunchDlg::ScanDocumentationFolders()
{
    WIN32_FIND_DATAW data{};
    // Every language folder is named like "en_us": asking only for such names keeps the scan
    // short however much else the folder holds. The names found are still checked one by one.
    const std::wstring pattern = m_strMediaRoot + L"\\Readmes\\??_??";
    HANDLE hFind = ::FindFirstFileW(AfxExtendedPath(pattern).c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
            continue;
        const std::wstring lower = LowerAscii(name);
        for (LanguageRow& row : LanguageTable)
        {
            if (lower == LowerAscii(row.szFolder))
            {
                row.nPresent = 1;
                break;
            }
        }
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
}

CStackPanel* CHovraLaunchDlg::CreatePanel(UINT nPanelId)
{
    switch (nPanelId)
    {
    case IDD_WELCOME_PANEL:
        return new CWelcomePanel(this);
    case IDD_SOFTWARE_PANEL:
        return new CSoftwarePanel(this);
    case IDD_NETWORK_PANEL:
        return new CNetworkConfigPanel(this);
    case IDD_INSTALL_PANEL:
        return new CInstallPanel(this);
    default:
        return nullptr;
    }
}

void CHovraLaunchDlg::DoDataExchange(CDataExchange* pDX)
{
    CStackDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NAV_WELCOME, m_btnWelcome);
    DDX_Control(pDX, IDC_NAV_SOFTWARE, m_btnSoftware);
    DDX_Control(pDX, IDC_NAV_NETWORK, m_btnNetwork);
    DDX_Control(pDX, IDC_NAV_INSTALL, m_btnInstall);
    DDX_Control(pDX, IDC_EXIT, m_btnExit);
    DDX_Control(pDX, IDC_RELEASE_NOTES, m_btnReleaseNotes);
    DDX_Control(pDX, IDC_GUIDE, m_btnGuide);
}

CStyleButton* CHovraLaunchDlg::NavButton(UINT nId)
{
    switch (nId)
    {
    case IDC_NAV_WELCOME:
        return &m_btnWelcome;
    case IDC_NAV_SOFTWARE:
        return &m_btnSoftware;
    case IDC_NAV_NETWORK:
        return &m_btnNetwork;
    case IDC_NAV_INSTALL:
        return &m_btnInstall;
    case IDC_GUIDE:
        return &m_btnGuide;
    case IDC_RELEASE_NOTES:
        return &m_btnReleaseNotes;
    case IDC_EXIT:
        return &m_btnExit;
    default:
        return nullptr;
    }
}

LRESULT CHovraLaunchDlg::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    if (!SelectCurrentOs() && !AskQuestion(kUnsupportedOsId))
        return -1;
    if (!CSecurity().IsAdministrator() && !AskQuestion(kNotAdministratorId))
        return -1;
    return 0;
}

bool CHovraLaunchDlg::AskQuestion(UINT nTextId, INT32 nButtons)
{
    return AskQuestion(AfxLoadText(nTextId), nButtons);
}

bool CHovraLaunchDlg::AskQuestion(const std::wstring& strMessage, INT32 nButtons)
{
    CQuestionDlg dlg(this);
    dlg.SetMessage(strMessage);
    if (nButtons == 1)
        dlg.SetButtons(1);
    dlg.SetBackgroundColor(m_clrWindow);
    dlg.SetTransparentControls(TRUE);
    return dlg.DoModal() == IDOK;
}

void CHovraLaunchDlg::SetupButtons()
{
    for (const ButtonSetup& setup : kButtons)
    {
        CStyleButton* pButton = NavButton(setup.nId);
        pButton->SetUpClickable(setup.pfnPalette(m_buttonColours), setup.nTooltipId);
        pButton->SetWindowText(AfxLoadText(setup.nTextId));
        pButton->SetFont(m_fontNormal, TRUE);
    }
}

BOOL CHovraLaunchDlg::OnInitDialog()
{
    // A system menu and a minimise box; never maximised.
    ModifyStyle(WS_POPUP | WS_MAXIMIZEBOX, WS_SYSMENU | WS_MINIMIZEBOX);
    CStackDialog::OnInitDialog();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_fontTitle.CreateDerived(GetFont(), 2.0, m_nFontWeight);
    m_fontNormal.CreateDerived(GetFont(), 1.0, FW_NORMAL);

    const std::wstring strTitle = AfxLoadText(IDS_MAIN_TITLE);
    SetWindowText(strTitle);
    if (m_bHighContrast)
    {
        HWND hCaption = GetDlgItem(IDC_HEADER_CAPTION);
        ::SetWindowTextW(hCaption, strTitle.c_str());
        ::SendMessageW(hCaption, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.GetSafeHandle()), TRUE);
        ::ShowWindow(hCaption, SW_SHOW);
        ::ShowWindow(GetDlgItem(IDC_BANNER_BAND), SW_HIDE);
    }

    SetupButtons();

    // The welcome panel is the one shown; the others follow as soon as the window is on screen
    // (OnIdle), or at once when something needs one of them first.
    BuildNextPanel();
    ShowPanel(IDD_WELCOME_PANEL);

    if (m_nCurrentNavId != IDC_NAV_WELCOME && m_nCurrentNavId != 0)
        NavButton(m_nCurrentNavId)->SetChecked(0, TRUE);
    m_btnWelcome.SetChecked(1, TRUE);
    m_nCurrentNavId = IDC_NAV_WELCOME;
    return TRUE;
}

bool CHovraLaunchDlg::BuildNextPanel()
{
    if (m_hWnd == nullptr)
        return false; // never after the window is gone
    for (UINT nPanelId : kPanelIds)
    {
        if (CStackDialog::FindPanel(nPanelId) != nullptr)
            continue;
        CStackPanel* pPanel = AddPanel(nPanelId)->m_pPanel;
        pPanel->SetFrameStyle(0);
        pPanel->SetTransparentControls(TRUE);
        pPanel->SetBackgroundColor(m_clrWindow);
        return true;
    }
    return false;
}

void CHovraLaunchDlg::BuildAllPanels()
{
    while (BuildNextPanel())
    {
    }
}

bool CHovraLaunchDlg::OnIdle()
{
    // One panel at a time, so that input that comes meanwhile is not held up by all of them.
    return BuildNextPanel();
}

PanelEntry* CHovraLaunchDlg::FindPanel(UINT nPanelId)
{
    BuildAllPanels();
    return CStackDialog::FindPanel(nPanelId);
}

void CHovraLaunchDlg::OnOK()
{
    // Enter does nothing on the launchpad.
}

void CHovraLaunchDlg::OnExit()
{
    OnCancel();
}

LRESULT CHovraLaunchDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
    {
        const UINT nId = LOWORD(wParam);
        if (nId == SC_CLOSE)
        {
            OnCancel();
            return 0;
        }
        if (nId >= 0xF000)
        {
            // A system command chosen from the context menu.
            PostMessage(WM_SYSCOMMAND, wParam, lParam);
            return 0;
        }
    }
    return CStackDialog::WindowProc(message, wParam, lParam);
}

void CHovraLaunchDlg::OnDestroy()
{
    {
        std::lock_guard<std::mutex> lock(m_watch->m_lock);
        m_watch->m_hNotifyWnd = nullptr; // the worker must not post to a window that is gone
    }
    CStackDialog::OnDestroy();
    m_fontTitle.DeleteObject();
    m_fontNormal.DeleteObject();
}

LRESULT CHovraLaunchDlg::OnPaint(WPARAM, LPARAM)
{
    if (!::IsIconic(m_hWnd))
        return Default();
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT rc{};
    GetClientRect(&rc);
    const int x = (rc.right - rc.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    return 0;
}

LRESULT CHovraLaunchDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT CHovraLaunchDlg::OnContextMenu(WPARAM, LPARAM lParam)
{
    HMENU hMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hMenu != nullptr)
    {
        if (!::IsIconic(m_hWnd))
        {
            for (UINT nPosition : {0u, 2u, 4u})
                ::EnableMenuItem(hMenu, nPosition, MF_BYPOSITION | MF_GRAYED);
            for (UINT nPosition : {1u, 3u})
                ::EnableMenuItem(hMenu, nPosition, MF_BYPOSITION | MF_ENABLED);
            ::SetMenuDefaultItem(hMenu, 6, TRUE);
        }
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pt.x == -1 && pt.y == -1) // from the keyboard: at the pointer all the same
            ::GetCursorPos(&pt);
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    }
    return Default();
}

void CHovraLaunchDlg::OnNavigate(UINT nId)
{
    if (NavButton(nId) == nullptr)
        return; // 1003: in the range, but no button and no panel
    if (nId != m_nCurrentNavId)
    {
        BuildAllPanels();
        ShowPanel(nId - 99);
        if (m_nCurrentNavId != 0)
            NavButton(m_nCurrentNavId)->SetChecked(0, TRUE);
    }
    NavButton(nId)->SetChecked(1, TRUE);
    m_nCurrentNavId = nId;
}

void CHovraLaunchDlg::PostRefresh(UINT nPanelId)
{
    PanelEntry* pEntry = FindPanel(nPanelId);
    if (pEntry != nullptr && pEntry->m_pPanel != nullptr)
        pEntry->m_pPanel->PostMessage(WM_REFRESH_STATUS, 0, 0);
}

void CHovraLaunchDlg::OnPanelChanged(UINT nPanelId, bool bShown)
{
    if (!bShown)
        return;
    if (nPanelId == IDD_SOFTWARE_PANEL)
    {
        PostRefresh(IDD_SOFTWARE_PANEL);
    }
    else if (nPanelId == IDD_INSTALL_PANEL)
    {
        PostRefresh(IDD_SOFTWARE_PANEL);
        PostRefresh(IDD_INSTALL_PANEL);
    }
}

LRESULT CHovraLaunchDlg::OnProcessEnded(WPARAM, LPARAM)
{
    PostRefresh(IDD_SOFTWARE_PANEL);
    PostRefresh(IDD_INSTALL_PANEL);
    return 0;
}

const wchar_t* CHovraLaunchDlg::DocumentationFolder() const
{
    const int nRow = FindLanguageRowByCode(m_chLanguage);
    return LanguageTable[nRow >= 0 ? nRow : 0].szFolder;
}

std::wstring CHovraLaunchDlg::GuidePath() const
{
    return m_strMediaRoot + L"\\" + L"docs" + L"\\" + L"help" + L"\\" + DocumentationFolder() + L"\\" +
           L"pdf\\velto_qsg.pdf";
}

std::wstring CHovraLaunchDlg::ReleaseNotesPath() const
{
    return m_strMediaRoot + L"\\" + L"Readmes" + L"\\" + L"Readme_" + DocumentationFolder() + L".TXT";
}

bool CHovraLaunchDlg::EnsureFileOnMedia(std::wstring& strPath, UINT nNameId)
{
    if (_waccess(AfxExtendedPath(strPath).c_str(), 4) == 0)
        return true;

    static const struct
    {
        const wchar_t* pszEnding;
        UINT nFilterId;
    } kFilters[] = {{L".exe", IDS_FILTER_EXECUTABLE},
                    {L".msi", IDS_FILTER_MSI},
                    {L"html", IDS_FILTER_HTML},
                    {L".mst", IDS_FILTER_TRANSFORM},
                    {L".pdf", IDS_FILTER_PDF}};
    UINT nFilterId = IDS_FILTER_ALL;
    for (const auto& filter : kFilters)
        if (strPath.size() >= 4 && strPath.compare(strPath.size() - 4, 4, filter.pszEnding) == 0)
            nFilterId = filter.nFilterId;

    if (!AskQuestion(AfxFormatString(kMediaPromptId, {AfxLoadText(nNameId)})))
        return false;

    CFileDialog dlg(strPath, AfxLoadText(nFilterId), OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                    this);
    if (dlg.DoModal() != IDOK)
        return false;
    strPath = dlg.GetPathName();
    return true;
}

bool CHovraLaunchDlg::EnsureMediaFile(std::wstring& strPath)
{
    return EnsureFileOnMedia(strPath, kMediaNameId);
}

bool CHovraLaunchDlg::LaunchFile(const std::wstring& strPath, bool bMaximise, bool bWait,
                                 const wchar_t* pszParameters)
{
    if (bWait && m_watch->m_hProcess.load() != nullptr)
        return true; // one program at a time is waited for

    // The shell starts a program with the command line "program" parameters, which Windows limits
    // to 32767 characters with its terminator; a longer one would be cut, and a different command
    // started. It is refused instead.
    const size_t cchParameters = pszParameters != nullptr ? std::wcslen(pszParameters) : 0;
    if (strPath.size() + cchParameters + 4 > kMaxCommandLine)
    {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }

    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_FLAG_NO_UI | (bWait ? SEE_MASK_NOCLOSEPROCESS : 0);
    sei.lpVerb = L"open";
    sei.lpFile = strPath.c_str();
    sei.lpParameters = pszParameters;
    sei.nShow = bMaximise ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    const bool bStarted = AfxShellExecuteEx(&sei) != FALSE;
    if (bStarted && bWait && sei.hProcess != nullptr)
    {
        {
            std::lock_guard<std::mutex> lock(m_watch->m_lock);
            m_watch->m_hNotifyWnd = m_hWnd;
            m_watch->m_hProcess = sei.hProcess;
        }
        try
        {
            std::thread(WaitWorker, m_watch).detach();
        }
        catch (const std::system_error&)
        {
            std::lock_guard<std::mutex> lock(m_watch->m_lock);
            ::CloseHandle(sei.hProcess);
            m_watch->m_hProcess = nullptr;
            m_watch->m_hNotifyWnd = nullptr;
        }
    }
    return bStarted;
}

void CHovraLaunchDlg::OnInstallationGuide()
{
    std::wstring strPath = GuidePath();
    if (EnsureMediaFile(strPath))
    {
        SHELLEXECUTEINFOW sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = SEE_MASK_FLAG_NO_UI;
        sei.lpVerb = L"open";
        sei.lpFile = strPath.c_str();
        sei.nShow = SW_SHOWNORMAL;
        if (!AfxShellExecuteEx(&sei))
        {
            // Windows reports a missing association by the error, some shells only by hInstApp.
            const bool bNoAssociation = ::GetLastError() == ERROR_NO_ASSOCIATION ||
                                        reinterpret_cast<INT_PTR>(sei.hInstApp) == SE_ERR_NOASSOC;
            AskQuestion(bNoAssociation ? kNoPdfViewerId : kPdfErrorId, 1);
        }
    }
    Invalidate(TRUE);
}

void CHovraLaunchDlg::OnReleaseNotes()
{
    std::wstring strPath = ReleaseNotesPath();
    if (EnsureMediaFile(strPath))
        LaunchFile(strPath, false, false, nullptr); // a failure is not reported
    Invalidate(TRUE);
}
