#include "ToolTipCtrl.h"

#include "SystemLibrary.h"

#include <string>

namespace
{
TTTOOLINFOW ToolInfo(CWnd* pWnd, UINT_PTR nIdTool, const wchar_t* pszText = nullptr)
{
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIdTool;
    ti.lpszText = const_cast<wchar_t*>(pszText);
    return ti;
}
} // namespace

bool CToolTipCtrl::LoadCommonControls()
{
    static const bool bLoaded = []
    {
        using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto pfnInit = AfxGetSystemProc<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        return pfnInit != nullptr && pfnInit(&icc);
    }();
    return bLoaded;
}

BOOL CToolTipCtrl::Create(CWnd* pParent, DWORD dwStyle)
{
    if (!LoadCommonControls())
        return FALSE;
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, RECT{0, 0, 0, 0}, pParent,
                    0);
}

bool CToolTipCtrl::HasTool(CWnd* pWnd, UINT_PTR nIdTool) const
{
    TTTOOLINFOW ti = ToolInfo(pWnd, nIdTool);
    return ::SendMessageW(m_hWnd, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) != FALSE;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const wchar_t* pszText, const RECT& rcTool, UINT_PTR nIdTool)
{
    TTTOOLINFOW ti = ToolInfo(pWnd, nIdTool, pszText);
    ti.rect = rcTool; // the tool is a rectangle of pWnd; its mouse messages are relayed to us
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIdTool)
{
    TTTOOLINFOW ti = ToolInfo(pWnd, nIdTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(const wchar_t* pszText, CWnd* pWnd, UINT_PTR nIdTool)
{
    TTTOOLINFOW ti = ToolInfo(pWnd, nIdTool, pszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}
