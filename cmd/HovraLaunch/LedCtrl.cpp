#include "hovra_stdafx.h"

#include "LedCtrl.h"

BEGIN_MESSAGE_MAP(CLedCtrl, CStatic)
ON_MESSAGE(WM_PAINT, &CLedCtrl::OnPaint)
ON_MESSAGE(WM_ERASEBKGND, &CLedCtrl::OnEraseBkgnd)
ON_MESSAGE(WM_CREATE, &CLedCtrl::OnCreate)
END_MESSAGE_MAP()

CLedCtrl::CLedCtrl()
{
    m_bmpRed.LoadBitmap(IDB_LED_RED);
    m_bmpGreen.LoadBitmap(IDB_LED_GREEN);
}

CLedCtrl::~CLedCtrl() = default; // the bitmaps go with their wrappers

void CLedCtrl::SetState(int nState)
{
    m_nState = nState;
    if (m_hWnd == nullptr)
        return;
    HDC hdc = ::GetDC(m_hWnd);
    if (hdc == nullptr)
        return;
    DrawLed(hdc);
    ::ReleaseDC(m_hWnd, hdc);
}

LRESULT CLedCtrl::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT ps{};
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    if (hdc != nullptr)
        DrawLed(hdc);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CLedCtrl::OnEraseBkgnd(WPARAM, LPARAM)
{
    return TRUE; // the parent's background shows around and under the light
}

LRESULT CLedCtrl::OnCreate(WPARAM, LPARAM)
{
    return Default(); // the bitmaps are loaded by the constructor already
}

// Draws the light over the pixels already in the target, leaving them where the image is white.
void CLedCtrl::DrawLed(HDC hdc)
{
    const HBITMAP hImage = m_nState == LED_GREEN ? m_bmpGreen : m_bmpRed;
    if (hImage == nullptr)
        return; // an image that could not be loaded shows nothing
    const int cx = static_cast<int>(m_nWidth);
    const int cy = static_cast<int>(m_nHeight);

    // Centred when the control is large enough; from its top-left corner (clipped) otherwise.
    RECT rc{};
    GetClientRect(&rc);
    if (rc.right - rc.left >= cx && rc.bottom - rc.top >= cy)
    {
        const int dx = (rc.right - rc.left - cx) / 2;
        const int dy = (rc.bottom - rc.top - cy) / 2;
        ::InflateRect(&rc, -dx, -dy);
    }

    HDC hdcImage = ::CreateCompatibleDC(hdc);
    HDC hdcMask = ::CreateCompatibleDC(hdc);
    HDC hdcWork = ::CreateCompatibleDC(hdc);
    CBitmap bmpMask;
    bmpMask.Attach(::CreateBitmap(cx, cy, 1, 1, nullptr)); // monochrome
    CBitmap bmpWork;
    bmpWork.Attach(::CreateCompatibleBitmap(hdc, cx, cy));
    if (hdcImage != nullptr && hdcMask != nullptr && hdcWork != nullptr && bmpMask != nullptr &&
        bmpWork != nullptr)
    {
        CSelectObject selectImage(hdcImage, hImage);
        CSelectObject selectMask(hdcMask, bmpMask);
        CSelectObject selectWork(hdcWork, bmpWork);

        // The background under the light.
        ::BitBlt(hdcWork, 0, 0, cx, cy, hdc, rc.left, rc.top, SRCCOPY);

        // Mask: 1 where the image is white, 0 elsewhere.
        const COLORREF clrOldBk = ::SetBkColor(hdcImage, m_clrTransparent);
        ::BitBlt(hdcMask, 0, 0, cx, cy, hdcImage, 0, 0, SRCCOPY);
        ::SetBkColor(hdcWork, clrOldBk);

        // background ^ image, cleared where the image is opaque, ^ image again: the background
        // stays where the image is white and the image replaces it everywhere else.
        ::BitBlt(hdcWork, 0, 0, cx, cy, hdcImage, 0, 0, SRCINVERT);
        ::BitBlt(hdcWork, 0, 0, cx, cy, hdcMask, 0, 0, SRCAND);
        ::BitBlt(hdcWork, 0, 0, cx, cy, hdcImage, 0, 0, SRCINVERT);

        ::BitBlt(hdc, rc.left, rc.top, cx, cy, hdcWork, 0, 0, SRCCOPY);
    }
    for (HDC hdcTemp : {hdcImage, hdcMask, hdcWork})
    {
        if (hdcTemp != nullptr)
            ::DeleteDC(hdcTemp);
    }
}
