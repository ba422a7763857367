// The real software panel for the tests that drive it, with its insides open to them.
#pragma once

#include <optional>
#include <string>

#include "LaunchpadHarness.h"
#include "SoftwarePanel.h"

// The real software panel, with its insides open to the test.
class CProbeSoftwarePanel : public CSoftwarePanel
{
public:
    using CSoftwarePanel::CSoftwarePanel;
    using CSoftwarePanel::m_aRows;
    using CSoftwarePanel::m_btnCdrom;
    using CSoftwarePanel::m_btnInternet;
    using CSoftwarePanel::m_btnNetwork;
    using CSoftwarePanel::m_fontHeading;
    using CSoftwarePanel::m_nExpandedId;
    using CSoftwarePanel::m_stcDetail;

    PrerequisiteRow& Row() { return *m_aRows.at(0); }
    std::wstring StatusWord() { return WindowText(Row().m_stcStatus.m_hWnd); }
    // The tooltip of the row's light and status word, if one is registered.
    std::optional<std::wstring> StatusTip(RECT* pRect = nullptr)
    {
        return ToolText(m_tooltip, this, 1, pRect);
    }
    void Click(int nId) { ::SendMessageW(GetDlgItem(nId), BM_CLICK, 0, 0); }
};
