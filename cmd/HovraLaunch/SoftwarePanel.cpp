#include "hovra_stdafx.h"

#include "SoftwarePanel.h"

#include "FileDialog.h"
#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "StatusRules.h"

namespace
{
constexpr int kHeadingId = 1040;
constexpr int kIntroId = 1041;
constexpr int kHintId = 1042;
constexpr int kRefreshId = 1043;
constexpr int kExpandFrameId = 1044;
constexpr int kStatusFrameId = 1045;
constexpr int kNameFrameId = 1046;
constexpr int kLightFrameId = 1047;
constexpr int kRefreshHintId = 1147;
constexpr UINT kFirstExpandId = 1048;
constexpr UINT kCdromId = 3000;
constexpr UINT kInternetId = 3001;
constexpr UINT kNetworkId = 3002;
constexpr UINT kStaticId = 0xFFFF;

constexpr INT32 kCchTestText = 260;
constexpr int kDetailHeight = 135; // from the top of the row's name to the bottom of the detail area

int Width(const RECT& rc)
{
    return rc.right - rc.left;
}

int Height(const RECT& rc)
{
    return rc.bottom - rc.top;
}

HWND CreateChild(HWND hParent, const wchar_t* pszClass, const wchar_t* pszText, DWORD dwStyle, const RECT& rc,
                 UINT nId)
{
    return ::CreateWindowExW(0, pszClass, pszText, dwStyle, rc.left, rc.top, Width(rc), Height(rc), hParent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)), ::GetModuleHandleW(nullptr),
                             nullptr);
}
} // namespace

BEGIN_MESSAGE_MAP(CSoftwarePanel, CStackPanel)
ON_MESSAGE(WM_REFRESH_STATUS, &CSoftwarePanel::OnRefreshStatus)
ON_COMMAND(kRefreshId, &CSoftwarePanel::OnRefresh)
ON_COMMAND_RANGE(kFirstExpandId, kFirstExpandId, &CSoftwarePanel::OnExpand)
ON_COMMAND(kCdromId, &CSoftwarePanel::OnCdrom)
ON_COMMAND(kNetworkId, &CSoftwarePanel::OnNetwork)
ON_MESSAGE(WM_PAINT, &CSoftwarePanel::OnPaint)
ON_MESSAGE(WM_ENABLE, &CSoftwarePanel::OnEnable)
ON_WM_CTLCOLOR(&CSoftwarePanel::OnCtlColor)
ON_MESSAGE_VOID(WM_DESTROY, &CSoftwarePanel::OnDestroy)
END_MESSAGE_MAP()

CSoftwarePanel::CSoftwarePanel(CWnd* pParent) : CStackPanel(IDD_SOFTWARE_PANEL, pParent)
{
}

CSoftwarePanel::~CSoftwarePanel() = default;

void CSoftwarePanel::DoDataExchange(CDataExchange* pDX)
{
    CStackPanel::DoDataExchange(pDX);
    DDX_Control(pDX, kRefreshId, m_btnRefresh);
}

void CSoftwarePanel::OnPanelShow()
{
    ::SetFocus(m_btnRefresh.m_hWnd);
}

// ---------------------------------------------------------------------------------------------
// Building the panel

BOOL CSoftwarePanel::OnInitDialog()
{
    CStackPanel::OnInitDialog();
    CHovraLaunchDlg* pMain = MainDialog();

    CreatePageFonts();
    // The rows' names and status words stand between the heading and the body text.
    m_fontItem.CreateDerived(GetFont(), 1.25, pMain->m_nFontWeight);

    SetDlgItemText(kHeadingId,
                   AfxFormatString(IDS_SOFTWARE_HEADING_FORMAT,
                                   {AfxLoadText(IDS_PRODUCT_SHORT_NAME),
                                    AfxLoadText(HeadingShortNameId(g_prerequisites[0].nNameId))}));
    ::SendMessageW(GetDlgItem(kHeadingId), WM_SETFONT,
                   reinterpret_cast<WPARAM>(m_fontHeading.GetSafeHandle()), TRUE);

    SetupTexts();

    // Rows from the current item up to the first catalogue entry: the current item alone.
    for (size_t nRow = 0; nRow < static_cast<size_t>(kPrerequisiteCount - kCatalogueEntryCount); ++nRow)
        CreateRow(nRow);
    return TRUE;
}

