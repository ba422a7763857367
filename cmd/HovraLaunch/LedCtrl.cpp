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
    CClientDC dc(m_hWnd);
    if (dc.GetSafeHdc() != nullptr)
        DrawLed(dc);
}

LRESULT CLedCtrl::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    if (dc.GetSafeHdc() != nullptr)
        DrawLed(dc);
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

    CMemoryDC dcImage(hdc);
    CMemoryDC dcMask(hdc);
    CMemoryDC dcWork(hdc);
    CBitmap bmpMask;
    bmpMask.Attach(::CreateBitmap(cx, cy, 1, 1, nullptr)); // monochrome
    CBitmap bmpWork;
    bmpWork.Attach(::CreateCompatibleBitmap(hdc, cx, cy));
    if (dcImage.GetSafeHdc() == nullptr || dcMask.GetSafeHdc() == nullptr || dcWork.GetSafeHdc() == nullptr ||
        bmpMask == nullptr || bmpWork == nullptr)
        return;
    CSelectObject selectImage(dcImage, hImage);
    CSelectObject selectMask(dcMask, bmpMask);
    CSelectObject selectWork(dcWork, bmpWork);

    // The background under the light.
    ::BitBlt(dcWork, 0, 0, cx, cy, hdc, rc.left, rc.top, SRCCOPY);

    // Mask: 1 where the image is white, 0 elsewhere. The image's context gets its background
    // colour back. The work context keeps the colours every new memory context starts with, black
    // text and white background: the SRCAND below turns the mask's 0s into the one and its 1s into
    // the other.
    const COLORREF clrOldBk = ::SetBkColor(dcImage, m_clrTransparent);
    ::BitBlt(dcMask, 0, 0, cx, cy, dcImage, 0, 0, SRCCOPY);
    ::SetBkColor(dcImage, clrOldBk);

    // background ^ image, cleared where the image is opaque, ^ image again: the background
    // stays where the image is white and the image replaces it everywhere else.
    ::BitBlt(dcWork, 0, 0, cx, cy, dcImage, 0, 0, SRCINVERT);
    ::BitBlt(dcWork, 0, 0, cx, cy, dcMask, 0, 0, SRCAND);
    ::BitBlt(dcWork, 0, 0, cx, cy, dcImage, 0, 0, SRCINVERT);

    ::BitBlt(hdc, rc.left, rc.top, cx, cy, dcWork, 0, 0, SRCCOPY);
}
