#include "hovra_stdafx.h"

#include "WelcomePanel.h"

#include "HovraLaunchDlg.h"

namespace
{
constexpr int kHeadingId = 1020;

// The controls and their texts, in the order they are set; the two description lines below the
// heading get the body font after their text.
const struct
{
    int nControlId;
    UINT nTextId;
} kTexts[] = {{1020, 404}, {1036, 405}, {1021, 406}, {1023, 407}, {1022, 408}, {1025, 409}, {1024, 410},
              {1028, 413}, {1029, 414}, {1030, 415}, {1031, 416}, {1032, 417}, {1033, 418}};

const int kListControls[] = {1023, 1022, 1025, 1024, 1028, 1029, 1030, 1031, 1032, 1033};
// The descriptions reach the group box's right edge: drawn without a background of their own, so
// the frame under them stays whole.
const int kDescriptionControls[] = {1022, 1024, 1029, 1031, 1033};
} // namespace

BEGIN_MESSAGE_MAP(CWelcomePanel, CStackPanel)
ON_MESSAGE_VOID(WM_DESTROY, &CWelcomePanel::OnDestroy)
ON_WM_CTLCOLOR(&CWelcomePanel::OnCtlColor)
END_MESSAGE_MAP()

CWelcomePanel::CWelcomePanel(CWnd* pParent) : CStackPanel(IDD_WELCOME_PANEL, pParent)
{
}

void CWelcomePanel::DoDataExchange(CDataExchange* pDX)
{
    CStackPanel::DoDataExchange(pDX);
}

BOOL CWelcomePanel::OnInitDialog()
{
    CStackPanel::OnInitDialog();
    CHovraLaunchDlg* pMain = MainDialog();

    m_fontHeading.CreateDerived(GetFont(), 1.75, pMain->m_nFontWeight);
    m_fontBody.CreateDerived(GetFont(), 1.0, FW_NORMAL);

    ::SendMessageW(GetDlgItem(kHeadingId), WM_SETFONT,
                   reinterpret_cast<WPARAM>(m_fontHeading.GetSafeHandle()), TRUE);
    for (int nId : kListControls)
        ::SendMessageW(GetDlgItem(nId), WM_SETFONT, reinterpret_cast<WPARAM>(m_fontBody.GetSafeHandle()),
                       TRUE);

    for (const auto& text : kTexts)
    {
        std::wstring strText;
        AfxLoadString(text.nTextId, strText);
        SetDlgItemText(text.nControlId, strText);
        if (text.nControlId == 1036 || text.nControlId == 1021)
            ::SendMessageW(GetDlgItem(text.nControlId), WM_SETFONT,
                           reinterpret_cast<WPARAM>(m_fontBody.GetSafeHandle()), TRUE);
    }
    return TRUE;
}

HBRUSH CWelcomePanel::OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor)
{
    HBRUSH hBrush = CStackPanel::OnCtlColor(hdc, hCtrl, nCtlColor);
    if (nCtlColor == CTLCOLOR_STATIC)
    {
        ::SetTextColor(hdc, MainDialog()->m_clrWindowText);
        const int nId = ::GetDlgCtrlID(hCtrl);
        for (int nDescription : kDescriptionControls)
        {
            if (nId == nDescription)
            {
                ::SetBkMode(hdc, TRANSPARENT);
                return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
            }
        }
        return m_brBackground;
    }
    return hBrush;
}

void CWelcomePanel::OnDestroy()
{
    CStackPanel::OnDestroy();
    m_fontHeading.DeleteObject();
    m_fontBody.DeleteObject();
}
