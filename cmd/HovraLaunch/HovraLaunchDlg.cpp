#include "hovra_stdafx.h"

#include "HovraLaunchDlg.h"
#include "Languages.h"

BEGIN_MESSAGE_MAP(CHovraLaunchDlg, CDialog)
ON_COMMAND(IDC_EXIT, &CHovraLaunchDlg::OnExit)
END_MESSAGE_MAP()

CHovraLaunchDlg::CHovraLaunchDlg(CWnd* pParent)
    : CDialog(IDD_HOVRALAUNCH_DIALOG, pParent), m_chLanguage(SelectInterfaceLanguage())
{
    m_iconBig.LoadIcon(IDR_MAINFRAME, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    m_iconSmall.LoadIcon(IDR_MAINFRAME, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
}

BOOL CHovraLaunchDlg::OnInitDialog()
{
    // A system menu and a minimise box; never maximised.
    ModifyStyle(WS_POPUP | WS_MAXIMIZEBOX, WS_SYSMENU | WS_MINIMIZEBOX);
    CDialog::OnInitDialog();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_iconBig.GetSafeHandle()));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_iconSmall.GetSafeHandle()));

    std::wstring strTitle;
    AfxLoadString(IDS_MAIN_TITLE, strTitle);
    SetWindowText(strTitle);

    // Header banner over the band, and button captions.
    if (m_bandBanner.SubclassDlgItem(IDC_BANNER_BAND, this))
    {
        RECT rcBand{};
        m_bandBanner.GetClientRect(&rcBand);
        if (m_bmpBanner.LoadBitmap(IDB_BANNER, rcBand.right, rcBand.bottom))
        {
            m_bandBanner.SetBitmap(m_bmpBanner);
            m_bandBanner.ShowWindow(SW_SHOW);
        }
    }
    static constexpr struct
    {
        int nButtonId;
        UINT nTextId;
    } kCaptions[] = {{IDC_NAV_WELCOME, 444}, {IDC_NAV_SOFTWARE, 445}, {IDC_NAV_NETWORK, 446},
                     {IDC_NAV_INSTALL, 464}, {IDC_GUIDE, 449},        {IDC_RELEASE_NOTES, 450},
                     {IDC_EXIT, 448}};
    for (const auto& caption : kCaptions)
    {
        std::wstring strCaption;
        AfxLoadString(caption.nTextId, strCaption);
        SetDlgItemText(caption.nButtonId, strCaption);
    }
    return TRUE;
}

void CHovraLaunchDlg::OnOK()
{
    // Enter does nothing on the launchpad.
}

void CHovraLaunchDlg::OnExit()
{
    OnCancel();
}
