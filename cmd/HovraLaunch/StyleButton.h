// CStyleButton: the launchpad's push button. It draws itself (owner drawing) in six configurable
// colours, follows the mouse with a hover highlight, can carry an icon beside its caption, a hand
// cursor, a tooltip, a check state (the navigation buttons are push-like check boxes in their
// templates) and a link target that a click opens through the shell.
//
// Normally the buttons are flat: a colour fill, a thin raised border under the mouse and a sunken
// one while pressed or checked. In high-contrast mode the classic three-dimensional look is used
// instead, with a black frame around the focused or default button and a dotted focus rectangle.
#pragma once

#include "hovra_stdafx.h"

#include "ToolTipCtrl.h"

// The system colours the launchpad paints its buttons in, read once by the window that owns them.
struct ButtonColours
{
    COLORREF clrFace;          // COLOR_BTNFACE
    COLORREF clrHighlight;     // COLOR_HIGHLIGHT
    COLORREF clrHighlightText; // COLOR_HIGHLIGHTTEXT
    COLORREF clrBtnText;       // COLOR_BTNTEXT

    static ButtonColours FromSystem();
};

// The six colour slots of a button by name: background and text under the mouse, at rest, and
// focused, pressed or checked with the mouse elsewhere.
struct StyleButtonPalette
{
    COLORREF clrBkHover;
    COLORREF clrFgHover;
    COLORREF clrBkNormal;
    COLORREF clrFgNormal;
    COLORREF clrBkFocus;
    COLORREF clrFgFocus;

    // The launchpad's looks. All are highlighted under the mouse and plain at rest; they differ in
    // the focused, pressed or checked state.
    // The navigation column and each panel's main button (Refresh, More information, Launch):
    // highlight colours.
    static StyleButtonPalette Navigation(const ButtonColours& colours);
    // Installation Guide, Release Notes, Exit and the detail area's actions: the highlight behind
    // the plain button text.
    static StyleButtonPalette Command(const ButtonColours& colours);
    // OK and Cancel of the message box: plain, as at rest.
    static StyleButtonPalette Question(const ButtonColours& colours);
    // The plus/minus button of a row: the highlight under the mouse and while the row is open; it
    // shows an icon and no caption.
    static StyleButtonPalette Expand(const ButtonColours& colours);
};

class CStyleButton : public CButton
{
public:
    // Colour slots of SetColorSlot.
    enum
    {
        SLOT_BK_HOVER = 0,
        SLOT_FG_HOVER,
        SLOT_BK_NORMAL,
        SLOT_FG_NORMAL,
        SLOT_BK_FOCUS, // focused, pressed or checked, and the mouse not over the button
        SLOT_FG_FOCUS,
        SLOT_COUNT
    };

    // Results of the configuration operations.
    enum
    {
        BTN_OK = 0,
        BTN_INVALIDRESOURCE = 1,
        BTN_INVALIDINDEX = 3
    };

    CStyleButton();
    ~CStyleButton() override;

    // Slot 6 or above: BTN_INVALIDINDEX, nothing changes.
    DWORD SetColorSlot(BYTE nSlot, COLORREF clr, BOOL bRepaint = TRUE);
    // All six slots at once.
    void SetPalette(const StyleButtonPalette& palette, BOOL bRepaint = TRUE);
    // What every button of the launchpad has: its palette, the hand pointer, and the tooltip
    // text nIdTooltip (0: none).
    void SetUpClickable(const StyleButtonPalette& palette, UINT nIdTooltip);
    // 0 removes the cursor. BTN_INVALIDRESOURCE when a cursor was asked for and none could be loaded.
    DWORD SetCursorResource(UINT nIdCursor, BOOL bRepaint = TRUE);
    // Icon nIdHot is shown hovered, pressed or checked, nIdNormal (0: none) otherwise.
    // BTN_INVALIDRESOURCE, and no icons at all, when an icon's size cannot be read.
    DWORD SetIcons(UINT nIdHot, UINT nIdNormal);
    // Only for check-style buttons; others ignore it.
    DWORD SetChecked(int nCheck, BOOL bRepaint = TRUE);
    BOOL GetChecked() const { return m_bChecked; }
    // A text of the catalogue; an identifier without text changes nothing. The tooltip window is
    // made when the first mouse message reaches the button.
    void SetTooltip(UINT nIdText, BOOL bActivate = TRUE);
    // What a click opens through the shell; null or empty: nothing. Longer targets are cut to
    // 259 characters.
    DWORD SetLinkTarget(LPCWSTR pszLink);
    LPCWSTR GetLinkTarget() const { return m_szLink; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT pDis) override;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Fills the working rectangle in the colour of the current look.
    virtual void DrawBackground(HDC hdc, const RECT* pRect);
    // A 1-pixel three-dimensional edge around the rectangle: sunken while pressed, else raised.
    virtual void DrawBorder(HDC hdc, const RECT* pRect);

    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnCancelMode(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnClick(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    // One icon of the button and its size.
    struct CIconEntry
    {
        CIconHandle hIcon;
        DWORD dwWidth = 0;
        DWORD dwHeight = 0;
    };

    BOOL m_bFlat;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bDisabled = FALSE;
    BOOL m_bDefault = FALSE;
    BOOL m_bCheckStyle = FALSE;
    COLORREF m_aColors[SLOT_COUNT];
    CCursorHandle m_hCursor;
    CToolTipCtrl m_tooltip;
    std::wstring m_strTooltip; // the text the tooltip shows once it exists
    BOOL m_bTooltipActive = FALSE;
    BOOL m_bChecked = FALSE;
    wchar_t m_szLink[MAX_PATH] = {};
    CIconEntry m_aIcons[2];  // 0: hovered, pressed or checked; 1: normal
    BOOL m_bInClick = FALSE; // a programmatic click (BM_CLICK) is being carried out

    DECLARE_MESSAGE_MAP()

private:
    void OnClicked();
    void EndHover();
    void Repaint(BOOL bErase = TRUE);
    void InitToolTip();
    void ApplyTooltip();
    void DestroyIcons();
    void DrawClassicEdges(HDC hdc, const RECT& rc);
    void DrawIcon(HDC hdc, const RECT& rcItem, bool bHasText, RECT* pCaption);
    void DrawCaption(HDC hdc, const std::wstring& text, RECT rcCaption);
};
