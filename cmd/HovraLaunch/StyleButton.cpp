#include "hovra_stdafx.h"

#include "StyleButton.h"

#include <shellapi.h>

#include "HighContrast.h"

namespace
{
constexpr UINT kTypeMask = 0x1F; // BS_TYPEMASK
constexpr UINT_PTR kToolId = 1;
constexpr int kMaxTipWidth = 400;
constexpr int kIconMargin = 3;

int Width(const RECT& rc)
{
    return rc.right - rc.left;
}

int Height(const RECT& rc)
{
    return rc.bottom - rc.top;
}

void FillSolid(HDC hdc, const RECT& rc, COLORREF clr)
{
    CBrush brush;
    if (brush.CreateSolidBrush(clr))
        ::FillRect(hdc, &rc, brush);
}

void FrameSolid(HDC hdc, const RECT& rc, COLORREF clr)
{
    CBrush brush;
    if (brush.CreateSolidBrush(clr))
        ::FrameRect(hdc, &rc, brush);
}

// A 1-pixel line from a through b to c; LineTo leaves out each end point.
void Polyline3(HDC hdc, COLORREF clr, POINT a, POINT b, POINT c)
{
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 1, clr))
        return;
    CSelectObject select(hdc, pen);
    ::MoveToEx(hdc, a.x, a.y, nullptr);
    ::LineTo(hdc, b.x, b.y);
    ::LineTo(hdc, c.x, c.y);
}
} // namespace

ButtonColours ButtonColours::FromSystem()
{
    return {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHTTEXT),
            ::GetSysColor(COLOR_BTNTEXT)};
}

StyleButtonPalette StyleButtonPalette::Navigation(const ButtonColours& c)
{
    return {c.clrHighlight, c.clrHighlightText, c.clrFace, c.clrBtnText, c.clrHighlight, c.clrHighlightText};
}

StyleButtonPalette StyleButtonPalette::Command(const ButtonColours& c)
{
    return {c.clrHighlight, c.clrHighlightText, c.clrFace, c.clrBtnText, c.clrHighlight, c.clrBtnText};
}

StyleButtonPalette StyleButtonPalette::Question(const ButtonColours& c)
{
    return {c.clrHighlight, c.clrHighlightText, c.clrFace, c.clrBtnText, c.clrFace, c.clrBtnText};
}

StyleButtonPalette StyleButtonPalette::Expand(const ButtonColours& c)
{
    // The text slots are never drawn: they keep the button text colour a new button starts with.
    return {c.clrHighlight, c.clrBtnText, c.clrFace, c.clrBtnText, c.clrHighlight, c.clrBtnText};
}

BEGIN_MESSAGE_MAP(CStyleButton, CButton)
ON_MESSAGE(WM_SETCURSOR, &CStyleButton::OnSetCursor)
ON_MESSAGE(WM_MOUSEMOVE, &CStyleButton::OnMouseMove)
ON_MESSAGE(WM_MOUSELEAVE, &CStyleButton::OnMouseLeave)
ON_MESSAGE(WM_SYSCOLORCHANGE, &CStyleButton::OnSysColorChange)
ON_MESSAGE(WM_ENABLE, &CStyleButton::OnEnable)
ON_MESSAGE(WM_KILLFOCUS, &CStyleButton::OnKillFocus)
ON_MESSAGE(WM_ACTIVATE, &CStyleButton::OnActivate)
ON_MESSAGE(WM_CANCELMODE, &CStyleButton::OnCancelMode)
ON_MESSAGE(WM_GETDLGCODE, &CStyleButton::OnGetDlgCode)
ON_MESSAGE(BM_SETSTYLE, &CStyleButton::OnSetStyle)
ON_MESSAGE(BM_CLICK, &CStyleButton::OnClick)
ON_MESSAGE_VOID(WM_DESTROY, &CStyleButton::OnDestroy)
END_MESSAGE_MAP()

CStyleButton::CStyleButton() : m_bFlat(IsHighContrastOn() ? FALSE : TRUE)
{
    for (int i = 0; i < SLOT_COUNT; ++i)
        m_aColors[i] = ::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
}

