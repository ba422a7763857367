#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "HighContrast.h"
#include "LaunchpadHarness.h"
#include "StyleButton.h"
#include "resource.h"

namespace
{
constexpr UINT kButtonDialog = 9003;
constexpr UINT kCheck = 9301;
constexpr UINT kDefault = 9302;
constexpr UINT kPlain = 9303;
constexpr UINT kEmpty = 9304;

// Colours no system colour uses, so each pixel tells which slot painted it.
constexpr COLORREF kSlots[6] = {RGB(250, 20, 20), RGB(120, 0, 0),   RGB(20, 200, 20),
                                RGB(0, 90, 0),    RGB(20, 20, 250), RGB(0, 0, 110)};

// The button with its state open to the tests.
class CProbeButton : public CStyleButton
{
public:
    using CStyleButton::m_aColors;
    using CStyleButton::m_aIcons;
    using CStyleButton::m_bCheckStyle;
    using CStyleButton::m_bDefault;
    using CStyleButton::m_bFlat;
    using CStyleButton::m_bHover;
    using CStyleButton::m_hCursor;
    using CStyleButton::m_tooltip;

    void UseTestColours()
    {
        for (BYTE i = 0; i < 6; ++i)
            SetColorSlot(i, kSlots[i], FALSE);
    }
};

// A visible dialog from the test template; clicks on the check button are written down with the
// check state the button had when the dialog's own handler ran.
class CButtonHost : public CDialog
{
public:
    CButtonHost() : CDialog(kButtonDialog, nullptr) {}
    ~CButtonHost() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }

