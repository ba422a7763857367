// CBitmapDialog: the base of the top-level dialogs. Paints a solid background and, optionally, a
// bitmap over the client area and over a band marked by a hidden control; gives child controls
// hollow backgrounds; lets the user move the caption-less window by dragging its background.
// Records at construction whether Windows runs in high-contrast mode.
#pragma once

#include "hovra_stdafx.h"

class CBitmapDialog : public CDialog
{
public:
    CBitmapDialog(UINT nIdTemplate, CWnd* pParent);
    ~CBitmapDialog() override = default;

    void SetBitmap(UINT nBitmapId, UINT nBandCtrlId);
    void SetBackgroundColor(COLORREF clr);
    void SetTransparentControls(BOOL bTransparent);

    BOOL m_bHighContrast;

protected:
    BOOL OnInitDialog() override;

    void OnDestroy();
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    // The capture went elsewhere (Alt+Tab, another window took it) or a cancel-mode request came:
    // the drag is over, whatever the button does next.
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCancelMode(WPARAM wParam, LPARAM lParam);

    UINT m_nBitmapId = 0;
    UINT m_nBandCtrlId = 0;
    RECT m_rcBand{};
    CBitmap m_bitmap;
    HBRUSH m_brHollow = nullptr; // the stock hollow brush: not owned
    RECT m_rcClient{};
    BITMAP m_bmInfo{};
    BOOL m_bTransparent = FALSE;
    COLORREF m_clrBackground;
    CBrush m_brBackground;
    POINT m_ptDragStart{};
    BOOL m_bDragging = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    void LoadBackgroundBitmap();
};
