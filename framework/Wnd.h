// CWnd: a C++ object bound to one window handle.
//
// A window is bound either while it is created (dialogs: the object is attached before the
// window sees its first message, so its table can handle WM_CREATE) or by subclassing an
// existing control (SubclassDlgItem). Every message then goes through WindowProc:
//   1. WM_COMMAND from a control goes to that control's object first (OnChildNotify), then
//      to this window's message table;
//   2. WM_DRAWITEM and WM_CTLCOLOR* go to this window's table first, and when it has no entry
//      they are reflected to the control's object (OnChildNotify), so a control draws itself
//      and answers its own colour request;
//   3. every other message goes to the message table;
//   4. what nobody handled goes to the window's previous procedure (Default behaviour).
// All of this runs on the user-interface thread only.
#pragma once

#include <windows.h>
#include <string>

#include "MessageMap.h"

class CWnd
{
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Binds this object to an existing window and routes its messages through WindowProc;
    // PreSubclassWindow runs first, with m_hWnd set, so a control can adjust its styles.
    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(UINT nId, CWnd* pParent);
    HWND UnsubclassWindow();

    BOOL DestroyWindow();
    // Creates a window of any class and binds it to this object.
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR pszClass, LPCWSTR pszName, DWORD dwStyle, const RECT& rc,
                  CWnd* pParent, UINT nId);

    // Thin wrappers over the API.
    HWND GetDlgItem(int nId) const { return ::GetDlgItem(m_hWnd, nId); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    CWnd* GetTopLevelParent() const;
    LONG_PTR GetStyle() const { return ::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
    LONG_PTR GetExStyle() const { return ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE); }
    void ModifyStyle(LONG_PTR remove, LONG_PTR add);
    void ModifyStyleEx(LONG_PTR remove, LONG_PTR add);
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;
    void SetDlgItemText(int nId, const std::wstring& text) { ::SetDlgItemTextW(m_hWnd, nId, text.c_str()); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE)
    {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    void CenterWindow(HWND hAlternateOwner = nullptr);

    // Lets the window filter a message before it is translated and dispatched; true means the
    // message was handled and goes no further. Called by the modal loop for the target window
    // and each of its parents up to the dialog.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Looks the message up in the tables; true when a handler took it.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification from this control's parent, reflected to the control. True when handled.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Runs the window's previous procedure for the message being handled.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone (WM_NCDESTROY); the object is unbound by then.
    virtual void PostNcDestroy() {}
    // Called when an existing window is subclassed, before its messages come here.
    virtual void PreSubclassWindow() {}

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // Creation hook: the next window created on this thread is bound to pWnd before it receives
    // its first message. Used around CreateDialogIndirectParamW.
    class CCreationHook
    {
    public:
        explicit CCreationHook(CWnd* pWnd);
        ~CCreationHook();
        CCreationHook(const CCreationHook&) = delete;
        CCreationHook& operator=(const CCreationHook&) = delete;

    private:
        HHOOK m_hHook;
        CWnd* m_pPrevious;
    };

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    bool DispatchFromTable(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    bool Attach(HWND hWnd);
    void Detach();

    WNDPROC m_pfnSuper = nullptr;
    const MSG* m_pCurrentMsg = nullptr;
};
