// CWelcomePanel: the first page. Greets the user and says what each navigation button is for.
#pragma once

#include "hovra_stdafx.h"

#include "StackDialog.h"

class CWelcomePanel : public CStackPanel
{
public:
    explicit CWelcomePanel(CWnd* pParent);
    ~CWelcomePanel() override = default;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDestroy();
    HBRUSH OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};
