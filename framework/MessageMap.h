// Static message tables: one plain array of entries per window class, searched from the most
// derived class to the root. An entry binds a window message, a command (or a range of
// command identifiers) or a control notification to a member handler.
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_MESSAGE(WM_USER + 2, &CMyDlg::OnProcessEnded)   // LRESULT OnProcessEnded(WPARAM, LPARAM)
//       ON_MESSAGE_VOID(WM_DESTROY, &CMyDlg::OnDestroy)      // void OnDestroy(); the message answers 0
//       ON_COMMAND(1009, &CMyDlg::OnExit)                    // void OnExit()
//       ON_COMMAND_RANGE(1000, 1004, &CMyDlg::OnNavigate)    // void OnNavigate(UINT id)
//       ON_CONTROL(CBN_CLOSEUP, 1076, &CMyDlg::OnCloseUp)    // void OnCloseUp()
//       ON_WM_CTLCOLOR(&CMyDlg::OnCtlColor)                  // HBRUSH OnCtlColor(HDC, HWND, UINT)
//   END_MESSAGE_MAP()
//
// A handler that wants the window's previous behaviour as well calls CWnd::Default().
#pragma once

#include <windows.h>

class CWnd;

enum class MessageSig
{
    End,
    Message,      // LRESULT (WPARAM, LPARAM)
    Void,         // void (), the message answers 0
    Command,      // void (), WM_COMMAND with the given notification code and identifier range
    CommandRange, // void (UINT id), same match as Command
    CtlColor,     // HBRUSH (HDC, HWND, UINT nCtlColor), for every WM_CTLCOLOR* message
};

struct MessageMapEntry
{
    UINT nMessage;
    UINT nCode;
    UINT nIdFirst;
    UINT nIdLast;
    MessageSig sig;
    union Handler
    {
        LRESULT (CWnd::*pfnMessage)(WPARAM, LPARAM);
        void (CWnd::*pfnVoid)();
        void (CWnd::*pfnId)(UINT);
        HBRUSH (CWnd::*pfnCtlColor)(HDC, HWND, UINT);
    } handler;
};

struct MessageMap
{
    const MessageMap* pBaseMap;
    const MessageMapEntry* pEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const MessageMap* GetThisMessageMap();                                                            \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const MessageMap* theClass::GetMessageMap() const                                                        \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const MessageMap* theClass::GetThisMessageMap()                                                          \
    {                                                                                                        \
        using TheBaseClass = baseClass;                                                                      \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {                                                                                                        \
        0, 0, 0, 0, MessageSig::End,                                                                         \
        {                                                                                                    \
            nullptr                                                                                          \
        }                                                                                                    \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    static const MessageMap map = {TheBaseClass::GetThisMessageMap(), entries};                              \
    return &map;                                                                                             \
    }

#define ON_MESSAGE(message, memberFxn)                                                                       \
    {message,                                                                                                \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     MessageSig::Message,                                                                                    \
     {.pfnMessage = static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(memberFxn)}},

#define ON_MESSAGE_VOID(message, memberFxn)                                                                  \
    {message, 0, 0, 0, MessageSig::Void, {.pfnVoid = static_cast<void (CWnd::*)()>(memberFxn)}},

#define ON_CONTROL(code, id, memberFxn)                                                                      \
    {WM_COMMAND, static_cast<UINT>(code), id,                                                                \
     id,         MessageSig::Command,     {.pfnVoid = static_cast<void (CWnd::*)()>(memberFxn)}},

#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)

#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                                         \
    {WM_COMMAND,                                                                                             \
     0,                                                                                                      \
     idFirst,                                                                                                \
     idLast,                                                                                                 \
     MessageSig::CommandRange,                                                                               \
     {.pfnId = static_cast<void (CWnd::*)(UINT)>(memberFxn)}},

// One entry per WM_CTLCOLOR* message; nCtlColor is the CTLCOLOR_* kind (CTLCOLOR_STATIC, ...).
#define ON_CTLCOLOR_ENTRY(message, memberFxn)                                                                \
    {message,                                                                                                \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     MessageSig::CtlColor,                                                                                   \
     {.pfnCtlColor = static_cast<HBRUSH (CWnd::*)(HDC, HWND, UINT)>(memberFxn)}},
#define ON_WM_CTLCOLOR(memberFxn)                                                                            \
    ON_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX, memberFxn)                                                          \
    ON_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, memberFxn)                                                            \
    ON_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, memberFxn)                                                         \
    ON_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, memberFxn)                                                             \
    ON_CTLCOLOR_ENTRY(WM_CTLCOLORDLG, memberFxn)                                                             \
    ON_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR, memberFxn)                                                       \
    ON_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, memberFxn)
