#include "hovra_stdafx.h"

#include "NetworkConfigPanel.h"

#include "HovraLaunchDlg.h"
#include "Languages.h"
#include "StatusRules.h"

namespace
{
constexpr int kHeadingId = 1100;
constexpr int kIntroId = 1110;
constexpr int kQuestionId = 1113;
constexpr int kAnswerIconId = 1105;
constexpr int kMoreInfoId = 1106;
constexpr int kAnswerTextId = 1107;

constexpr UINT kMoreInfoTooltipId = IDS_TIP_NETWORK_MORE_INFO;

// Exchanges the index of the checked radio button of the group that starts with control nIdFirst
// (up to the next control that starts a group) with rIndex; -1 when none is checked.
void ExchangeRadioGroup(CDataExchange* pDX, int nIdFirst, INT32& rIndex)
{
    HWND hFirst = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIdFirst);
    if (pDX->m_bSaveAndValidate)
        rIndex = -1;
    INT32 nIndex = 0;
    for (HWND hCtrl = hFirst; hCtrl != nullptr; hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT))
    {
        if (hCtrl != hFirst && (::GetWindowLongPtrW(hCtrl, GWL_STYLE) & WS_GROUP) != 0)
            break;
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessageW(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                rIndex = nIndex;
        }
        else
        {
            ::SendMessageW(hCtrl, BM_SETCHECK, nIndex == rIndex ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++nIndex;
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CNetworkConfigPanel, CStackPanel)
ON_MESSAGE_VOID(WM_DESTROY, &CNetworkConfigPanel::OnDestroy)
ON_WM_CTLCOLOR(&CNetworkConfigPanel::OnCtlColor)
ON_COMMAND_RANGE(kNetworkAnswerYes, kNetworkAnswerDontKnow, &CNetworkConfigPanel::OnAnswer)
ON_COMMAND(kMoreInfoId, &CNetworkConfigPanel::OnMoreInformation)
END_MESSAGE_MAP()

CNetworkConfigPanel::CNetworkConfigPanel(CWnd* pParent) : CStackPanel(IDD_NETWORK_PANEL, pParent)
{
}

CNetworkConfigPanel::~CNetworkConfigPanel() = default;

void CNetworkConfigPanel::DoDataExchange(CDataExchange* pDX)
{
    CStackPanel::DoDataExchange(pDX);
    ExchangeRadioGroup(pDX, kNetworkAnswerYes, m_nRadioIndex);
    DDX_Control(pDX, kMoreInfoId, m_btnMoreInfo);
    DDX_Control(pDX, kAnswerIconId, m_stcAnswerIcon);
    DDX_Control(pDX, kNetworkAnswerDontKnow, m_btnDontKnow);
    DDX_Control(pDX, kNetworkAnswerNo, m_btnNo);
    DDX_Control(pDX, kNetworkAnswerYes, m_btnYes);
}

void CNetworkConfigPanel::OnPanelShow()
{
    ::SetFocus(m_btnMoreInfo.m_hWnd);
}

BOOL CNetworkConfigPanel::OnInitDialog()
{
    CStackPanel::OnInitDialog();
    CHovraLaunchDlg* pMain = MainDialog();

    CreatePageFonts();
    m_btnMoreInfo.SetUpClickable(StyleButtonPalette::Navigation(pMain->m_buttonColours), kMoreInfoTooltipId);

    const HFONT hHeading = m_fontHeading, hBody = m_fontBody;
    SetControlTexts({{kHeadingId, IDS_NETWORK_HEADING, hHeading},
                     {kIntroId, IDS_NETWORK_INTRO, hBody},
                     {kQuestionId, IDS_NETWORK_QUESTION, hBody},
                     {kNetworkAnswerYes, IDS_NETWORK_YES, hBody},
                     {kNetworkAnswerNo, IDS_NETWORK_NO, hBody},
                     {kNetworkAnswerDontKnow, IDS_NETWORK_DONT_KNOW, hBody},
                     {kMoreInfoId, IDS_NETWORK_MORE_INFO, hBody}});

    OnAnswer(kNetworkAnswerDontKnow);
    return TRUE;
}

void CNetworkConfigPanel::OnAnswer(UINT nId)
{
    const INT32 nAnswer = static_cast<INT32>(nId);
    m_btnDontKnow.SetCheck(BST_UNCHECKED);
    m_btnNo.SetCheck(BST_UNCHECKED);
    m_btnYes.SetCheck(BST_UNCHECKED);
    m_hAnswerIcon.DeleteObject();

    HWND hText = GetDlgItem(kAnswerTextId);
    if (hText != nullptr)
    {
        ::ShowWindow(hText, SW_HIDE);
        ::SendMessageW(hText, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontBody.GetSafeHandle()), TRUE);
    }

    const IconAndText view = ExplanationOfNetworkAnswer(nAnswer);
    m_strAnswerText = AfxLoadText(view.nTextId);
    CButton& answer = nAnswer == kNetworkAnswerYes  ? m_btnYes
                      : nAnswer == kNetworkAnswerNo ? m_btnNo
                                                    : m_btnDontKnow;
    answer.SetCheck(BST_CHECKED);

    if (hText != nullptr)
    {
        ::SetWindowTextW(hText, m_strAnswerText.c_str());
        ::ShowWindow(hText, SW_RESTORE);
    }

    m_hAnswerIcon.LoadIcon(view.nIconId, 32, 32);
    m_stcAnswerIcon.SetIcon(m_hAnswerIcon);
    Invalidate(TRUE);

    MainDialog()->m_nNetworkAnswer = nAnswer;
}

void CNetworkConfigPanel::OnMoreInformation()
{
    CHovraLaunchDlg* pMain = MainDialog();
    std::wstring strPath;
    for (const LanguageRow& row : LanguageTable)
        if (row.chCode == pMain->m_chLanguage)
            strPath = pMain->m_strMediaRoot + L"\\docs\\help\\" + row.szFolder + L"\\q008810_.htm";

    if (!pMain->EnsureMediaFile(strPath))
        return;
    pMain->LaunchFile(strPath, false, false, nullptr); // a failed start is not reported
}

HBRUSH CNetworkConfigPanel::OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor)
{
    HBRUSH hBrush = CStackPanel::OnCtlColor(hdc, hCtrl, nCtlColor);
    if (nCtlColor == CTLCOLOR_STATIC)
    {
        ::SetTextColor(hdc, MainDialog()->m_clrWindowText);
        return m_brBackground;
    }
    if (::GetDlgCtrlID(hCtrl) == kAnswerIconId)
        return m_brBackground;
    return hBrush;
}

void CNetworkConfigPanel::OnDestroy()
{
    CStackPanel::OnDestroy();
    m_hAnswerIcon.DeleteObject();
}
