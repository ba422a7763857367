#include "hovra_stdafx.h"

#include "BitmapDialog.h"
#include "HighContrast.h"

#include <windowsx.h>

BEGIN_MESSAGE_MAP(CBitmapDialog, CDialog)
ON_MESSAGE_VOID(WM_DESTROY, &CBitmapDialog::OnDestroy)
ON_MESSAGE(WM_ERASEBKGND, &CBitmapDialog::OnEraseBkgnd)
ON_WM_CTLCOLOR(&CBitmapDialog::OnCtlColor)
ON_MESSAGE(WM_LBUTTONDOWN, &CBitmapDialog::OnLButtonDown)
ON_MESSAGE(WM_LBUTTONUP, &CBitmapDialog::OnLButtonUp)
ON_MESSAGE(WM_MOUSEMOVE, &CBitmapDialog::OnMouseMove)
ON_MESSAGE(WM_CAPTURECHANGED, &CBitmapDialog::OnCaptureChanged)
ON_MESSAGE(WM_CANCELMODE, &CBitmapDialog::OnCancelMode)
END_MESSAGE_MAP()

CBitmapDialog::CBitmapDialog(UINT nIdTemplate, CWnd* pParent)
    : CDialog(nIdTemplate, pParent), m_bHighContrast(IsHighContrastOn()),
      m_clrBackground(::GetSysColor(COLOR_WINDOWFRAME))
{
}

void CBitmapDialog::LoadBackgroundBitmap()
{
    m_bitmap.LoadBitmap(m_nBitmapId);
    m_bmInfo = BITMAP{};
    if (m_bitmap.GetSafeHandle() != nullptr)
        ::GetObjectW(m_bitmap, sizeof m_bmInfo, &m_bmInfo);
}

void CBitmapDialog::SetBitmap(UINT nBitmapId, UINT nBandCtrlId)
{
    m_nBitmapId = nBitmapId;
    m_nBandCtrlId = nBandCtrlId;
    if (nBitmapId != 0 && m_hWnd != nullptr)
    {
        LoadBackgroundBitmap();
        Invalidate(TRUE);
    }
}

void CBitmapDialog::SetBackgroundColor(COLORREF clr)
{
    m_clrBackground = clr;
    m_brBackground.CreateSolidBrush(clr);
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CBitmapDialog::SetTransparentControls(BOOL bTransparent)
{
    m_bTransparent = bTransparent;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

BOOL CBitmapDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_nBitmapId != 0)
        LoadBackgroundBitmap();
    m_brHollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    m_brBackground.CreateSolidBrush(m_clrBackground);
    GetClientRect(&m_rcClient);
    if (m_nBandCtrlId != 0)
    {
        // The band control's place in this dialog's client area, wherever the dialog stands.
        HWND hBand = GetDlgItem(static_cast<int>(m_nBandCtrlId));
        if (hBand != nullptr)
        {
            ::GetWindowRect(hBand, &m_rcBand);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_rcBand), 2);
        }
    }
    return TRUE;
}

void CBitmapDialog::OnDestroy()
{
    Default();
    m_bitmap.DeleteObject();
    m_brBackground.DeleteObject();
    m_brHollow = nullptr;
}

LRESULT CBitmapDialog::OnEraseBkgnd(WPARAM wParam, LPARAM)
{
    HDC hdc = reinterpret_cast<HDC>(wParam);
    const RECT& rc = m_rcClient;
    ::SetBkColor(hdc, m_clrBackground);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    if (m_nBitmapId == 0)
        return Default();

    CMemoryDC dcMem(hdc);
    if (dcMem.GetSafeHdc() == nullptr)
        return Default();
    CSelectObject select(dcMem, m_bitmap);
    const int cxBitmap = m_bmInfo.bmWidth, cyBitmap = m_bmInfo.bmHeight;
    const int cyBand = m_rcBand.bottom - m_rcBand.top;
    const int cxDest = rc.right - rc.left, cyDest = (rc.bottom - rc.top) - cyBand;
    // The bitmap's rows below the band height, stretched over the rest of the client area;
    // nothing is read beyond the bitmap's last row.
    const int ySource = cyBand + rc.top;
    if (cyBitmap > 0 && ySource < cyBitmap && cyDest > 0)
    {
        const int cySource = cyBitmap - ySource;
        ::StretchBlt(hdc, rc.left, rc.top, cxDest, MulDiv(cyDest, cySource, cyBitmap), dcMem, 0, ySource,
                     cxBitmap, cySource, SRCCOPY);
    }
    if (m_rcBand.right - m_rcBand.left != 0 || cyBand != 0)
        ::StretchBlt(hdc, m_rcBand.left, m_rcBand.top, m_rcBand.right - m_rcBand.left, cyBand, dcMem, 0, 0,
                     cxBitmap, cyBitmap, SRCCOPY);
    return TRUE;
}

HBRUSH CBitmapDialog::OnCtlColor(HDC hdc, HWND, UINT)
{
    if (m_nBitmapId == 0 && m_bTransparent != TRUE)
        return reinterpret_cast<HBRUSH>(Default());
    ::SetBkMode(hdc, OPAQUE);
    return m_brHollow;
}

LRESULT CBitmapDialog::OnLButtonDown(WPARAM, LPARAM lParam)
{
    m_bDragging = TRUE;
    m_ptDragStart = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::SetCapture(m_hWnd);
    return Default();
}

LRESULT CBitmapDialog::OnLButtonUp(WPARAM, LPARAM)
{
    m_bDragging = FALSE;
    ::ReleaseCapture();
    return Default();
}

LRESULT CBitmapDialog::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != m_hWnd)
        m_bDragging = FALSE;
    return Default();
}

LRESULT CBitmapDialog::OnCancelMode(WPARAM, LPARAM)
{
    if (m_bDragging)
    {
        m_bDragging = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
    return Default();
}

LRESULT CBitmapDialog::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Default();
    if (m_bDragging && (wParam & MK_LBUTTON) == 0)
        m_bDragging = FALSE; // the button came up where this window could not see it
    if (m_bDragging)
    {
        RECT rcWindow{};
        GetWindowRect(&rcWindow);
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::ClientToScreen(m_hWnd, &pt);
        ::MoveWindow(m_hWnd, pt.x - m_ptDragStart.x, pt.y - m_ptDragStart.y, rcWindow.right - rcWindow.left,
                     rcWindow.bottom - rcWindow.top, TRUE);
    }
    return result;
}
