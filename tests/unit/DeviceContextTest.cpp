#include <gtest/gtest.h>

#include <string>

#include "DeviceContext.h"
#include "GdiObject.h"
#include "ResourceCounts.h"

namespace
{
// One use of a scoped context of each kind, left before drawing (bEarly) or after; gives the
// context it had, null when the system gave none.
HDC PaintOnce(HWND hWnd, bool bEarly)
{
    ::InvalidateRect(hWnd, nullptr, FALSE);
    CPaintDC dc(hWnd);
    if (dc.GetSafeHdc() == nullptr || bEarly)
        return dc;
    ::PatBlt(dc, 0, 0, 4, 4, BLACKNESS);
    return dc;
}

HDC DrawInClientOnce(HWND hWnd, bool bEarly)
{
    CClientDC dc(hWnd);
    if (dc.GetSafeHdc() == nullptr || bEarly)
        return dc;
    ::PatBlt(dc, 0, 0, 4, 4, BLACKNESS);
    return dc;
}

HDC DrawInMemoryOnce(HWND, bool bEarly)
{
    CMemoryDC dc(nullptr);
    if (dc.GetSafeHdc() == nullptr || bEarly)
        return dc;
    ::PatBlt(dc, 0, 0, 1, 1, BLACKNESS);
    return dc;
}

// Fills the system's cache of window device contexts to its limit (see SoakTest.cpp), so that a
// context never given back shows as one more device context rather than as a cache entry reused.
void FillDeviceContextCache(HWND hWnd)
{
    HDC aDcs[64];
    for (HDC& hdc : aDcs)
        hdc = ::GetDC(hWnd);
    for (HDC hdc : aDcs)
        ::ReleaseDC(hWnd, hdc);
}
} // namespace

// A kept paint context shows as a region more, a kept memory context as a device context more.
// A kept client context shows in neither (the system then serves the window from another free
// entry of its full cache), but the cache gives a window's next request the entry it gave back
// last: a kept one makes it give another.
TEST(DeviceContext, ScopedContextsAreGivenBackOnEveryReturn)
{
    struct Case
    {
        const char* pszName;
        HDC (*pfnUse)(HWND, bool);
        bool bReusedNext; // by the window's next GetDC
    };
    const Case cases[] = {
        {"paint", &PaintOnce, false},
        {"client", &DrawInClientOnce, true},
        {"memory", &DrawInMemoryOnce, false},
    };
    HWND hWnd =
        ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    FillDeviceContextCache(hWnd);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        ASSERT_NE(nullptr, c.pfnUse(hWnd, false)); // the first use may leave what the system keeps once
        const ResourceCounts before = TakeResourceCounts();
        for (int n = 0; n < 20; ++n)
        {
            const bool bEarly = n % 2 == 0;
            const HDC hUsed = c.pfnUse(hWnd, bEarly);
            EXPECT_NE(nullptr, hUsed);
            if (c.bReusedNext)
            {
                const HDC hNext = ::GetDC(hWnd);
                EXPECT_EQ(hUsed, hNext) << (bEarly ? "early return" : "drawn");
                ::ReleaseDC(hWnd, hNext);
            }
        }
        const ResourceCounts after = TakeResourceCounts();
        EXPECT_TRUE(before.SameObjects(after)) << before.Describe() << "\n" << after.Describe();
    }
    ::DestroyWindow(hWnd);
}

TEST(DeviceContext, SelectionIsUndoneOnEveryReturn)
{
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(4, 5, 6)));
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(4, 4, 1, 1, nullptr));
    ASSERT_NE(nullptr, bitmap.GetSafeHandle());

    struct Case
    {
        const char* pszName;
        HGDIOBJ hObject;
        UINT nKind;
    };
    const Case cases[] = {
        {"pen", pen, OBJ_PEN},
        {"brush", brush, OBJ_BRUSH},
        {"bitmap", bitmap, OBJ_BITMAP},
    };
    for (const Case& c : cases)
    {
        for (bool bEarly : {true, false})
        {
            SCOPED_TRACE(std::string(c.pszName) + (bEarly ? ", early return" : ", drawn"));
            CMemoryDC dc(nullptr);
            ASSERT_NE(nullptr, dc.GetSafeHdc());
            const HGDIOBJ hBefore = ::GetCurrentObject(dc, c.nKind);
            ASSERT_NE(c.hObject, hBefore);
            [&]
            {
                CSelectObject select(dc, c.hObject);
                EXPECT_EQ(c.hObject, ::GetCurrentObject(dc, c.nKind));
                if (bEarly)
                    return;
                ::PatBlt(dc, 0, 0, 1, 1, PATCOPY);
            }();
            EXPECT_EQ(hBefore, ::GetCurrentObject(dc, c.nKind));
        }
    }
}

// Every pixel of a surface with the frame drawn inside it, away from its edges: the top row and
// left column but their last pixels take the top-left colour, the bottom row and right column the
// bottom-right one, and nothing else changes; nor do the context's background colour and mode.
TEST(DeviceContext, ThinEdgeDrawsOnePixelOnEachSideAndLeavesTheContextAsItWas)
{
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(clrShadow, clrHighlight);
    constexpr COLORREF kSurface = RGB(255, 0, 255);
    constexpr COLORREF kBk = RGB(10, 20, 30);
    constexpr int kWidth = 9, kHeight = 7;
    const RECT rc{1, 2, 7, 6};

    for (bool bSunken : {true, false})
    {
        for (int nBkMode : {OPAQUE, TRANSPARENT})
        {
            SCOPED_TRACE(std::string(bSunken ? "sunken" : "raised") +
                         (nBkMode == OPAQUE ? ", opaque" : ", transparent"));
            CMemoryDC dc(nullptr);
            ASSERT_NE(nullptr, dc.GetSafeHdc());
            CBitmap surface; // in the screen's colours
            surface.Attach(::CreateCompatibleBitmap(CClientDC(nullptr), kWidth, kHeight));
            ASSERT_NE(nullptr, surface.GetSafeHandle());
            CSelectObject select(dc, surface);
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    ::SetPixel(dc, x, y, kSurface);
            ::SetBkColor(dc, kBk);
            ::SetBkMode(dc, nBkMode);

            DrawThinEdge(dc, rc, bSunken);

            const COLORREF clrTopLeft = bSunken ? clrShadow : clrHighlight;
            const COLORREF clrBottomRight = bSunken ? clrHighlight : clrShadow;
            for (int y = 0; y < kHeight; ++y)
            {
                for (int x = 0; x < kWidth; ++x)
                {
                    const bool bInside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
                    COLORREF expected = kSurface;
                    if (bInside && (x == rc.right - 1 || y == rc.bottom - 1))
                        expected = clrBottomRight;
                    else if (bInside && (x == rc.left || y == rc.top))
                        expected = clrTopLeft;
                    EXPECT_EQ(expected, ::GetPixel(dc, x, y)) << "(" << x << ", " << y << ")";
                }
            }
            EXPECT_EQ(kBk, ::GetBkColor(dc));
            EXPECT_EQ(nBkMode, ::GetBkMode(dc));
        }
    }
}
