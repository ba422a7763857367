#include "hovra_stdafx.h"

#include "BitmapPanel.h"

BEGIN_MESSAGE_MAP(CBitmapPanel, CDialog)
ON_MESSAGE_VOID(WM_DESTROY, &CBitmapPanel::OnDestroy)
ON_MESSAGE(WM_ERASEBKGND, &CBitmapPanel::OnEraseBkgnd)
ON_WM_CTLCOLOR(&CBitmapPanel::OnCtlColor)
END_MESSAGE_MAP()

CBitmapPanel::CBitmapPanel(UINT nIdTemplate, CWnd* pParent)
    : CDialog(nIdTemplate, pParent), m_clrBackground(::GetSysColor(COLOR_WINDOW))
{
}

void CBitmapPanel::SetBackgroundColor(COLORREF clr)
{
    m_clrBackground = clr;
    m_brBackground.CreateSolidBrush(clr);
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CBitmapPanel::SetTransparentControls(BOOL bTransparent)
{
    m_bTransparent = bTransparent;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CBitmapPanel::SetFrameStyle(INT32 nFrameStyle)
{
    m_nFrameStyle = nFrameStyle;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

BOOL CBitmapPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_brHollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    m_brBackground.CreateSolidBrush(m_clrBackground);
    GetClientRect(&m_rcClient);
    return TRUE;
}

void CBitmapPanel::OnDestroy()
{
    Default();
    m_brBackground.DeleteObject();
    m_brHollow = nullptr;
}

LRESULT CBitmapPanel::OnEraseBkgnd(WPARAM wParam, LPARAM)
{
    HDC hdc = reinterpret_cast<HDC>(wParam);
    ::SetBkColor(hdc, m_clrBackground);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &m_rcClient, nullptr, 0, nullptr);
    return TRUE;
}

HBRUSH CBitmapPanel::OnCtlColor(HDC hdc, HWND, UINT)
{
    if (m_bTransparent != TRUE)
        return reinterpret_cast<HBRUSH>(Default());
    ::SetBkMode(hdc, TRANSPARENT);
    return m_brHollow;
}

bool CBitmapPanel::EnsureTooltip()
{
    if (m_tooltip.m_hWnd != nullptr)
        return true;
    if (!m_tooltip.Create(this))
        return false;
    m_tooltip.Activate(FALSE);
    m_tooltip.SetMaxTipWidth(400);
    return true;
}

BOOL CBitmapPanel::PreTranslateMessage(MSG* pMsg)
{
    // Only the mouse matters to a tooltip; it is made when the mouse first comes to the panel.
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST && EnsureTooltip())
        m_tooltip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CBitmapPanel::AddTooltip(const wchar_t* pszText, const RECT* pRect, UINT nIdTool, BOOL bActivate)
{
    if (pszText == nullptr || pRect == nullptr || nIdTool == 0 || !EnsureTooltip())
        return;
    if (m_tooltip.HasTool(this, nIdTool))
        m_tooltip.DelTool(this, nIdTool);
    if (*pszText == L'\0')
        return;
    m_tooltip.AddTool(this, pszText, *pRect, nIdTool);
    m_tooltip.UpdateTipText(pszText, this, nIdTool);
    m_tooltip.Activate(bActivate);
}