    bool Open()
    {
        if (!Create(kButtonDialog, nullptr))
            return false;
        ::SetWindowPos(m_hWnd, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(m_hWnd);
        Pump();
        return true;
    }

    static void Pump()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    CProbeButton* m_pWatched = nullptr;
    std::vector<BOOL> m_checkSeen; // one entry per click on kCheck
    int m_nPlainClicks = 0;

protected:
    void OnCheckClicked() { m_checkSeen.push_back(m_pWatched != nullptr ? m_pWatched->GetChecked() : -1); }
    void OnPlainClicked() { ++m_nPlainClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonHost, CDialog)
ON_CONTROL(BN_CLICKED, kCheck, &CButtonHost::OnCheckClicked)
ON_CONTROL(BN_CLICKED, kPlain, &CButtonHost::OnPlainClicked)
END_MESSAGE_MAP()

// A 32-bit memory surface the tests hand to DrawItem, as the button's parent would.
class CSurface
{
public:
    CSurface(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_hdc = ::CreateCompatibleDC(nullptr);
        m_hBitmap = ::CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_hOld = ::SelectObject(m_hdc, m_hBitmap);
        Fill(RGB(255, 0, 255));
    }
    ~CSurface()
    {
        ::SelectObject(m_hdc, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hdc);
    }
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    void Fill(COLORREF clr)
    {
        RECT rc{0, 0, m_cx, m_cy};
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::FillRect(m_hdc, &rc, hBrush);
        ::DeleteObject(hBrush);
    }

    void Draw(CStyleButton& button, UINT nItemState)
    {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = static_cast<UINT>(button.GetDlgCtrlID());
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = nItemState;
        dis.hwndItem = button.m_hWnd;
        dis.hDC = m_hdc;
        dis.rcItem = RECT{0, 0, m_cx, m_cy};
        button.DrawItem(&dis);
    }

    COLORREF At(int x, int y) const { return ::GetPixel(m_hdc, x, y); }

    int Count(COLORREF clr) const
    {
        int n = 0;
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                n += At(x, y) == clr ? 1 : 0;
        return n;
    }

    bool SameAs(const CSurface& other) const
    {
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                if (At(x, y) != other.At(x, y))
                    return false;
        return true;
    }

    HDC m_hdc;
    int m_cx, m_cy;

private:
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

// Runs a test with high contrast reported as on or off, whatever the system says.
class CHighContrastScope
{
public:
    explicit CHighContrastScope(bool bOn) { SetHighContrastProbe(bOn ? &On : &Off); }
    ~CHighContrastScope() { SetHighContrastProbe(nullptr); }

private:
    static bool On() { return true; }
    static bool Off() { return false; }
};

// Screen point at the middle of a window.
POINT MiddleOf(HWND hWnd)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void MoveMouseTo(POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
}

// Waits (pumping messages) until the condition holds, at most about a second.
template <class Fn> bool WaitFor(Fn fnDone)
{
    for (int i = 0; i < 100; ++i)
    {
        CButtonHost::Pump();
        if (fnDone())
            return true;
        ::Sleep(10);
    }
    return false;
}

// The bounding box of the pixels of one colour; empty when there are none.
RECT BoundsOf(const CSurface& surface, COLORREF clr)
{
    RECT rc{surface.m_cx, surface.m_cy, 0, 0};
    for (int y = 0; y < surface.m_cy; ++y)
        for (int x = 0; x < surface.m_cx; ++x)
            if (surface.At(x, y) == clr)
            {
                rc.left = std::min<LONG>(rc.left, x);
                rc.top = std::min<LONG>(rc.top, y);
                rc.right = std::max<LONG>(rc.right, x + 1);
                rc.bottom = std::max<LONG>(rc.bottom, y + 1);
            }
    return rc;
}

// A host dialog shown on the display, with high contrast off unless a test says otherwise.
class StyleButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open());
        // Colours the border checks tell apart.
        ASSERT_NE(::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }

    CHighContrastScope m_flat{false};
    CButtonHost m_host;
};

TEST_F(StyleButtonTest, AttachingMakesTheButtonOwnerDrawnAndReadsItsType)
{
    struct Case
    {
        UINT nId;
        BOOL bCheckStyle;
        BOOL bDefault;
    };
    const Case cases[] = {{kCheck, TRUE, FALSE}, {kDefault, FALSE, TRUE}, {kPlain, FALSE, FALSE}};
    for (const Case& c : cases)
    {
        CProbeButton button;
        ASSERT_TRUE(button.SubclassDlgItem(c.nId, &m_host));
        const LONG_PTR style = button.GetStyle();
        EXPECT_EQ(BS_OWNERDRAW, style & 0x1F) << c.nId;
        EXPECT_TRUE(style & WS_TABSTOP) << c.nId; // the other bits stay
        EXPECT_EQ(c.bCheckStyle, button.m_bCheckStyle) << c.nId;
        EXPECT_EQ(c.bDefault, button.m_bDefault) << c.nId;
        EXPECT_TRUE(button.m_bFlat);
        button.UnsubclassWindow();
    }
}

TEST_F(StyleButtonTest, AttachedButtonPaintsItselfWhenTheDialogRedraws)
{
    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kEmpty, &m_host));
    button.UseTestColours();
    button.SetColorSlot(2, kSlots[2], TRUE);
    button.UpdateWindow(); // the button asks its dialog, which hands the drawing back to it
    HDC hdc = ::GetDC(button.m_hWnd);
    EXPECT_EQ(kSlots[2], ::GetPixel(hdc, 3, 3));
    ::ReleaseDC(button.m_hWnd, hdc);
}

TEST_F(StyleButtonTest, ColourSlotsStartFromTheSystemAndRejectSlotsBeyondFive)
{
    CProbeButton button;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT), button.m_aColors[i]) << i;

    EXPECT_EQ(0u, button.SetColorSlot(5, RGB(1, 2, 3), FALSE));
    EXPECT_EQ(RGB(1, 2, 3), button.m_aColors[5]);
    for (BYTE nSlot : {BYTE{6}, BYTE{255}})
    {
        EXPECT_EQ(3u, button.SetColorSlot(nSlot, RGB(9, 9, 9), TRUE));
        for (int i = 0; i < 6; ++i)
            EXPECT_NE(RGB(9, 9, 9), button.m_aColors[i]);
    }
}

