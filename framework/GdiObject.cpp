#include "GdiObject.h"

#include "WinApp.h"

BOOL CBitmap::LoadBitmap(UINT nId)
{
    Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId)));
    return m_h != nullptr;
}

BOOL CBitmap::LoadBitmap(UINT nId, int cx, int cy)
{
    Attach(static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId), IMAGE_BITMAP, cx,
                                             cy, LR_CREATEDIBSECTION)));
    return m_h != nullptr;
}

BOOL CIconHandle::LoadIcon(UINT nId, int cx, int cy)
{
    Attach(static_cast<HICON>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId), IMAGE_ICON, cx, cy, 0)));
    return m_h != nullptr;
}

BOOL CCursorHandle::LoadCursor(UINT nId)
{
    Attach(static_cast<HCURSOR>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
    return m_h != nullptr;
}
