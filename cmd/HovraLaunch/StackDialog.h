// CStackDialog and CStackPanel: a dialog that owns an ordered list of child panels, created by
// its subclass's factory, placed on a placeholder control and shown one at a time.
//
// Hooks, in the order they come: OnPanelCreated once after a panel is created; on a switch, the
// old panel's OnPanelHide, OnPanelChanged(old, false), the new panel's OnPanelShow,
// OnPanelChanged(new, true); when the dialog is destroyed, each created panel's OnPanelHide and
// OnPanelDestroying, in the order the panels were added.
#pragma once

#include "hovra_stdafx.h"

#include "BitmapDialog.h"
#include "BitmapPanel.h"

#include <list>

class CStackDialog;
class CHovraLaunchDlg;

class CStackPanel : public CBitmapPanel
{
public:
    CStackPanel(UINT nIdTemplate, CWnd* pParent);
    ~CStackPanel() override = default;

    // The launchpad's main window, which every panel lives in and shares its state with.
    CHovraLaunchDlg* MainDialog() const;

    virtual void OnPanelShow() {}
    virtual void OnPanelHide() {}
    virtual void OnPanelCreated() {}
    virtual void OnPanelDestroying() {}

protected:
    BOOL OnInitDialog() override;
    void OnDestroy();
    // Enter and Escape inside a panel never end it.
    void OnOK() override {}
    void OnCancel() override {}

    // Makes the page's two fonts from the dialog font: the heading at 1.75 times its size in the
    // main window's heading weight, the body text as the dialog font is. They live until the
    // panel is destroyed.
    void CreatePageFonts();
    CFont m_fontHeading;
    CFont m_fontBody;

    DECLARE_MESSAGE_MAP()
};

struct PanelEntry
{
    INT32 m_bCreated = FALSE;
    INT32 m_bShown = FALSE;
    INT32 m_nPanelId = 0;
    CStackPanel* m_pPanel = nullptr;
    CStackDialog* m_pOwner = nullptr;
};

class CStackDialog : public CBitmapDialog
{
public:
    CStackDialog(UINT nPlaceholderId, UINT nIdTemplate, CWnd* pParent);
    ~CStackDialog() override = default;

    PanelEntry* AddPanel(UINT nPanelId);
    void ShowPanel(UINT nPanelId);
    virtual PanelEntry* FindPanel(UINT nPanelId);

protected:
    virtual CStackPanel* CreatePanel(UINT nPanelId) = 0;
    virtual void OnPanelChanged(UINT nPanelId, bool bShown) = 0;

    BOOL OnInitDialog() override;
    void OnDestroy();

    UINT m_nPlaceholderId;
    std::list<PanelEntry> m_panels; // in the order added; searches run front to back

    DECLARE_MESSAGE_MAP()
};
