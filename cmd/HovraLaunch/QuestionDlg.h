// CQuestionDlg: the launchpad's own message box. An information icon, a message and OK and
// Cancel (or OK alone); answers IDOK or IDCANCEL (Escape and any other way of closing it).
#pragma once

#include "hovra_stdafx.h"

#include "BitmapDialog.h"
#include "StyleButton.h"

class CQuestionDlg : public CBitmapDialog
{
public:
    explicit CQuestionDlg(CWnd* pParent = nullptr);
    ~CQuestionDlg() override = default;

    void SetMessage(const std::wstring& strMessage);
    // 1: OK only; anything else: OK and Cancel. Takes effect when the box is initialised.
    void SetButtons(INT32 nButtons) { m_nButtons = nButtons; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor);

    std::wstring m_strMessage;
    CStyleButton m_btnOk;
    CStyleButton m_btnCancel;
    ButtonColours m_buttonColours;
    INT32 m_nButtons = 2;

    DECLARE_MESSAGE_MAP()
};
