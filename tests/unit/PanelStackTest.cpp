#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StackDialog.h"

namespace
{
std::vector<std::wstring> g_log;
int g_nLivePanels = 0;

class CRecordingPanel : public CStackPanel
{
public:
    CRecordingPanel(UINT nId, CWnd* pParent) : CStackPanel(nId, pParent), m_strName(std::to_wstring(nId))
    {
        ++g_nLivePanels;
    }
    ~CRecordingPanel() override { --g_nLivePanels; }

    void OnPanelShow() override { g_log.push_back(L"show " + m_strName); }
    void OnPanelHide() override { g_log.push_back(L"hide " + m_strName); }
    void OnPanelCreated() override
    {
        // Placed, enabled, still hidden.
        g_log.push_back(L"created " + m_strName + ((GetStyle() & WS_VISIBLE) ? L" visible" : L"") +
                        (::IsWindowEnabled(m_hWnd) ? L" enabled" : L""));
    }
    void OnPanelDestroying() override { g_log.push_back(L"destroying " + m_strName); }

private:
    std::wstring m_strName;
};

class CTestStack : public CStackDialog
{
public:
    CTestStack() : CStackDialog(9011, 9010, nullptr) {}
    std::vector<UINT> m_steps; // panels to show, one per posted step; 0 ends the dialog
    size_t m_nextStep = 0;
    RECT m_rcFirstPanel{};
    RECT m_rcPlaceholder{};
    int m_nVisibleAfterFirstShow = 0;

protected:
    CStackPanel* CreatePanel(UINT nPanelId) override { return new CRecordingPanel(nPanelId, this); }
    void OnPanelChanged(UINT nPanelId, bool bShown) override
    {
        g_log.push_back(std::wstring(bShown ? L"changed shown " : L"changed hidden ") +
                        std::to_wstring(nPanelId));
    }
    BOOL OnInitDialog() override
    {
        CStackDialog::OnInitDialog();
        for (UINT id : {9002u, 9012u, 9013u})
            AddPanel(id);
        ShowPanel(9002);
        for (const PanelEntry& entry : m_panels)
            m_nVisibleAfterFirstShow +=
                (entry.m_pPanel->GetStyle() & WS_VISIBLE) ? 1 : 0; // the dialog itself is not shown yet
        ::GetWindowRect(FindPanel(9002)->m_pPanel->m_hWnd, &m_rcFirstPanel);
        ::GetWindowRect(GetDlgItem(9011), &m_rcPlaceholder);
        PostMessage(WM_USER + 60);
        return TRUE;
    }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        const UINT id = m_nextStep < m_steps.size() ? m_steps[m_nextStep++] : 0;
        if (id == 0)
            EndDialog(IDOK);
        else
        {
            ShowPanel(id);
            PostMessage(WM_USER + 60);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestStack, CStackDialog)
ON_MESSAGE(WM_USER + 60, &CTestStack::OnStep)
END_MESSAGE_MAP()

TEST(PanelStack, CreatesSwitchesAndDestroysPanelsInOrder)
{
    g_log.clear();
    CTestStack dlg;
    dlg.m_steps = {9012, 9012, 4242};
    EXPECT_EQ(IDOK, dlg.DoModal());

    const std::vector<std::wstring> expected = {
        L"created 9002 enabled", L"created 9012 enabled", L"created 9013 enabled", L"show 9002",
        L"changed shown 9002",
        // A to B: the old panel is hidden and reported before the new one is shown.
        L"hide 9002", L"changed hidden 9002", L"show 9012", L"changed shown 9012",
        // The panel already shown: both hooks and both notifications again.
        L"hide 9012", L"changed hidden 9012", L"show 9012", L"changed shown 9012",
        // An identifier without a panel: the current one is hidden, none shown.
        L"hide 9012", L"changed hidden 9012",
        // Destruction in insertion order.
        L"hide 9002", L"destroying 9002", L"hide 9012", L"destroying 9012", L"hide 9013", L"destroying 9013"};
    EXPECT_EQ(expected, g_log);
    EXPECT_EQ(1, dlg.m_nVisibleAfterFirstShow);
    EXPECT_EQ(dlg.m_rcPlaceholder.left, dlg.m_rcFirstPanel.left);
    EXPECT_EQ(dlg.m_rcPlaceholder.top, dlg.m_rcFirstPanel.top);
    EXPECT_EQ(0, g_nLivePanels);
}
} // namespace