CStyleButton::~CStyleButton()
{
    if (m_tooltip.m_hWnd != nullptr)
        m_tooltip.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Configuration

DWORD CStyleButton::SetColorSlot(BYTE nSlot, COLORREF clr, BOOL bRepaint)
{
    if (nSlot >= SLOT_COUNT)
        return BTN_INVALIDINDEX;
    m_aColors[nSlot] = clr;
    if (bRepaint)
        Repaint();
    return BTN_OK;
}

void CStyleButton::SetPalette(const StyleButtonPalette& palette, BOOL bRepaint)
{
    m_aColors[SLOT_BK_HOVER] = palette.clrBkHover;
    m_aColors[SLOT_FG_HOVER] = palette.clrFgHover;
    m_aColors[SLOT_BK_NORMAL] = palette.clrBkNormal;
    m_aColors[SLOT_FG_NORMAL] = palette.clrFgNormal;
    m_aColors[SLOT_BK_FOCUS] = palette.clrBkFocus;
    m_aColors[SLOT_FG_FOCUS] = palette.clrFgFocus;
    if (bRepaint)
        Repaint();
}

DWORD CStyleButton::SetCursorResource(UINT nIdCursor, BOOL bRepaint)
{
    m_hCursor.DeleteObject();
    if (nIdCursor == 0)
        return BTN_OK;
    // At the size the resource was drawn in.
    m_hCursor.Attach(static_cast<HCURSOR>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIdCursor), IMAGE_CURSOR, 0, 0, 0)));
    if (m_hCursor == nullptr)
        return BTN_INVALIDRESOURCE;
    if (bRepaint)
        Repaint();
    return BTN_OK;
}

DWORD CStyleButton::SetIcons(UINT nIdHot, UINT nIdNormal)
{
    CIconHandle loaded[2];
    loaded[0].LoadIcon(nIdHot, 0, 0);
    if (nIdNormal != 0)
        loaded[1].LoadIcon(nIdNormal, 0, 0);

    DestroyIcons();
    for (int i = 0; i < 2; ++i)
    {
        if (loaded[i] == nullptr)
            continue;
        ICONINFO info{};
        if (!::GetIconInfo(loaded[i], &info))
        {
            DestroyIcons(); // the icons still in `loaded` go with it
            return BTN_INVALIDRESOURCE;
        }
        // An icon's hotspot is its centre.
        m_aIcons[i].dwWidth = info.xHotspot * 2;
        m_aIcons[i].dwHeight = info.yHotspot * 2;
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        m_aIcons[i].hIcon = std::move(loaded[i]);
    }
    Repaint();
    return BTN_OK;
}

DWORD CStyleButton::SetChecked(int nCheck, BOOL bRepaint)
{
    if (!m_bCheckStyle)
        return BTN_OK;
    m_bChecked = nCheck != 0 ? TRUE : FALSE;
    if (bRepaint)
        Repaint();
    return BTN_OK;
}

void CStyleButton::SetUpClickable(const StyleButtonPalette& palette, UINT nIdTooltip)
{
    SetPalette(palette, TRUE);
    SetCursorResource(IDC_HAND_CURSOR, TRUE);
    if (nIdTooltip != 0)
        SetTooltip(nIdTooltip, TRUE);
}

void CStyleButton::SetTooltip(UINT nIdText, BOOL bActivate)
{
    std::wstring text = AfxLoadText(nIdText);
    if (text.empty())
        return;
    m_strTooltip = std::move(text);
    m_bTooltipActive = bActivate;
    // The tooltip window itself is made when the mouse first comes to the button: until then no
    // one can see it, and making a dozen of them would hold up the launchpad's first appearance.
    if (m_tooltip.m_hWnd != nullptr)
        ApplyTooltip();
}

DWORD CStyleButton::SetLinkTarget(LPCWSTR pszLink)
{
    ::ZeroMemory(m_szLink, sizeof m_szLink);
    if (pszLink != nullptr)
        ::lstrcpynW(m_szLink, pszLink, MAX_PATH); // at most MAX_PATH - 1 characters and the terminator
    return BTN_OK;
}

void CStyleButton::InitToolTip()
{
    if (m_tooltip.m_hWnd != nullptr)
        return;
    if (!m_tooltip.Create(this))
        return;
    m_tooltip.Activate(FALSE);
    m_tooltip.SetMaxTipWidth(kMaxTipWidth);
    if (!m_strTooltip.empty())
        ApplyTooltip();
}

