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
        if (m_tooltip.m_hWnd == nullptr || !m_tooltip.HasTool(this, 1))
            return std::nullopt;
        wchar_t sz[300] = L"";
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.hwnd = m_hWnd;
        ti.uId = 1;
        ti.lpszText = sz;
        m_tooltip.SendMessage(TTM_GETTEXTW, 300, reinterpret_cast<LPARAM>(&ti));
        if (pRect != nullptr)
        {
            ti.lpszText = nullptr;
            m_tooltip.SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
            *pRect = ti.rect;
        }
        return std::wstring(sz);
    }
    void Click(int nId) { ::SendMessageW(GetDlgItem(nId), BM_CLICK, 0, 0); }
};
