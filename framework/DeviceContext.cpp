#include "DeviceContext.h"

void DrawThinEdge(HDC hdc, const RECT& rc, bool bSunken)
{
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrTopLeft = bSunken ? clrShadow : clrHighlight;
    const COLORREF clrBottomRight = bSunken ? clrHighlight : clrShadow;
    const COLORREF clrOldBk = ::GetBkColor(hdc);
    auto fill = [hdc](const RECT& r, COLORREF clr)
    {
        ::SetBkColor(hdc, clr);
        ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    };
    fill(RECT{rc.left, rc.top, rc.right - 1, rc.top + 1}, clrTopLeft);
    fill(RECT{rc.left, rc.top, rc.left + 1, rc.bottom - 1}, clrTopLeft);
    fill(RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, clrBottomRight);
    fill(RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, clrBottomRight);
    ::SetBkColor(hdc, clrOldBk);
}