void CStyleButton::ApplyTooltip()
{
    if (m_tooltip.GetToolCount() > 0)
        m_tooltip.DelTool(this, kToolId);
    RECT rc{};
    GetClientRect(&rc);
    m_tooltip.AddTool(this, m_strTooltip.c_str(), rc, kToolId);
    m_tooltip.UpdateTipText(m_strTooltip.c_str(), this, kToolId);
    m_tooltip.Activate(m_bTooltipActive);
}

void CStyleButton::DestroyIcons()
{
    for (CIconEntry& entry : m_aIcons)
    {
        entry.hIcon.DeleteObject();
        entry.dwWidth = 0;
        entry.dwHeight = 0;
    }
}

void CStyleButton::Repaint(BOOL bErase)
{
    // Never invalidate every window on the desktop (no window yet); and a hidden button is drawn
    // whole when it is shown, so there is nothing to invalidate before.
    if (m_hWnd != nullptr && ::IsWindowVisible(m_hWnd))
        Invalidate(bErase);
}

// ---------------------------------------------------------------------------------------------
// Attaching, messages

void CStyleButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const UINT nStyle = static_cast<UINT>(::GetWindowLongW(m_hWnd, GWL_STYLE)) & 0xFFFF;
    if (nStyle & BS_CHECKBOX) // 0x2: set in the check-box types, push-like or not
        m_bCheckStyle = TRUE;
    if ((nStyle & kTypeMask) == BS_DEFPUSHBUTTON)
        m_bDefault = TRUE;
    // We draw it ourselves, whatever the template says.
    ModifyStyle(kTypeMask, BS_OWNERDRAW);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CStyleButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
    {
        InitToolTip(); // the first mouse message is relayed at once, so the tip still shows
        if (m_tooltip.m_hWnd != nullptr)
            m_tooltip.RelayEvent(pMsg);
    }
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CStyleButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A quick second click is a click like any other, not a double click.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

bool CStyleButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
    {
        OnClicked();
        return false; // the parent's own handler runs as well
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        *pResult = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

void CStyleButton::OnClicked()
{
    if (m_bCheckStyle)
    {
        m_bChecked = m_bChecked ? FALSE : TRUE;
        Repaint();
        return;
    }
    if (m_szLink[0] == L'\0')
        return;
    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_FLAG_NO_UI; // a target that cannot be opened is not reported
    sei.hwnd = m_hWnd;
    sei.lpVerb = L"open";
    sei.lpFile = m_szLink;
    sei.nShow = SW_SHOWNORMAL;
    AfxShellExecuteEx(&sei);
}

LRESULT CStyleButton::OnSetCursor(WPARAM, LPARAM)
{
    if (m_hCursor == nullptr)
        return Default();
    ::SetCursor(m_hCursor);
    return TRUE;
}

LRESULT CStyleButton::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Default();
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ClientToScreen(m_hWnd, &pt);
    const HWND hUnder = ::WindowFromPoint(pt);

    // A press that started elsewhere and was dragged here does not light the button.
    if ((wParam & MK_LBUTTON) && !m_bHover)
        return result;
    if (!m_bFlat)
        return result;

    if (hUnder == m_hWnd && ::GetActiveWindow() != nullptr)
    {
        if (!m_bHover)
        {
            m_bHover = TRUE;
            Repaint();
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
    }
    else
    {
        EndHover();
    }
    return result;
}

void CStyleButton::EndHover()
{
    if (m_bFlat && m_bHover)
    {
        m_bHover = FALSE;
        Repaint(TRUE);
    }
}

LRESULT CStyleButton::OnMouseLeave(WPARAM, LPARAM)
{
    Default();
    EndHover();
    return 0;
}

LRESULT CStyleButton::OnSysColorChange(WPARAM, LPARAM)
{
    // The slots keep the colours the dialog gave them.
    return Default();
}

LRESULT CStyleButton::OnEnable(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (wParam)
        return result;
    // A disabled button cannot keep the keyboard focus: hand it to the next tab stop.
    const HWND hParent = GetParent();
    HWND hNext = hParent != nullptr ? ::GetNextDlgTabItem(hParent, m_hWnd, FALSE) : nullptr;
    if (hNext == nullptr || hNext == m_hWnd)
        hNext = hParent;
    if (hNext != nullptr)
        ::SetFocus(hNext);
    EndHover();
    return result;
}

LRESULT CStyleButton::OnKillFocus(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    EndHover();
    return result;
}

LRESULT CStyleButton::OnActivate(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (LOWORD(wParam) == WA_INACTIVE)
        EndHover();
    return result;
}

LRESULT CStyleButton::OnCancelMode(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    EndHover();
    return result;
}

LRESULT CStyleButton::OnGetDlgCode(WPARAM, LPARAM)
{
    // Tell the dialog manager we are a push button, so it moves the default look to and from us.
    return Default() | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT CStyleButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    const UINT nType = static_cast<UINT>(wParam) & kTypeMask;
    if (nType == BS_DEFPUSHBUTTON)
        m_bDefault = TRUE;
    else if (nType == BS_PUSHBUTTON)
        m_bDefault = FALSE;
    // Whatever the dialog manager asks for, we stay owner-drawn.
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kTypeMask)) | BS_OWNERDRAW, lParam);
}