// Each look puts the four system colours in the slots the buttons of that kind have always had:
// background and text under the mouse, at rest, and focused, pressed or checked.
TEST_F(StyleButtonTest, PalettesFillTheSlotsByLook)
{
    const COLORREF face = RGB(1, 1, 1), high = RGB(2, 2, 2), highText = RGB(3, 3, 3), text = RGB(4, 4, 4);
    const ButtonColours colours{face, high, highText, text};
    const struct
    {
        const char* pszLook;
        StyleButtonPalette palette;
        COLORREF expected[6];
    } cases[] = {
        {"navigation", StyleButtonPalette::Navigation(colours), {high, highText, face, text, high, highText}},
        {"command", StyleButtonPalette::Command(colours), {high, highText, face, text, high, text}},
        {"question", StyleButtonPalette::Question(colours), {high, highText, face, text, face, text}},
        {"expand", StyleButtonPalette::Expand(colours), {high, text, face, text, high, text}},
    };
    const int slots[6] = {CStyleButton::SLOT_BK_HOVER,  CStyleButton::SLOT_FG_HOVER,
                          CStyleButton::SLOT_BK_NORMAL, CStyleButton::SLOT_FG_NORMAL,
                          CStyleButton::SLOT_BK_FOCUS,  CStyleButton::SLOT_FG_FOCUS};
    for (const auto& c : cases)
    {
        CProbeButton button;
        button.UseTestColours(); // every slot first holds a colour no look uses
        button.SetPalette(c.palette, FALSE);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(c.expected[i], button.m_aColors[slots[i]]) << c.pszLook << " slot " << slots[i];
    }

    // A shown button is painted in its new colours at once.
    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kEmpty, &m_host));
    button.UseTestColours();
    button.UpdateWindow();
    button.SetPalette(StyleButtonPalette::Command(ButtonColours{kSlots[0], kSlots[2], kSlots[4], kSlots[1]}));
    button.UpdateWindow();
    HDC hdc = ::GetDC(button.m_hWnd);
    EXPECT_EQ(kSlots[0], ::GetPixel(hdc, 3, 3)); // the face colour, at rest
    ::ReleaseDC(button.m_hWnd, hdc);
}

