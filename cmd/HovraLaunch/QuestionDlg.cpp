#include "hovra_stdafx.h"

#include "QuestionDlg.h"

namespace
{
constexpr UINT kOkTextId = IDS_QUESTION_OK;
constexpr UINT kCancelTextId = IDS_QUESTION_CANCEL;
} // namespace

BEGIN_MESSAGE_MAP(CQuestionDlg, CBitmapDialog)
ON_WM_CTLCOLOR(&CQuestionDlg::OnCtlColor)
END_MESSAGE_MAP()

CQuestionDlg::CQuestionDlg(CWnd* pParent)
    : CBitmapDialog(IDD_QUESTION, pParent), m_buttonColours(ButtonColours::FromSystem())
{
}

void CQuestionDlg::SetMessage(const std::wstring& strMessage)
{
    m_strMessage = strMessage;
    if (m_hWnd != nullptr)
    {
        SetDlgItemText(IDC_QUESTION_TEXT, m_strMessage);
        Invalidate(TRUE);
    }
}

void CQuestionDlg::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_QUESTION_TEXT, m_strMessage);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CQuestionDlg::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();
    // The buttons turn to the highlight colours only while the pointer is over them.
    for (auto [pButton, nTextId] : {std::pair{&m_btnOk, kOkTextId}, std::pair{&m_btnCancel, kCancelTextId}})
    {
        pButton->SetUpClickable(StyleButtonPalette::Question(m_buttonColours), 0);
        pButton->SetWindowText(AfxLoadText(nTextId));
    }
    if (m_nButtons == 1)
        m_btnCancel.ShowWindow(SW_HIDE);
    return TRUE;
}

HBRUSH CQuestionDlg::OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor)
{
    HBRUSH hBrush = CBitmapDialog::OnCtlColor(hdc, hCtrl, nCtlColor);
    const int nId = ::GetDlgCtrlID(hCtrl);
    if (nId == IDC_QUESTION_TEXT || nCtlColor == CTLCOLOR_STATIC)
    {
        ::SetTextColor(hdc, m_buttonColours.clrBtnText);
        return m_brBackground;
    }
    if (nId == IDC_QUESTION_ICON)
        return m_brBackground;
    return hBrush;
}
