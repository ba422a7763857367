// CBitmapPanel: the base of the child panels. Paints a solid background, gives child controls
// hollow backgrounds, and owns a tooltip control through which a panel gives tooltips to
// rectangles of its client area.
#pragma once

#include "hovra_stdafx.h"

#include "ToolTipCtrl.h"

class CBitmapPanel : public CDialog
{
public:
    CBitmapPanel(UINT nIdTemplate, CWnd* pParent);
    ~CBitmapPanel() override = default;

    void SetBackgroundColor(COLORREF clr);
    void SetTransparentControls(BOOL bTransparent);
    void SetFrameStyle(INT32 nFrameStyle);
    // Registers (or, with an empty text, only removes) the tooltip of a client rectangle.
    void AddTooltip(const wchar_t* pszText, const RECT* pRect, UINT nIdTool, BOOL bActivate);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;

    void OnDestroy();
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(HDC hdc, HWND hCtrl, UINT nCtlColor);

    HBRUSH m_brHollow = nullptr; // the stock hollow brush: not owned
    RECT m_rcClient{};
    COLORREF m_clrBackground;
    CBrush m_brBackground;
    INT32 m_nFrameStyle = 0;
    BOOL m_bTransparent = FALSE;
    CToolTipCtrl m_tooltip;

    DECLARE_MESSAGE_MAP()

private:
    bool EnsureTooltip();
};