// Flat drawing, state by state: the fill, the border (left and right edge) and the caption colour.
TEST_F(StyleButtonTest, FlatButtonsAreFilledAndBorderedByState)
{
    const COLORREF none = RGB(255, 0, 255); // the surface's own colour: no border drawn there
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    struct Case
    {
        const char* pszName;
        UINT nId;
        BOOL bChecked;
        BOOL bHover;
        UINT nItemState;
        int nFill;         // slot
        COLORREF clrLeft;  // none: the fill
        COLORREF clrRight; //
        COLORREF clrText;  //
    };
    const Case cases[] = {
        {"normal", kPlain, FALSE, FALSE, 0, 2, none, none, kSlots[3]},
        {"focused", kPlain, FALSE, FALSE, ODS_FOCUS, 4, none, none, kSlots[5]},
        {"pressed", kPlain, FALSE, FALSE, ODS_SELECTED | ODS_FOCUS, 4, shadow, light, kSlots[5]},
        {"hover", kPlain, FALSE, TRUE, 0, 0, light, shadow, kSlots[1]},
        {"hover and pressed", kPlain, FALSE, TRUE, ODS_SELECTED, 0, shadow, light, kSlots[1]},
        {"checked", kCheck, TRUE, FALSE, 0, 4, shadow, light, kSlots[5]},
        {"checked and hover", kCheck, TRUE, TRUE, 0, 0, shadow, light, kSlots[1]},
        {"unchecked", kCheck, FALSE, FALSE, 0, 2, none, none, kSlots[3]},
        {"disabled", kPlain, FALSE, FALSE, ODS_DISABLED, 2, none, none, ::GetSysColor(COLOR_BTNSHADOW)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CProbeButton button;
        ASSERT_TRUE(button.SubclassDlgItem(c.nId, &m_host));
        button.UseTestColours();
        button.SetChecked(c.bChecked, FALSE);
        button.m_bHover = c.bHover; // the drawing only; the mouse path has a test of its own
        CSurface surface(80, 30);
        surface.Draw(button, c.nItemState);

        const COLORREF fill = kSlots[c.nFill];
        EXPECT_EQ(fill, surface.At(3, 3));
        EXPECT_EQ(c.clrLeft == none ? fill : c.clrLeft, surface.At(0, 15));
        EXPECT_EQ(c.clrLeft == none ? fill : c.clrLeft, surface.At(40, 0));
        EXPECT_EQ(c.clrRight == none ? fill : c.clrRight, surface.At(79, 15));
        EXPECT_EQ(c.clrRight == none ? fill : c.clrRight, surface.At(40, 29));
        EXPECT_GT(surface.Count(c.clrText), 0);
        for (int nText : {1, 3, 5})
        {
            if (kSlots[nText] != c.clrText)
            {
                EXPECT_EQ(0, surface.Count(kSlots[nText])) << "text slot " << nText;
            }
        }
        button.UnsubclassWindow();
    }
}

TEST_F(StyleButtonTest, PressedCaptionMovesByOnePixelExceptOnCheckButtons)
{
    CProbeButton plain, check;
    ASSERT_TRUE(plain.SubclassDlgItem(kPlain, &m_host));
    ASSERT_TRUE(check.SubclassDlgItem(kCheck, &m_host));
    for (CProbeButton* p : {&plain, &check})
    {
        p->UseTestColours();
        p->SetColorSlot(5, kSlots[3], FALSE); // same caption colour up and down
    }

    CSurface up(80, 30), down(80, 30);
    up.Draw(plain, 0);
    down.Draw(plain, ODS_SELECTED);
    RECT rcUp = BoundsOf(up, kSlots[3]), rcDown = BoundsOf(down, kSlots[3]);
    ASSERT_LT(rcUp.left, rcUp.right);
    EXPECT_EQ(rcUp.left + 1, rcDown.left);
    EXPECT_EQ(rcUp.top + 1, rcDown.top);

    CSurface checkUp(80, 30), checkDown(80, 30);
    checkUp.Draw(check, 0);
    check.SetChecked(1, FALSE);
    checkDown.Draw(check, ODS_SELECTED);
    rcUp = BoundsOf(checkUp, kSlots[3]);
    rcDown = BoundsOf(checkDown, kSlots[3]);
    ASSERT_LT(rcUp.left, rcUp.right);
    EXPECT_TRUE(::EqualRect(&rcUp, &rcDown));
}

TEST_F(StyleButtonTest, HighContrastDrawsTheClassicLookWithFrameForFocusOrDefault)
{
    CHighContrastScope highContrast(true);
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    struct Case
    {
        const char* pszName;
        bool bDefault;
        UINT nItemState;
        int nFill;
        COLORREF clrLeft, clrRight; // outermost pixels
        COLORREF clrInnerLeft;      // one pixel further in
        bool bFocusRect;
    };
    const Case cases[] = {
        {"plain", false, 0, 2, light, dark, ::GetSysColor(COLOR_3DLIGHT), false},
        {"focused", false, ODS_FOCUS, 4, black, black, light, true},
        {"default", true, 0, 2, black, black, light, false},
        {"pressed", false, ODS_SELECTED, 4, shadow, shadow, kSlots[4], false},
        {"pressed and focused", false, ODS_SELECTED | ODS_FOCUS, 4, black, black, shadow, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CProbeButton button;
        ASSERT_FALSE(button.m_bFlat);
        ASSERT_TRUE(button.SubclassDlgItem(kEmpty, &m_host));
        button.UseTestColours();
        if (c.bDefault)
            button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
        CSurface surface(80, 30);
        surface.Draw(button, c.nItemState);

        EXPECT_EQ(c.clrLeft, surface.At(0, 15));
        EXPECT_EQ(c.clrRight, surface.At(79, 15));
        EXPECT_EQ(c.clrInnerLeft, surface.At(1, 15));
        EXPECT_EQ(kSlots[c.nFill], surface.At(10, 15));
        // The dotted focus rectangle lies 3 pixels inside the working rectangle.
        const int x = c.clrLeft == black ? 4 : 3;
        int nDots = 0;
        for (int y = x; y < 30 - x; ++y)
            nDots += surface.At(x, y) != kSlots[c.nFill] ? 1 : 0;
        EXPECT_EQ(c.bFocusRect, nDots > 0) << nDots;
        button.UnsubclassWindow();
    }
}

TEST_F(StyleButtonTest, HoverFollowsTheMouseOnlyOnFlatButtons)
{
    const POINT ptAway{5, 5};
    MoveMouseTo(ptAway);
    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kEmpty, &m_host));
    button.UseTestColours();
    CButtonHost::Pump();
    ASSERT_FALSE(button.m_bHover);

    // The pointer really moves over the button: the system's mouse messages light it.
    MoveMouseTo(MiddleOf(button.m_hWnd));
    ASSERT_TRUE(WaitFor([&] { return button.m_bHover != FALSE; }));
    CSurface hovered(80, 30);
    hovered.Draw(button, 0);
    EXPECT_EQ(kSlots[0], hovered.At(10, 15));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), hovered.At(0, 15)); // raised

    // Leaving is reported through the leave notification the button asked for.
    MoveMouseTo(ptAway);
    ASSERT_TRUE(WaitFor([&] { return button.m_bHover == FALSE; }));
    CSurface left(80, 30);
    left.Draw(button, 0);
    EXPECT_EQ(kSlots[2], left.At(10, 15));
    EXPECT_EQ(kSlots[2], left.At(0, 15));
    button.UnsubclassWindow();

    // High contrast: the same movement changes nothing.
    CHighContrastScope highContrast(true);
    CProbeButton classic;
    ASSERT_TRUE(classic.SubclassDlgItem(kEmpty, &m_host));
    MoveMouseTo(MiddleOf(classic.m_hWnd));
    const POINT ptClient{4, 4};
    classic.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_FALSE(WaitFor([&] { return classic.m_bHover != FALSE; }));
    MoveMouseTo(ptAway);
}

