#include "hovra_stdafx.h"

#include "InstallPanel.h"

#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "InstallerCommandLine.h"
#include "Languages.h"
#include "StatusRules.h"

namespace
{
constexpr int kHeadingId = 1070;
constexpr int kLaunchId = 1072;
constexpr int kNetworkIconId = 1078;
constexpr int kNetworkTextId = 1079;
constexpr int kSoftwareTextId = 1080;
constexpr int kSoftwareIconId = 1081;
constexpr int kLanguageListId = 1076;

constexpr UINT kLaunchTooltipId = IDS_TIP_LAUNCH_INSTALLER;

} // namespace

BEGIN_MESSAGE_MAP(CInstallPanel, CStackPanel)
ON_MESSAGE_VOID(WM_DESTROY, &CInstallPanel::OnDestroy)
ON_WM_CTLCOLOR(&CInstallPanel::OnCtlColor)
ON_COMMAND(kLaunchId, &CInstallPanel::OnLaunchInstaller)
ON_CONTROL(CBN_CLOSEUP, kLanguageListId, &CInstallPanel::OnLanguageCloseUp)
ON_CONTROL(CBN_SELCHANGE, kLanguageListId, &CInstallPanel::OnLanguageSelChange)
ON_MESSAGE(WM_REFRESH_STATUS, &CInstallPanel::OnRefreshStatus)
END_MESSAGE_MAP()

CInstallPanel::CInstallPanel(CWnd* pParent) : CStackPanel(IDD_INSTALL_PANEL, pParent)
{
    m_brWhite.CreateSolidBrush(RGB(255, 255, 255));
}

CInstallPanel::~CInstallPanel() = default;

void CInstallPanel::DoDataExchange(CDataExchange* pDX)
{
    CStackPanel::DoDataExchange(pDX);
    DDX_Control(pDX, kLaunchId, m_btnLaunch);
    DDX_Control(pDX, kLanguageListId, m_cboLanguage);
}

void CInstallPanel::OnPanelShow()
{
    ::SetFocus(m_cboLanguage.m_hWnd);
}

BOOL CInstallPanel::OnInitDialog()
{
    CStackPanel::OnInitDialog();
    CHovraLaunchDlg* pMain = MainDialog();

    CreatePageFonts();

    // The fixed texts of the page.
    const HFONT hHeading = m_fontHeading, hBody = m_fontBody;
    SetControlTexts({{kHeadingId, IDS_INSTALL_HEADING, hHeading},
                     {1071, IDS_INSTALL_STATUS, hBody},
                     {1073, IDS_INSTALL_SOFTWARE, hBody},
                     {1074, IDS_INSTALL_NETWORK_STEPS, hBody},
                     {1077, IDS_INSTALL_LANGUAGE_PROMPT, hBody},
                     {kLaunchId, IDS_INSTALL_LAUNCH, hBody}});

    m_btnLaunch.SetUpClickable(StyleButtonPalette::Navigation(pMain->m_buttonColours), kLaunchTooltipId);

    for (int nRow = 0; nRow < kLanguageCount; ++nRow)
        m_cboLanguage.AddString(LanguageName(nRow).c_str());

    const int nRow = FindLanguageRowByCode(pMain->m_chLanguage);
    if (nRow < 0)
        return TRUE;
    const std::wstring strName = LanguageName(nRow);
    const LRESULT nSelected = m_cboLanguage.SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                                        reinterpret_cast<LPARAM>(strName.c_str()));
    if (nSelected == CB_ERR)
        return FALSE;
    m_strLanguage = strName;
    return TRUE;
}

LRESULT CInstallPanel::OnRefreshStatus(WPARAM, LPARAM)
{
    // The list walked is the current item alone: the Windows identified at start-up.
    std::vector<PrerequisiteState> items;
    for (size_t i = 0; i < static_cast<size_t>(kPrerequisiteCount - kCatalogueEntryCount); ++i)
        items.push_back({g_prerequisites[i].nStatus, g_prerequisites[i].nNameId});
    const SoftwareSummary software = SummaryOfSoftware(items, AfxLoadText);

    m_hSoftwareIcon.DeleteObject();
    m_hNetworkIcon.DeleteObject();

    HWND hSoftwareText = GetDlgItem(kSoftwareTextId);
    ::SendMessageW(hSoftwareText, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontBody.GetSafeHandle()), TRUE);
    ::SetWindowTextW(hSoftwareText, software.strText.c_str());
    m_hSoftwareIcon.LoadIcon(software.nIconId, 32, 32);
    ::SendMessageW(GetDlgItem(kSoftwareIconId), STM_SETICON,
                   reinterpret_cast<WPARAM>(m_hSoftwareIcon.GetSafeHandle()), 0);

    const IconAndText view = SummaryOfNetworkAnswer(MainDialog()->m_nNetworkAnswer);
    HWND hNetworkText = GetDlgItem(kNetworkTextId);
    ::SendMessageW(hNetworkText, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontBody.GetSafeHandle()), TRUE);
    ::SetWindowTextW(hNetworkText, AfxLoadText(view.nTextId).c_str());
    m_hNetworkIcon.LoadIcon(view.nIconId, 32, 32);
    ::SendMessageW(GetDlgItem(kNetworkIconId), STM_SETICON,
                   reinterpret_cast<WPARAM>(m_hNetworkIcon.GetSafeHandle()), 0);

    Invalidate(TRUE);
    return 0;
}

