// The launchpad's main window.
#pragma once

#include "hovra_stdafx.h"

class CHovraLaunchDlg : public CDialog
{
public:
    explicit CHovraLaunchDlg(CWnd* pParent = nullptr);
    ~CHovraLaunchDlg() override = default;

    wchar_t m_chLanguage; // language code of the interface language for now

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnExit();

    DECLARE_MESSAGE_MAP()

private:
    CIconHandle m_iconBig;
    CIconHandle m_iconSmall;
    CBitmap m_bmpBanner;
    CStatic m_bandBanner;
};
