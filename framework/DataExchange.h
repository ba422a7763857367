// Data exchange between a dialog's controls and its members, run by CDialog::UpdateData.
#pragma once

#include "Wnd.h"

#include <string>

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate)
    {
    }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds the control with identifier nIdc to rControl by subclassing it, once.
inline void DDX_Control(CDataExchange* pDX, int nIdc, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr)
        rControl.SubclassDlgItem(static_cast<UINT>(nIdc), pDX->m_pDlgWnd);
}

// Exchanges the text of control nIdc with rText.
inline void DDX_Text(CDataExchange* pDX, int nIdc, std::wstring& rText)
{
    HWND hCtrl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIdc);
    if (pDX->m_bSaveAndValidate)
    {
        rText.assign(static_cast<size_t>(::GetWindowTextLengthW(hCtrl)) + 1, L'\0');
        rText.resize(
            static_cast<size_t>(::GetWindowTextW(hCtrl, rText.data(), static_cast<int>(rText.size()))));
    }
    else
    {
        ::SetWindowTextW(hCtrl, rText.c_str());
    }
}