// A language is chosen when the list closes, or, in the closed list, as soon as the selection
// changes there (arrow keys, a typed letter, the mouse wheel): the entry the list shows is always
// the one launched. Moving through the open list chooses nothing until it closes.
void CInstallPanel::OnLanguageCloseUp()
{
    const int nSelected = m_cboLanguage.GetCurSel();
    if (nSelected != CB_ERR)
        ChooseLanguage(nSelected);
    else if (m_strLanguage.empty())
        ::MessageBeep(MB_ICONASTERISK);
}

void CInstallPanel::OnLanguageSelChange()
{
    const int nSelected = m_cboLanguage.GetCurSel();
    // A click in the open list closes it first: that choice was made at the close-up, just before.
    if (nSelected == CB_ERR || nSelected == m_nChosenEntry || m_cboLanguage.GetDroppedState())
        return;
    ChooseLanguage(nSelected);
}

void CInstallPanel::ChooseLanguage(int nEntry)
{
    m_nChosenEntry = nEntry;
    m_strLanguage = m_cboLanguage.GetLBText(nEntry);
    FindInstallLanguage(); // shows the media prompt at once when the transform is missing
}

INT32 CInstallPanel::FindInstallLanguage()
{
    for (int nRow = 0; nRow < kLanguageCount; ++nRow)
    {
        if (LanguageName(nRow) != m_strLanguage)
            continue;
        CHovraLaunchDlg* pMain = MainDialog();
        std::wstring strTransform = pMain->m_strMediaRoot + L"\\MSI\\" + LanguageTransform(nRow);
        pMain->EnsureMediaFile(strTransform); // the answer does not change the choice
        return static_cast<INT32>(LanguageTable[nRow].nLangId);
    }
    return -1;
}

HBRUSH CInstallPanel::OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor)
{
    HBRUSH hBrush = CStackPanel::OnCtlColor(hdc, hCtrl, nCtlColor);
    const CHovraLaunchDlg* pMain = MainDialog();
    if (hCtrl == m_cboLanguage.m_hWnd)
    {
        ::SetTextColor(hdc, pMain->m_clrWindowText);
        ::SetBkColor(hdc, pMain->m_clrWindow);
        return m_brWhite;
    }
    if (nCtlColor == CTLCOLOR_LISTBOX)
    {
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetBkColor(hdc, pMain->m_clrWindow);
        ::SetTextColor(hdc, pMain->m_clrWindowText);
        return m_brWhite;
    }
    if (nCtlColor == CTLCOLOR_STATIC)
    {
        ::SetTextColor(hdc, pMain->m_clrWindowText);
        return m_brBackground;
    }
    const int nId = ::GetDlgCtrlID(hCtrl);
    if (nId == kNetworkIconId || nId == kSoftwareIconId)
        return m_brBackground;
    return hBrush;
}

void CInstallPanel::OnDestroy()
{
    CStackPanel::OnDestroy();
    m_hSoftwareIcon.DeleteObject();
    m_hNetworkIcon.DeleteObject();
}

void CInstallPanel::OnLaunchInstaller()
{
    CHovraLaunchDlg* pMain = MainDialog();
    std::wstring strPackage = InstallerPackagePath(pMain->m_strMediaRoot);
    if (!pMain->EnsureMediaFile(strPackage))
        return; // the user gave up; the launchpad stays as it was

    InstallerLaunchInputs inputs;
    inputs.strMediaRoot = pMain->m_strMediaRoot;
    inputs.strTempDirectory = InstallerLogDirectory();
    inputs.strTimestamp = MakeLogTimestamp();
    inputs.nLanguageId = FindInstallLanguage();
    inputs.nNetworkAnswer = pMain->m_nNetworkAnswer;
    inputs.strCommandTail = AfxGetApp() != nullptr ? AfxGetApp()->m_lpCmdLine : L"";
    const InstallerCommand command = BuildInstallerCommand(inputs);
    if (pMain->LaunchFile(command.strProgram, false, false, command.strParameters.c_str()))
        pMain->OnExit(); // the setup program runs on; the launchpad ends
}
