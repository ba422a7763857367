#include "Wnd.h"

#include <unordered_map>

namespace
{
// Windows of this process that have an object bound, by handle. User-interface thread only.
std::unordered_map<HWND, CWnd*>& HandleMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object that the next window created on this thread belongs to (see CCreationHook).
thread_local CWnd* t_pWndInit = nullptr;

bool IsReflectedToChild(UINT message)
{
    switch (message)
    {
    case WM_DRAWITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

HWND ReflectionTarget(UINT message, LPARAM lParam)
{
    if (message == WM_DRAWITEM)
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    return reinterpret_cast<HWND>(lParam);
}
} // namespace

CWnd::~CWnd()
{
    if (m_hWnd != nullptr)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

bool CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return false;
    m_hWnd = hWnd;
    HandleMap()[hWnd] = this;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    return true;
}

void CWnd::Detach()
{
    if (m_pfnSuper != nullptr &&
        ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc))
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    HandleMap().erase(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return false;
    m_hWnd = hWnd;
    PreSubclassWindow();
    m_hWnd = nullptr;
    return Attach(hWnd);
}

bool CWnd::SubclassDlgItem(UINT nId, CWnd* pParent)
{
    return pParent != nullptr && SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nId)));
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR pszClass, LPCWSTR pszName, DWORD dwStyle, const RECT& rc,
                    CWnd* pParent, UINT nId)
{
    HWND hParent = pParent != nullptr ? pParent->m_hWnd : nullptr;
    HMENU hMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)) : nullptr;
    CCreationHook hook(this);
    HWND hWnd = ::CreateWindowExW(dwExStyle, pszClass, pszName, dwStyle, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, hParent, hMenu, ::GetModuleHandleW(nullptr), nullptr);
    if (hWnd == nullptr && m_hWnd != nullptr)
        UnsubclassWindow();
    return hWnd != nullptr;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        Detach();
    return hWnd;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    for (HWND hParent = ::GetParent(hWnd);
         hParent != nullptr && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD); hParent = ::GetParent(hWnd))
        hWnd = hParent;
    return FromHandlePermanent(hWnd);
}

void CWnd::ModifyStyle(LONG_PTR remove, LONG_PTR add)
{
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (GetStyle() & ~remove) | add);
}

void CWnd::ModifyStyleEx(LONG_PTR remove, LONG_PTR add)
{
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (GetExStyle() & ~remove) | add);
}

std::wstring CWnd::GetWindowText() const
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWnd::CenterWindow(HWND hAlternateOwner)
{
    RECT rcArea{};
    HWND hOwner = hAlternateOwner != nullptr ? hAlternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner != nullptr && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &rcArea);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    RECT rc{};
    GetWindowRect(&rc);
    int x = rcArea.left + ((rcArea.right - rcArea.left) - (rc.right - rc.left)) / 2;
    int y = rcArea.top + ((rcArea.bottom - rcArea.top) - (rc.bottom - rc.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, 0, MessageSig::End, {nullptr}}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    MSG msg{hWnd, message, wParam, lParam, 0, {0, 0}};
    const MSG* pPrevious = pWnd->m_pCurrentMsg;
    pWnd->m_pCurrentMsg = &msg;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_pCurrentMsg = pPrevious;

    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd)
    {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && lParam != 0)
    {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (pChild != nullptr && pChild != this && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return true;
    }
    if (DispatchFromTable(message, wParam, lParam, pResult))
        return true;
    if (IsReflectedToChild(message))
    {
        CWnd* pChild = FromHandlePermanent(ReflectionTarget(message, lParam));
        if (pChild != nullptr && pChild != this)
            return pChild->OnChildNotify(message, wParam, lParam, pResult);
    }
    return false;
}

bool CWnd::DispatchFromTable(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const UINT nId = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    for (const MessageMap* pMap = GetMessageMap(); pMap != nullptr; pMap = pMap->pBaseMap)
    {
        for (const MessageMapEntry* p = pMap->pEntries; p->sig != MessageSig::End; ++p)
        {
            if (p->nMessage != message)
                continue;
            if (message == WM_COMMAND && (p->nCode != nCode || nId < p->nIdFirst || nId > p->nIdLast))
                continue;
            switch (p->sig)
            {
            case MessageSig::Message:
                *pResult = (this->*(p->handler.pfnMessage))(wParam, lParam);
                return true;
            case MessageSig::Void:
            case MessageSig::Command:
                (this->*(p->handler.pfnVoid))();
                *pResult = 0;
                return true;
            case MessageSig::CommandRange:
                (this->*(p->handler.pfnId))(nId);
                *pResult = 0;
                return true;
            case MessageSig::CtlColor:
                *pResult = reinterpret_cast<LRESULT>((this->*(p->handler.pfnCtlColor))(
                    reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                    message - WM_CTLCOLORMSGBOX));
                return true;
            case MessageSig::End:
                break;
            }
        }
    }
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

LRESULT CWnd::Default()
{
    if (m_pCurrentMsg == nullptr)
        return 0;
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

CWnd::CCreationHook::CCreationHook(CWnd* pWnd)
    : m_hHook(::SetWindowsHookExW(WH_CBT, &CWnd::CbtHookProc, nullptr, ::GetCurrentThreadId())),
      m_pPrevious(t_pWndInit)
{
    t_pWndInit = pWnd;
}

CWnd::CCreationHook::~CCreationHook()
{
    t_pWndInit = m_pPrevious;
    if (m_hHook != nullptr)
        ::UnhookWindowsHookEx(m_hHook);
}

LRESULT CALLBACK CWnd::CbtHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pWndInit != nullptr)
    {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->Attach(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