TEST_F(StyleButtonTest, PressingElsewhereAndDraggingOntoTheButtonDoesNotLightIt)
{
    MoveMouseTo(POINT{5, 5});
    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kEmpty, &m_host));
    CButtonHost::Pump();
    // With the button under the pointer, a move reported with the left button down is ignored;
    // the same move without it lights the button.
    MoveMouseTo(MiddleOf(button.m_hWnd));
    button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_FALSE(button.m_bHover);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_TRUE(button.m_bHover);
    // Once lit, a move with the button down keeps it lit (pressing on the button itself).
    button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_TRUE(button.m_bHover);
    MoveMouseTo(POINT{5, 5});
    WaitFor([&] { return button.m_bHover == FALSE; });
}

// A press and release at a point of the button, as the mouse would deliver them.
void Click(CWnd& button, UINT nDownMessage = WM_LBUTTONDOWN)
{
    button.SendMessage(nDownMessage, MK_LBUTTON, MAKELPARAM(3, 3));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

TEST_F(StyleButtonTest, ClickTogglesACheckButtonBeforeTheDialogsHandlerRuns)
{
    CProbeButton check, plain;
    ASSERT_TRUE(check.SubclassDlgItem(kCheck, &m_host));
    ASSERT_TRUE(plain.SubclassDlgItem(kPlain, &m_host));
    m_host.m_pWatched = &check;

    Click(check);
    EXPECT_TRUE(check.GetChecked());
    Click(check);
    EXPECT_FALSE(check.GetChecked());
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), m_host.m_checkSeen);

    // A plain button has no check state; its click still reaches the dialog.
    plain.SetChecked(1);
    Click(plain);
    EXPECT_FALSE(plain.GetChecked());
    EXPECT_EQ(1, m_host.m_nPlainClicks);
}

TEST_F(StyleButtonTest, DoubleClickCountsAsASecondClick)
{
    CProbeButton check;
    ASSERT_TRUE(check.SubclassDlgItem(kCheck, &m_host));
    m_host.m_pWatched = &check;
    Click(check);
    Click(check, WM_LBUTTONDBLCLK);
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), m_host.m_checkSeen);
    EXPECT_FALSE(check.GetChecked());
}

TEST_F(StyleButtonTest, SetCheckedOnlyAppliesToCheckButtons)
{
    CProbeButton check, plain;
    ASSERT_TRUE(check.SubclassDlgItem(kCheck, &m_host));
    ASSERT_TRUE(plain.SubclassDlgItem(kPlain, &m_host));
    EXPECT_EQ(0u, check.SetChecked(7));
    EXPECT_EQ(TRUE, check.GetChecked()); // stored as 1
    EXPECT_EQ(0u, check.SetChecked(0));
    EXPECT_FALSE(check.GetChecked());
    EXPECT_EQ(0u, plain.SetChecked(1));
    EXPECT_FALSE(plain.GetChecked());
}

