// CToolTipCtrl: the common controls' tooltip window. The common-controls library is loaded on
// first use, from the system folder only, so nothing beside the program can stand in for it.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd
{
public:
    // Creates the tooltip window owned by pParent; false when the library or window is missing.
    BOOL Create(CWnd* pParent, DWORD dwStyle = 0);

    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void SetMaxTipWidth(int cx) { SendMessage(TTM_SETMAXTIPWIDTH, 0, cx); }
    void RelayEvent(MSG* pMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg)); }
    int GetToolCount() const { return static_cast<int>(::SendMessageW(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }
    // Whether a tool with this identifier is registered for pWnd.
    bool HasTool(CWnd* pWnd, UINT_PTR nIdTool) const;
    BOOL AddTool(CWnd* pWnd, const wchar_t* pszText, const RECT& rcTool, UINT_PTR nIdTool);
    void DelTool(CWnd* pWnd, UINT_PTR nIdTool);
    void UpdateTipText(const wchar_t* pszText, CWnd* pWnd, UINT_PTR nIdTool);

    // Loads the common-controls library from the system folder once; false if it cannot be had.
    static bool LoadCommonControls();
};
