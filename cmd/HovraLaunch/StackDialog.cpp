#include "hovra_stdafx.h"

#include "StackDialog.h"

#include "HovraLaunchDlg.h"

CStackPanel::CStackPanel(UINT nIdTemplate, CWnd* pParent) : CBitmapPanel(nIdTemplate, pParent)
{
}

CHovraLaunchDlg* CStackPanel::MainDialog() const
{
    return static_cast<CHovraLaunchDlg*>(GetTopLevelParent());
}

BEGIN_MESSAGE_MAP(CStackPanel, CBitmapPanel)
ON_MESSAGE_VOID(WM_DESTROY, &CStackPanel::OnDestroy)
END_MESSAGE_MAP()

BOOL CStackPanel::OnInitDialog()
{
    CBitmapPanel::OnInitDialog();
    return TRUE;
}

void CStackPanel::CreatePageFonts()
{
    m_fontHeading.CreateDerived(GetFont(), 1.75, MainDialog()->m_nFontWeight);
    m_fontBody.CreateDerived(GetFont(), 1.0, FW_NORMAL);
}

void CStackPanel::OnDestroy()
{
    CBitmapPanel::OnDestroy();
    m_fontHeading.DeleteObject();
    m_fontBody.DeleteObject();
}

BEGIN_MESSAGE_MAP(CStackDialog, CBitmapDialog)
ON_MESSAGE_VOID(WM_DESTROY, &CStackDialog::OnDestroy)
END_MESSAGE_MAP()

CStackDialog::CStackDialog(UINT nPlaceholderId, UINT nIdTemplate, CWnd* pParent)
    : CBitmapDialog(nIdTemplate, pParent), m_nPlaceholderId(nPlaceholderId)
{
}

BOOL CStackDialog::OnInitDialog()
{
    CBitmapDialog::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTROLPARENT); // Tab and the arrow keys move into the panels and back
    return TRUE;
}

PanelEntry* CStackDialog::AddPanel(UINT nPanelId)
{
    PanelEntry& entry = m_panels.emplace_back();
    entry.m_nPanelId = static_cast<INT32>(nPanelId);
    entry.m_pOwner = this;
    entry.m_pPanel = CreatePanel(nPanelId);
    entry.m_pPanel->Create(nPanelId, this);

    RECT rcPlaceholder{};
    ::GetWindowRect(GetDlgItem(static_cast<int>(m_nPlaceholderId)), &rcPlaceholder);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcPlaceholder), 2);
    ::SetWindowPos(entry.m_pPanel->m_hWnd, nullptr, rcPlaceholder.left, rcPlaceholder.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    entry.m_pPanel->EnableWindow(TRUE);
    entry.m_pPanel->OnPanelCreated();
    entry.m_bCreated = TRUE;
    return &entry;
}

PanelEntry* CStackDialog::FindPanel(UINT nPanelId)
{
    for (PanelEntry& entry : m_panels)
        if (entry.m_nPanelId == static_cast<INT32>(nPanelId))
            return &entry;
    return nullptr;
}

void CStackDialog::ShowPanel(UINT nPanelId)
{
    PanelEntry* pTarget = nullptr;
    PanelEntry* pCurrent = nullptr;
    for (PanelEntry& entry : m_panels)
    {
        if (pTarget == nullptr && entry.m_nPanelId == static_cast<INT32>(nPanelId))
            pTarget = &entry;
        if (pCurrent == nullptr && entry.m_bShown)
            pCurrent = &entry;
    }
    if (pCurrent != nullptr)
    {
        pCurrent->m_pPanel->OnPanelHide();
        pCurrent->m_pPanel->ShowWindow(SW_HIDE);
        pCurrent->m_bShown = FALSE;
        OnPanelChanged(static_cast<UINT>(pCurrent->m_nPanelId), false);
    }
    if (pTarget != nullptr)
    {
        pTarget->m_pPanel->ShowWindow(SW_SHOW);
        pTarget->m_pPanel->Invalidate(TRUE);
        pTarget->m_pPanel->UpdateWindow();
        pTarget->m_pPanel->OnPanelShow();
        pTarget->m_bShown = TRUE;
        OnPanelChanged(static_cast<UINT>(pTarget->m_nPanelId), true);
    }
}

void CStackDialog::OnDestroy()
{
    for (PanelEntry& entry : m_panels)
    {
        if (!entry.m_bCreated)
            continue;
        entry.m_bCreated = FALSE;
        entry.m_pPanel->OnPanelHide();
        entry.m_pPanel->OnPanelDestroying();
        entry.m_pPanel->DestroyWindow();
        delete entry.m_pPanel;
        entry.m_pPanel = nullptr;
    }
    m_panels.clear();
    CBitmapDialog::OnDestroy();
}
