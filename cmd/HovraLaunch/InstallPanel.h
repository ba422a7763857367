// CInstallPanel: the installation page. Sums up the pre-installation status in two blocks (the
// software requirements and the network configuration), offers the installation languages in a
// drop-down list and starts the product's setup program with the launch button.
#pragma once

#include "hovra_stdafx.h"

#include "StackDialog.h"
#include "StyleButton.h"

class CInstallPanel : public CStackPanel
{
public:
    explicit CInstallPanel(CWnd* pParent);
    ~CInstallPanel() override;

    void OnPanelShow() override;

    // The launch button: builds the installer command line and starts the setup program.
    void OnLaunchInstaller();
    // The Windows language of the chosen installation language, or -1 when none is chosen. Tests
    // the language's transform file for presence on the media (with the media prompt).
    INT32 FindInstallLanguage();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnDestroy();
    HBRUSH OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor);
    void OnLanguageCloseUp();
    void OnLanguageSelChange();
    void ChooseLanguage(int nEntry);
    LRESULT OnRefreshStatus(WPARAM wParam, LPARAM lParam);

    CBrush m_brWhite;
    CStyleButton m_btnLaunch;
    CIconHandle m_hSoftwareIcon;
    CIconHandle m_hNetworkIcon;
    CComboBox m_cboLanguage;
    std::wstring m_strLanguage;  // the chosen installation language's name, as the list shows it
    int m_nChosenEntry = CB_ERR; // the list entry last chosen by the user

    DECLARE_MESSAGE_MAP()
};