void CSoftwarePanel::SetupTexts()
{
    // Unlike the other pages, a text that is missing leaves the template's own in place.
    const HFONT hBody = m_fontBody;
    SetControlTexts({{kIntroId, IDS_SOFTWARE_INTRO, hBody},
                     {kHintId, IDS_SOFTWARE_EXPAND_HINT, hBody},
                     {kRefreshId, IDS_SOFTWARE_REFRESH, hBody},
                     {kRefreshHintId, IDS_SOFTWARE_REFRESH_HINT, hBody}},
                    true);

    m_btnRefresh.SetUpClickable(StyleButtonPalette::Navigation(MainDialog()->m_buttonColours),
                                IDS_TIP_REFRESH);
}

RECT CSoftwarePanel::FrameRect(int nFrameId, size_t nRow) const
{
    RECT rc{};
    if (nRow != 0)
        return rc; // the template marks the places of one row only
    ::GetWindowRect(GetDlgItem(nFrameId), &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

RECT CSoftwarePanel::DetailArea() const
{
    const RECT rcName = FrameRect(kNameFrameId, 0);
    return RECT{rcName.left, rcName.bottom, rcName.right, rcName.top + kDetailHeight};
}

void CSoftwarePanel::CreateRow(size_t nRow)
{
    const PrerequisiteItem& item = g_prerequisites[nRow];
    auto pRow = std::make_unique<PrerequisiteRow>();

    const UINT nExpandId = kFirstExpandId + static_cast<UINT>(nRow);
    pRow->m_btnExpand.SubclassWindow(CreateChild(m_hWnd, L"Button", L"",
                                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                                 FrameRect(kExpandFrameId, nRow), nExpandId));
    const std::wstring strName = AfxLoadText(item.nNameId);
    pRow->m_stcName.SubclassWindow(CreateChild(m_hWnd, L"Static", strName.c_str(),
                                               WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE,
                                               FrameRect(kNameFrameId, nRow), kStaticId));
    pRow->m_led.SubclassWindow(CreateChild(m_hWnd, L"Static", L"",
                                           WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_BITMAP,
                                           FrameRect(kLightFrameId, nRow), kStaticId));
    const std::wstring strError = AfxLoadText(IDS_STATUS_ERROR);
    pRow->m_stcStatus.SubclassWindow(CreateChild(m_hWnd, L"Static", strError.c_str(),
                                                 WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE,
                                                 FrameRect(kStatusFrameId, nRow), kStaticId));

    CStyleButton& button = pRow->m_btnExpand;
    button.SetUpClickable(StyleButtonPalette::Expand(MainDialog()->m_buttonColours), item.nMoreInfoId);
    button.SetIcons(IDI_EXPAND, 0);

    pRow->m_stcName.SetFont(m_fontItem, TRUE);
    pRow->m_stcStatus.SetFont(m_fontItem, TRUE);
    pRow->m_led.SetState(CLedCtrl::LED_RED);
    m_aRows.push_back(std::move(pRow));
}

void CSoftwarePanel::PlaceRow(size_t nRow)
{
    PrerequisiteRow& row = *m_aRows[nRow];
    const std::pair<CWnd*, int> places[] = {{&row.m_btnExpand, kExpandFrameId},
                                            {&row.m_stcName, kNameFrameId},
                                            {&row.m_led, kLightFrameId},
                                            {&row.m_stcStatus, kStatusFrameId}};
    for (const auto& [pWnd, nFrameId] : places)
    {
        const RECT rc = FrameRect(nFrameId, nRow);
        ::MoveWindow(pWnd->m_hWnd, rc.left, rc.top, Width(rc), Height(rc), TRUE);
    }
    RegisterStatusTooltip(nRow);
}

void CSoftwarePanel::RegisterStatusTooltip(size_t nRow)
{
    const RECT rcLight = FrameRect(kLightFrameId, nRow);
    const RECT rcStatus = FrameRect(kStatusFrameId, nRow);
    const RECT rc{rcLight.left, rcLight.top, rcStatus.right, rcStatus.bottom};
    AddTooltip(g_prerequisites[nRow].szText, &rc, static_cast<UINT>(nRow) + 1, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Evaluation

LRESULT CSoftwarePanel::OnRefreshStatus(WPARAM, LPARAM)
{
    for (size_t nRow = 0; nRow < m_aRows.size(); ++nRow)
    {
        PrerequisiteItem& item = g_prerequisites[nRow];
        if (item.pfnTest == nullptr)
            continue;
        ::ZeroMemory(item.szText, sizeof item.szText);
        const INT32 nResult = item.pfnTest(item.szText, kCchTestText);
        const PrerequisiteView view = ViewOfTestResult(nResult, item.nDescriptionId, item.nAltDescriptionId);
        item.nStatus = view.nStatus;

        PrerequisiteRow& row = *m_aRows[nRow];
        row.m_led.SetState(view.light == StatusLight::Green ? CLedCtrl::LED_GREEN : CLedCtrl::LED_RED);
        std::wstring strWord;
        if (AfxLoadString(view.nWordId, strWord))
            row.m_stcStatus.SetWindowText(strWord);
        RegisterStatusTooltip(nRow);
    }
    Invalidate(TRUE);
    return 0;
}

void CSoftwarePanel::OnRefresh()
{
    PostMessage(WM_REFRESH_STATUS);
    OnExpand(static_cast<UINT>(m_nExpandedId));
}

// ---------------------------------------------------------------------------------------------
// Expanding and the detail area

void CSoftwarePanel::OnExpand(UINT nId)
{
    DestroyDetail();

    bool bOtherRow = true;
    if (m_nExpandedId != 0)
    {
        const size_t nRow = static_cast<size_t>(m_nExpandedId) - kFirstExpandId;
        if (nRow < m_aRows.size())
        {
            CStyleButton& button = m_aRows[nRow]->m_btnExpand;
            button.SetChecked(0, TRUE);
            button.SetIcons(IDI_EXPAND, 0);
            g_prerequisites[nRow].bExpanded = FALSE;
        }
        bOtherRow = nId != static_cast<UINT>(m_nExpandedId);
        m_nExpandedId = 0;
    }

    if (nId != 0 && bOtherRow)
    {
        const size_t nRow = static_cast<size_t>(nId) - kFirstExpandId;
        if (nId >= kFirstExpandId && nRow < m_aRows.size())
        {
            CStyleButton& button = m_aRows[nRow]->m_btnExpand;
            button.SetChecked(1, TRUE);
            button.SetIcons(IDI_COLLAPSE, 0);
            g_prerequisites[nRow].bExpanded = TRUE;
            m_nExpandedId = static_cast<INT32>(nId);
        }
    }

    for (size_t nRow = 0; nRow < m_aRows.size(); ++nRow)
        PlaceRow(nRow);

    if (m_nExpandedId != 0)
        BuildDetail(static_cast<size_t>(m_nExpandedId) - kFirstExpandId);
    Invalidate(TRUE);
}

void CSoftwarePanel::SetupActionButton(CStyleButton& button, UINT nId, const RECT& rc, UINT nTextId,
                                       UINT nTooltipId)
{
    const std::wstring strText = AfxLoadText(nTextId);
    button.SubclassWindow(
        CreateChild(m_hWnd, L"Button", strText.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, nId));
    button.SetFont(m_fontBody, TRUE);
    button.SetUpClickable(StyleButtonPalette::Command(MainDialog()->m_buttonColours), nTooltipId);
}

void CSoftwarePanel::BuildDetail(size_t nRow)
{
    const PrerequisiteItem& item = g_prerequisites[nRow];
    const bool bSatisfied = item.nStatus == kStatusSatisfied;

    const RECT rcArea = DetailArea();
    const int q = Height(rcArea) / 4;
    const int w = Width(rcArea) / 3;
    RECT rcText{rcArea.left, rcArea.top, rcArea.right, rcArea.top + 3 * q + 5};
    ::InflateRect(&rcText, -5, -5);
    auto buttonRect = [&](int k)
    {
        RECT rc{rcArea.left + k * w, rcArea.top + 3 * q - 5, rcArea.left + (k + 1) * w, rcArea.bottom};
        ::InflateRect(&rc, -5, -5);
        return rc;
    };

    std::wstring strExplanation;
    AfxLoadString(IDS_STATUS_SATISFIED_EXPLANATION, strExplanation);

    if (item.nProgramPathId != 0)
    {
        SetupActionButton(m_btnCdrom, kCdromId, buttonRect(0), IDS_BUTTON_CDROM, IDS_TIP_INSTALL_FROM_CDROM);
        if (!bSatisfied)
            AfxLoadString(item.nDescriptionId, strExplanation);
        m_btnCdrom.ShowWindow(bSatisfied ? SW_HIDE : SW_SHOW);
    }
    if (item.nUrlId != 0)
    {
        SetupActionButton(m_btnInternet, kInternetId, buttonRect(1), IDS_BUTTON_INTERNET,
                          IDS_TIP_GO_TO_WEB_SITE);
        m_btnInternet.SetLinkTarget(AfxLoadText(item.nUrlId).c_str());
        bool bShow = false;
        if (!bSatisfied)
        {
            AfxLoadString(item.nAltDescriptionId != 0 ? item.nAltDescriptionId : item.nDescriptionId,
                          strExplanation);
            bShow = item.nDescriptionId != kUnsupportedLevelTextId;
        }
        m_btnInternet.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
    if (item.bNetworkInstall)
    {
        SetupActionButton(m_btnNetwork, kNetworkId, buttonRect(2), IDS_BUTTON_NETWORK,
                          IDS_TIP_NETWORK_CONFIGURATION);
        if (!bSatisfied)
            AfxLoadString(item.nDescriptionId, strExplanation);
        m_btnNetwork.ShowWindow(bSatisfied ? SW_HIDE : SW_SHOW);
    }

    m_stcDetail.SubclassWindow(CreateChild(m_hWnd, L"Static", strExplanation.c_str(),
                                           WS_CHILD | WS_VISIBLE | WS_GROUP, rcText, kStaticId));
    m_stcDetail.SetFont(m_fontBody, TRUE);
}

void CSoftwarePanel::DestroyDetail()
{
    for (CWnd* pWnd : {static_cast<CWnd*>(&m_stcDetail), static_cast<CWnd*>(&m_btnCdrom),
                       static_cast<CWnd*>(&m_btnInternet), static_cast<CWnd*>(&m_btnNetwork)})
        if (pWnd->m_hWnd != nullptr)
            pWnd->DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Actions

void CSoftwarePanel::OnCdrom()
{
    if (m_nExpandedId == 0)
        return;
    const size_t nRow = static_cast<size_t>(m_nExpandedId) - kFirstExpandId;
    if (nRow >= m_aRows.size())
        return;
    const PrerequisiteItem& item = g_prerequisites[nRow];
    if (item.nProgramPathId == 0)
        return;
    const std::wstring strProgram = AfxLoadText(item.nProgramPathId);
    if (strProgram.empty() || strProgram == L"\"\"")
        return;

    CHovraLaunchDlg* pMain = MainDialog();
    std::wstring strPath = pMain->m_strMediaRoot + L"\\" + strProgram;
    if (pMain->EnsureFileOnMedia(strPath, item.nNameId))
        pMain->LaunchFile(strPath, false, true, L""); // its end refreshes the panels
}

void CSoftwarePanel::OnNetwork()
{
    if (m_nExpandedId == 0)
        return;
    const size_t nRow = static_cast<size_t>(m_nExpandedId) - kFirstExpandId;
    if (nRow >= m_aRows.size())
        return;
    const PrerequisiteItem& item = g_prerequisites[nRow];
    CFileDialog dlg(AfxLoadText(item.nProgramPathId), AfxLoadText(IDS_FILTER_EXECUTABLE),
                    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, this);
    if (dlg.DoModal() != IDOK)
        return;
    MainDialog()->LaunchFile(dlg.GetPathName(), false, false, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Painting, focus, colours, destruction

LRESULT CSoftwarePanel::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    if (dc.GetSafeHdc() != nullptr && m_nExpandedId != 0)
        DrawThinEdge(dc, DetailArea(), true); // a sunken frame around the detail area
    return 0;
}

LRESULT CSoftwarePanel::OnEnable(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (wParam == FALSE)
    {
        const HWND hParent = GetParent();
        const HWND hNext = ::GetNextDlgGroupItem(hParent, m_hWnd, FALSE);
        ::SetFocus(hNext != nullptr ? hNext : hParent);
    }
    return result;
}

HBRUSH CSoftwarePanel::OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor)
{
    HBRUSH hBrush = CStackPanel::OnCtlColor(hdc, hCtrl, nCtlColor);
    if (nCtlColor == CTLCOLOR_STATIC)
    {
        ::SetTextColor(hdc, MainDialog()->m_clrWindowText);
        return m_brBackground;
    }
    return hBrush;
}

void CSoftwarePanel::OnDestroy()
{
    CStackPanel::OnDestroy();
    m_fontItem.DeleteObject();
    while (!m_aRows.empty())
    {
        PrerequisiteRow& row = *m_aRows.front();
        row.m_btnExpand.DestroyWindow();
        row.m_stcName.DestroyWindow();
        row.m_led.DestroyWindow();
        row.m_stcStatus.DestroyWindow();
        m_aRows.erase(m_aRows.begin());
    }
    DestroyDetail();
}
