#include <gtest/gtest.h>

#include "LedCtrl.h"
#include "resource.h"

// The light is drawn into a real window on the test display and read back from it. Before each
// drawing the control's area is filled with a colour that the images never use, so every pixel
// shows whether it came from the image or from the background.
namespace
{
constexpr COLORREF kBackground = RGB(30, 90, 150);
constexpr int kLedWidth = 18;
constexpr int kLedHeight = 14;

// The pixels of one light image, read from the program's resources.
class CLedImage
{
public:
    explicit CLedImage(UINT nId)
    {
        HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageW(
            ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (hBitmap == nullptr)
            return;
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        for (int y = 0; y < kLedHeight; ++y)
            for (int x = 0; x < kLedWidth; ++x)
                m_pixels[y][x] = ::GetPixel(hdc, x, y);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        ::DeleteObject(hBitmap);
        m_bLoaded = true;
    }
    bool m_bLoaded = false;
    COLORREF m_pixels[kLedHeight][kLedWidth] = {};

    // What the light leaves at (x, y) of its own area over the test background.
    COLORREF Over(int x, int y) const
    {
        const COLORREF clr = m_pixels[y][x];
        return clr == RGB(255, 255, 255) ? kBackground : clr;
    }
};

// A visible top-level window holding one LED of the given client size.
class CLedHost
{
public:
    CLedHost(int cx, int cy)
    {
        HWND hHost = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 200, 200, 120, 80, nullptr,
                                       nullptr, nullptr, nullptr);
        if (hHost == nullptr || !m_host.SubclassWindow(hHost))
            return;
        m_led.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, RECT{10, 10, 10 + cx, 10 + cy}, &m_host,
                       1234);
        Settle();
    }
    ~CLedHost()
    {
        if (m_host.m_hWnd != nullptr)
            ::DestroyWindow(m_host.m_hWnd);
    }

    // Lets every pending paint happen, so nothing paints over what the test draws next.
    static void Settle()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }

    void FillBackground()
    {
        HDC hdc = ::GetDC(m_led.m_hWnd);
        RECT rc{};
        m_led.GetClientRect(&rc);
        HBRUSH hBrush = ::CreateSolidBrush(kBackground);
        ::FillRect(hdc, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::ReleaseDC(m_led.m_hWnd, hdc);
    }

    COLORREF Pixel(int x, int y) const
    {
        HDC hdc = ::GetDC(m_led.m_hWnd);
        const COLORREF clr = ::GetPixel(hdc, x, y);
        ::ReleaseDC(m_led.m_hWnd, hdc);
        return clr;
    }

    // Compares the control's client area with the light drawn at (left, top) over the test
    // background; reports the first difference.
    ::testing::AssertionResult ShowsLight(const CLedImage& image, int left, int top) const
    {
        RECT rc{};
        m_led.GetClientRect(&rc);
        HDC hdc = ::GetDC(m_led.m_hWnd);
        ::testing::AssertionResult result = ::testing::AssertionSuccess();
        for (int y = 0; y < rc.bottom && result; ++y)
        {
            for (int x = 0; x < rc.right && result; ++x)
            {
                const bool bInLight = x >= left && x < left + kLedWidth && y >= top && y < top + kLedHeight;
                const COLORREF expected = bInLight ? image.Over(x - left, y - top) : kBackground;
                const COLORREF actual = ::GetPixel(hdc, x, y);
                if (actual != expected)
                    result = ::testing::AssertionFailure()
                             << "pixel (" << x << ", " << y << ") is 0x" << std::hex << actual
                             << ", expected 0x" << expected;
            }
        }
        ::ReleaseDC(m_led.m_hWnd, hdc);
        return result;
    }

    CWnd m_host;
    CLedCtrl m_led;
};

class LedCtrlTest : public ::testing::Test
{
protected:
    CLedImage m_red{IDB_LED_RED};
    CLedImage m_green{IDB_LED_GREEN};

    void SetUp() override
    {
        ASSERT_TRUE(m_red.m_bLoaded);
        ASSERT_TRUE(m_green.m_bLoaded);
        // The test relies on the images having white corners and a coloured middle.
        ASSERT_EQ(RGB(255, 255, 255), m_red.m_pixels[0][0]);
        ASSERT_NE(RGB(255, 255, 255), m_red.m_pixels[kLedHeight / 2][kLedWidth / 2]);
    }
};

TEST_F(LedCtrlTest, OnlyState600ShowsTheGreenLight)
{
    CLedHost host(18, 14);
    ASSERT_NE(nullptr, host.m_led.m_hWnd);
    EXPECT_EQ(0, host.m_led.GetState());

    struct Case
    {
        int nState;
        bool bGreen;
    };
    const Case cases[] = {{600, true}, {500, false}, {0, false}, {601, false}, {-600, false}, {600, true}};
    for (const Case& c : cases)
    {
        host.FillBackground();
        host.m_led.SetState(c.nState); // draws at once, no repaint needed
        EXPECT_EQ(c.nState, host.m_led.GetState());
        EXPECT_TRUE(host.ShowsLight(c.bGreen ? m_green : m_red, 0, 0)) << "state " << c.nState;
    }
}

TEST_F(LedCtrlTest, LightIsCentredWhenItFitsAndDrawnFromTheTopLeftOtherwise)
{
    struct Case
    {
        int cx, cy;
        int left, top;
    };
    const Case cases[] = {
        {18, 14, 0, 0},  // exactly the light
        {25, 21, 3, 3},  // odd leftovers: halves rounded down
        {40, 30, 11, 8}, //
        {10, 8, 0, 0},   // too small both ways: clipped at the right and bottom
        {30, 10, 0, 0},  // wide enough but not high enough
        {12, 30, 0, 0},  // high enough but not wide enough
    };
    for (const Case& c : cases)
    {
        CLedHost host(c.cx, c.cy);
        ASSERT_NE(nullptr, host.m_led.m_hWnd);
        host.FillBackground();
        host.m_led.SetState(CLedCtrl::LED_GREEN);
        EXPECT_TRUE(host.ShowsLight(m_green, c.left, c.top)) << c.cx << " x " << c.cy;
    }
}

TEST_F(LedCtrlTest, PaintingDrawsTheStoredStateWithoutErasingTheBackground)
{
    CLedHost host(30, 20);
    ASSERT_NE(nullptr, host.m_led.m_hWnd);
    host.FillBackground();
    // A repaint with erasing asked for: the control must not erase, so the corners keep the colour
    // we put there, and the light of state 0 (red) is painted in the middle.
    HDC hdc = ::GetDC(host.m_led.m_hWnd);
    EXPECT_NE(0, host.m_led.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc)));
    ::ReleaseDC(host.m_led.m_hWnd, hdc);
    ::InvalidateRect(host.m_led.m_hWnd, nullptr, TRUE);
    ::UpdateWindow(host.m_led.m_hWnd);
    EXPECT_EQ(kBackground, host.Pixel(0, 0));
    EXPECT_EQ(kBackground, host.Pixel(29, 19));
    EXPECT_TRUE(host.ShowsLight(m_red, 6, 3));
}
} // namespace