TEST_F(StyleButtonTest, CursorResourceIsLoadedAndShownOverTheButton)
{
    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kPlain, &m_host));

    EXPECT_EQ(0u, button.SetCursorResource(IDC_HAND_CURSOR));
    ASSERT_NE(nullptr, button.m_hCursor.GetSafeHandle());
    EXPECT_EQ(TRUE, button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(button.m_hCursor.GetSafeHandle(), ::GetCursor());

    EXPECT_EQ(1u, button.SetCursorResource(4242)); // no such cursor
    EXPECT_EQ(nullptr, button.m_hCursor.GetSafeHandle());
    EXPECT_EQ(0u, button.SetCursorResource(IDC_HAND_CURSOR));
    EXPECT_EQ(0u, button.SetCursorResource(0)); // none asked for
    EXPECT_EQ(nullptr, button.m_hCursor.GetSafeHandle());
}

// What the button should look like: its normal fill with one icon drawn at (x, y).
void DrawExpected(CSurface& surface, UINT nIdIcon, int x, int y)
{
    surface.Fill(kSlots[2]);
    HICON hIcon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIdIcon), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(nullptr, hIcon);
    ::DrawIconEx(surface.m_hdc, x, y, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(hIcon);
}

TEST_F(StyleButtonTest, IconIsCentredWithoutCaptionAndSitsLeftWithOne)
{
    {
        CSurface expand(40, 24), collapse(40, 24);
        DrawExpected(expand, IDI_EXPAND, 12, 4);
        DrawExpected(collapse, IDI_COLLAPSE, 12, 4);
        ASSERT_FALSE(expand.SameAs(collapse)); // the two icons can be told apart
    }

    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kEmpty, &m_host));
    button.UseTestColours();
    ASSERT_EQ(0u, button.SetIcons(IDI_EXPAND, 0));
    EXPECT_EQ(16u, button.m_aIcons[0].dwWidth);
    EXPECT_EQ(16u, button.m_aIcons[0].dwHeight);
    EXPECT_EQ(nullptr, button.m_aIcons[1].hIcon.GetSafeHandle());

    // No caption: (40 - 16) / 2 across, (24 - 16) / 2 down; pressed, one pixel further.
    struct Case
    {
        const char* pszName;
        int cx, cy;
        UINT nItemState;
        int x, y;
    };
    const Case cases[] = {
        {"even", 40, 24, 0, 12, 4},
        {"odd leftovers", 41, 25, 0, 12, 4},
        {"pressed", 40, 24, ODS_SELECTED, 13, 5},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CSurface actual(c.cx, c.cy), expected(c.cx, c.cy);
        actual.Draw(button, c.nItemState);
        if (c.nItemState & ODS_SELECTED)
        {
            // Pressed: the same button drawn without icons gives the background (slot 4 and a
            // sunken border) that the icon lies on.
            CSurface plain(c.cx, c.cy);
            expected.Fill(kSlots[2]);
            button.SetIcons(0, 0);
            plain.Draw(button, c.nItemState);
            button.SetIcons(IDI_EXPAND, 0);
            HICON hIcon = static_cast<HICON>(
                ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_EXPAND), IMAGE_ICON, 0, 0, 0));
            ::BitBlt(expected.m_hdc, 0, 0, c.cx, c.cy, plain.m_hdc, 0, 0, SRCCOPY);
            ::DrawIconEx(expected.m_hdc, c.x, c.y, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
            ::DestroyIcon(hIcon);
        }
        else
        {
            DrawExpected(expected, IDI_EXPAND, c.x, c.y);
        }
        EXPECT_TRUE(actual.SameAs(expected));
    }

    // With a caption the icon sits 3 pixels from the left edge; the caption is centred in what
    // remains to the right of it.
    ::SetWindowTextW(button.m_hWnd, L"Go");
    CSurface captioned(80, 24);
    captioned.Draw(button, 0);
    CSurface iconOnly(80, 24);
    DrawExpected(iconOnly, IDI_EXPAND, 3, 4);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 19; ++x)
            ASSERT_EQ(iconOnly.At(x, y), captioned.At(x, y)) << x << ", " << y;
    const RECT rcText = BoundsOf(captioned, kSlots[3]);
    ASSERT_LT(rcText.left, rcText.right);
    const int nSpaceLeft = rcText.left - 19, nSpaceRight = 80 - rcText.right;
    EXPECT_LE(std::abs(nSpaceLeft - nSpaceRight), 1) << nSpaceLeft << " vs " << nSpaceRight;
}

