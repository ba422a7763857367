// Data exchange between a dialog's controls and its members, run by CDialog::UpdateData.
#pragma once

#include "Wnd.h"

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