// A programmatic click, as screen readers, automation tools and test drivers send it, acts exactly
// like one click of the mouse. The mouse cannot reach a button while a modal box has disabled its
// window, but a click message can: it is dropped then, as it is while the button's own click is
// still being carried out (a box that the click opened runs its loop inside it, and a tool that
// sends the click again meanwhile would otherwise stack a second box on the first).
LRESULT CStyleButton::OnClick(WPARAM, LPARAM)
{
    if (m_bInClick)
        return 0;
    for (HWND hWnd = m_hWnd; hWnd != nullptr; hWnd = ::GetAncestor(hWnd, GA_PARENT))
    {
        if (!::IsWindowEnabled(hWnd))
            return 0;
        if ((::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    m_bInClick = TRUE;
    const LRESULT result = Default();
    m_bInClick = FALSE;
    return result;
}

void CStyleButton::OnDestroy()
{
    // The tooltip is a window of its own, owned by the dialog, not by the button: it goes with
    // the button, or a button made again in this object would leave its tool behind in it.
    if (m_tooltip.m_hWnd != nullptr)
        m_tooltip.DestroyWindow();
    Default();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CStyleButton::DrawItem(LPDRAWITEMSTRUCT pDis)
{
    const HDC hdc = pDis->hDC;
    const RECT rcItem = pDis->rcItem;
    const UINT nState = pDis->itemState;

    m_bPressed = (nState & ODS_SELECTED) || (m_bCheckStyle && m_bChecked) ? TRUE : FALSE;
    m_bFocused = (nState & ODS_FOCUS) ? TRUE : FALSE;
    m_bDisabled = (nState & ODS_DISABLED) ? TRUE : FALSE;

    RECT rc = rcItem;
    ::SetBkMode(hdc, TRANSPARENT);

    if (!m_bFlat && (m_bFocused || m_bDefault))
    {
        FrameSolid(hdc, rc, RGB(0, 0, 0));
        ::InflateRect(&rc, -1, -1);
    }

    DrawBackground(hdc, &rc);

    if (m_bPressed)
    {
        if (m_bFlat)
            DrawBorder(hdc, &rc);
        else
            FrameSolid(hdc, rc, ::GetSysColor(COLOR_BTNSHADOW));
    }
    else if (m_bFlat)
    {
        if (m_bHover)
            DrawBorder(hdc, &rc);
    }
    else
    {
        DrawClassicEdges(hdc, rc);
    }

    RECT rcCaption = rcItem;
    const std::wstring text = GetWindowText();

    if (m_aIcons[0].hIcon != nullptr)
        DrawIcon(hdc, rcItem, !text.empty(), &rcCaption);
    if (!text.empty())
        DrawCaption(hdc, text, rcCaption);

    if (!m_bFlat && m_bFocused)
    {
        RECT rcFocus = rc;
        ::InflateRect(&rcFocus, -3, -3);
        ::DrawFocusRect(hdc, &rcFocus);
    }
}

void CStyleButton::DrawBackground(HDC hdc, const RECT* pRect)
{
    COLORREF clr = m_aColors[SLOT_BK_NORMAL];
    if (m_bHover)
        clr = m_aColors[SLOT_BK_HOVER];
    else if (m_bFocused || m_bPressed)
        clr = m_aColors[SLOT_BK_FOCUS];
    FillSolid(hdc, *pRect, clr);
}

void CStyleButton::DrawBorder(HDC hdc, const RECT* pRect)
{
    DrawThinEdge(hdc, *pRect, m_bPressed != FALSE); // sunken while pressed, raised otherwise
}

// The classic raised edge of an unpressed button, two pixels deep.
void CStyleButton::DrawClassicEdges(HDC hdc, const RECT& rc)
{
    const LONG l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    Polyline3(hdc, ::GetSysColor(COLOR_BTNHIGHLIGHT), {l, b - 1}, {l, t}, {r, t});
    Polyline3(hdc, ::GetSysColor(COLOR_3DLIGHT), {l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1});
    Polyline3(hdc, ::GetSysColor(COLOR_3DDKSHADOW), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
    Polyline3(hdc, ::GetSysColor(COLOR_BTNSHADOW), {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t});
}

void CStyleButton::DrawIcon(HDC hdc, const RECT& rcItem, bool bHasText, RECT* pCaption)
{
    int nIndex = 0;
    if (!m_bPressed)
    {
        const bool bHasNormal = m_aIcons[1].hIcon != nullptr;
        if (m_bCheckStyle)
            nIndex = bHasNormal ? 1 : 0;
        else
            nIndex = m_bHover ? 0 : (bHasNormal ? 1 : 0);
    }
    const CIconEntry& icon = m_aIcons[nIndex];
    const int cx = static_cast<int>(icon.dwWidth);
    const int cy = static_cast<int>(icon.dwHeight);

    RECT rcImage = rcItem;
    if (bHasText)
    {
        rcImage.left += kIconMargin;
        pCaption->left += cx + kIconMargin;
    }
    else
    {
        rcImage.left += (Width(rcItem) - cx) / 2;
    }
    rcImage.top += (Height(rcItem) - cy) / 2;
    if (m_bPressed && !m_bCheckStyle)
        ::OffsetRect(&rcImage, 1, 1);

    const UINT nFlags = DST_ICON | (m_bDisabled ? DSS_DISABLED : 0);
    ::DrawStateW(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<HICON>(icon.hIcon)), 0,
                 rcImage.left, rcImage.top, 0, 0, nFlags);
}

void CStyleButton::DrawCaption(HDC hdc, const std::wstring& text, RECT rcCaption)
{
    if (m_bPressed && !m_bCheckStyle)
        ::OffsetRect(&rcCaption, 1, 1);

    // Measure the wrapped text, then centre the block in the caption rectangle.
    RECT rcText = rcCaption;
    ::DrawTextW(hdc, text.c_str(), -1, &rcText, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    ::OffsetRect(&rcText, (Width(rcCaption) - Width(rcText)) / 2, (Height(rcCaption) - Height(rcText)) / 2);

    ::SetBkMode(hdc, TRANSPARENT);
    if (m_bDisabled)
    {
        // Embossed: a light copy one pixel down and right, the shadow over it.
        RECT rcLight = rcText;
        ::OffsetRect(&rcLight, 1, 1);
        ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextW(hdc, text.c_str(), -1, &rcLight, DT_WORDBREAK | DT_CENTER);
        ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNSHADOW));
        ::DrawTextW(hdc, text.c_str(), -1, &rcText, DT_WORDBREAK | DT_CENTER);
        return;
    }

    int nFg = SLOT_FG_NORMAL;
    int nBk = SLOT_BK_NORMAL;
    if (m_bHover)
    {
        nFg = SLOT_FG_HOVER;
        nBk = SLOT_BK_HOVER;
    }
    else if (m_bFocused || m_bPressed)
    {
        nFg = SLOT_FG_FOCUS;
        nBk = SLOT_BK_FOCUS;
    }
    ::SetTextColor(hdc, m_aColors[nFg]);
    ::SetBkColor(hdc, m_aColors[nBk]);
    ::DrawTextW(hdc, text.c_str(), -1, &rcText, DT_WORDBREAK | DT_CENTER);
}