TEST_F(StyleButtonTest, HoveredPressedOrCheckedButtonsShowTheFirstIcon)
{
    CProbeButton plain, check;
    ASSERT_TRUE(plain.SubclassDlgItem(kEmpty, &m_host));
    ASSERT_TRUE(check.SubclassDlgItem(kCheck, &m_host));
    ::SetWindowTextW(check.m_hWnd, L"");
    for (CProbeButton* p : {&plain, &check})
    {
        p->UseTestColours();
        p->SetColorSlot(0, kSlots[2], FALSE); // one fill for every look: only the icon differs
        p->SetColorSlot(4, kSlots[2], FALSE);
        ASSERT_EQ(0u, p->SetIcons(IDI_EXPAND, IDI_COLLAPSE));
    }
    struct Case
    {
        const char* pszName;
        CProbeButton* pButton;
        BOOL bHover;
        BOOL bChecked;
        UINT nExpected;
    };
    const Case cases[] = {
        {"plain, normal", &plain, FALSE, FALSE, IDI_COLLAPSE},
        {"plain, hover", &plain, TRUE, FALSE, IDI_EXPAND},
        {"check, normal", &check, FALSE, FALSE, IDI_COLLAPSE},
        {"check, hover", &check, TRUE, FALSE, IDI_COLLAPSE}, // hovering a check button keeps its icon
        {"check, checked", &check, FALSE, TRUE, IDI_EXPAND},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        c.pButton->m_bHover = c.bHover;
        c.pButton->SetChecked(c.bChecked, FALSE);
        CSurface actual(40, 24), expected(40, 24);
        actual.Draw(*c.pButton, 0);
        // Borders are drawn for some of these looks; compare inside them.
        DrawExpected(expected, c.nExpected, 12, 4);
        for (int y = 1; y < 23; ++y)
            for (int x = 1; x < 39; ++x)
                ASSERT_EQ(expected.At(x, y), actual.At(x, y)) << x << ", " << y;
    }
}

TEST_F(StyleButtonTest, SetIconsReplacesTheIconsItHeld)
{
    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kEmpty, &m_host));
    ASSERT_EQ(0u, button.SetIcons(IDI_EXPAND, IDI_COLLAPSE));
    ASSERT_NE(nullptr, button.m_aIcons[1].hIcon.GetSafeHandle());
    const HICON hOld = button.m_aIcons[0].hIcon;
    EXPECT_EQ(0u, button.SetIcons(IDI_COLLAPSE, 0));
    EXPECT_EQ(nullptr, button.m_aIcons[1].hIcon.GetSafeHandle());
    EXPECT_EQ(0u, button.m_aIcons[1].dwWidth);
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(hOld, &info)); // destroyed
}

TEST_F(StyleButtonTest, ButtonStaysOwnerDrawnAndFollowsTheDialogsDefault)
{
    CProbeButton def, plain;
    ASSERT_TRUE(def.SubclassDlgItem(kDefault, &m_host));
    ASSERT_TRUE(plain.SubclassDlgItem(kPlain, &m_host));
    EXPECT_EQ(DLGC_DEFPUSHBUTTON,
              def.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    EXPECT_EQ(DLGC_UNDEFPUSHBUTTON,
              plain.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));

    struct Case
    {
        UINT nStyle;
        BOOL bDefault;
    };
    const Case cases[] = {{BS_DEFPUSHBUTTON, TRUE},
                          {BS_CHECKBOX, TRUE},
                          {BS_PUSHBUTTON, FALSE},
                          {BS_CHECKBOX, FALSE},
                          {BS_DEFPUSHBUTTON, TRUE}};
    for (const Case& c : cases)
    {
        plain.SendMessage(BM_SETSTYLE, c.nStyle, TRUE);
        EXPECT_EQ(c.bDefault, plain.m_bDefault) << c.nStyle;
        EXPECT_EQ(BS_OWNERDRAW, plain.GetStyle() & 0x1F) << c.nStyle;
    }
    plain.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);

    // The dialog manager moves the default look with the focus.
    m_host.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(plain.m_hWnd), TRUE);
    EXPECT_EQ(plain.m_hWnd, ::GetFocus());
    EXPECT_TRUE(plain.m_bDefault);
    EXPECT_FALSE(def.m_bDefault);
    EXPECT_EQ(BS_OWNERDRAW, def.GetStyle() & 0x1F);
    EXPECT_EQ(BS_OWNERDRAW, plain.GetStyle() & 0x1F);
}

