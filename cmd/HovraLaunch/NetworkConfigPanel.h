// CNetworkConfigPanel: the network configuration page. Asks whether the product needs a domain
// user ID to run under (Yes, No, Don't know), explains the consequence of the answer with an icon
// and a text, and keeps the answer in the main dialog for the installation panel and the
// installer command line. Its information button opens a help page about domain users from the
// media, in the documentation language.
#pragma once

#include "hovra_stdafx.h"

#include "StackDialog.h"
#include "StyleButton.h"

class CNetworkConfigPanel : public CStackPanel
{
public:
    explicit CNetworkConfigPanel(CWnd* pParent);
    ~CNetworkConfigPanel() override;

    void OnPanelShow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnDestroy();
    HBRUSH OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor);
    // A click on one of the answers, kNetworkAnswerYes to kNetworkAnswerDontKnow; also run once at
    // initialisation.
    void OnAnswer(UINT nId);
    void OnMoreInformation();

    INT32 m_nRadioIndex = 2; // within the group that starts at the yes button: 2 is Don't know
    CStatic m_stcAnswerIcon;
    CButton m_btnDontKnow;
    CButton m_btnNo;
    CButton m_btnYes;
    CStyleButton m_btnMoreInfo;
    CIconHandle m_hAnswerIcon;
    std::wstring m_strAnswerText;

    DECLARE_MESSAGE_MAP()
};
