#include "hovra_stdafx.h"

#include "WelcomePanel.h"

#include "HovraLaunchDlg.h"

namespace
{
constexpr int kHeadingId = 1020;

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
    CreatePageFonts();

    // The heading, the two lines below it, then each navigation button's name and description.
    const HFONT hHeading = m_fontHeading, hBody = m_fontBody;
    SetControlTexts({{kHeadingId, IDS_WELCOME_HEADING, hHeading},
                     {1036, IDS_WELCOME_INTRO, hBody},
                     {1021, IDS_WELCOME_BUTTONS_INTRO, hBody},
                     {1023, IDS_WELCOME_SOFTWARE_TITLE, hBody},
                     {1022, IDS_WELCOME_SOFTWARE_TEXT, hBody},
                     {1025, IDS_WELCOME_NETWORK_TITLE, hBody},
                     {1024, IDS_WELCOME_NETWORK_TEXT, hBody},
                     {1028, IDS_WELCOME_INSTALL_TITLE, hBody},
                     {1029, IDS_WELCOME_INSTALL_TEXT, hBody},
                     {1030, IDS_WELCOME_GUIDE_TITLE, hBody},
                     {1031, IDS_WELCOME_GUIDE_TEXT, hBody},
                     {1032, IDS_WELCOME_NOTES_TITLE, hBody},
                     {1033, IDS_WELCOME_NOTES_TEXT, hBody}});
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
}