TEST_F(StyleButtonTest, DisablingAButtonMovesTheFocusToTheNextTabStopAndEndsTheHover)
{
    CProbeButton def;
    ASSERT_TRUE(def.SubclassDlgItem(kDefault, &m_host));
    ::SetFocus(def.m_hWnd);
    ASSERT_EQ(def.m_hWnd, ::GetFocus());
    def.m_bHover = TRUE; // as if the pointer were over it
    def.EnableWindow(FALSE);
    EXPECT_EQ(m_host.GetDlgItem(kPlain), ::GetFocus());
    EXPECT_FALSE(def.m_bHover);

    // Enabling again moves nothing.
    def.EnableWindow(TRUE);
    EXPECT_EQ(m_host.GetDlgItem(kPlain), ::GetFocus());
}

TEST_F(StyleButtonTest, ColourRequestIsAnsweredWithTheHollowBrush)
{
    CProbeButton button;
    ASSERT_TRUE(button.SubclassDlgItem(kPlain, &m_host));
    HDC hdc = ::GetDC(button.m_hWnd);
    const LRESULT result = m_host.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                              reinterpret_cast<LPARAM>(button.m_hWnd));
    ::ReleaseDC(button.m_hWnd, hdc);
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)), result);
}

// The text of the button's one tool, or "-" when the tooltip window does not exist or lacks it.
std::wstring ButtonTip(CProbeButton& button)
{
    return ToolText(button.m_tooltip, &button, 1).value_or(L"-");
}

TEST_F(StyleButtonTest, TooltipIsMadeByTheFirstMouseMessageWithTheKeptText)
{
    CProbeButton button, silent;
    ASSERT_TRUE(button.SubclassDlgItem(kPlain, &m_host));
    ASSERT_TRUE(silent.SubclassDlgItem(kDefault, &m_host));

    silent.SetTooltip(9999); // no such text: nothing to show
    button.SetTooltip(IDS_MAIN_TITLE);
    button.SetTooltip(IDS_MUTEX_NAME, FALSE);
    button.SetTooltip(IDS_MAIN_TITLE); // the last text and activation are the ones kept
    EXPECT_EQ(nullptr, button.m_tooltip.m_hWnd) << "no tooltip window before the mouse comes";

    // Keys and other messages make nothing.
    MSG key{button.m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(button.PreTranslateMessage(&key));
    EXPECT_EQ(nullptr, button.m_tooltip.m_hWnd);

    MSG move{button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), 0, {0, 0}};
    EXPECT_FALSE(button.PreTranslateMessage(&move));
    ASSERT_NE(nullptr, button.m_tooltip.m_hWnd);
    EXPECT_EQ(1, button.m_tooltip.GetToolCount());
    EXPECT_EQ(Text(IDS_MAIN_TITLE), ButtonTip(button));

    // Once it exists, a new text replaces the one tool at once.
    button.SetTooltip(IDS_MUTEX_NAME, FALSE);
    EXPECT_EQ(1, button.m_tooltip.GetToolCount());
    EXPECT_EQ(Text(IDS_MUTEX_NAME), ButtonTip(button));

    // A button without a text gets an empty tooltip on the mouse's first visit.
    MSG silentMove{silent.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), 0, {0, 0}};
    EXPECT_FALSE(silent.PreTranslateMessage(&silentMove));
    ASSERT_NE(nullptr, silent.m_tooltip.m_hWnd);
    EXPECT_EQ(0, silent.m_tooltip.GetToolCount());
}
} // namespace
