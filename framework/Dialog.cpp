#include "Dialog.h"

#include "DataExchange.h"
#include "StringCatalogue.h"
#include "WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIdTemplate, CWnd* pParentWnd) : m_nIdTemplate(nIdTemplate), m_pParentWnd(pParentWnd)
{
}

void CDialog::SetControlTexts(std::initializer_list<DialogText> texts, bool bKeepTemplateText)
{
    for (const DialogText& text : texts)
    {
        std::wstring strText;
        if (AfxLoadString(text.nTextId, strText) || !bKeepTemplateText)
            SetDlgItemText(text.nControlId, strText);
        if (text.hFont != nullptr)
            ::SendMessageW(GetDlgItem(text.nControlId), WM_SETFONT, reinterpret_cast<WPARAM>(text.hFont),
                           TRUE);
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    // Every message has already been through the bound object (see WindowProc).
    return FALSE;
}

HWND CDialog::CreateFromTemplate(HWND hParent)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInstance, MAKEINTRESOURCEW(m_nIdTemplate), RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    auto* pTemplate =
        static_cast<const DLGTEMPLATE*>(hTemplate != nullptr ? ::LockResource(hTemplate) : nullptr);
    if (pTemplate == nullptr)
        return nullptr;

    CCreationHook hook(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInstance, pTemplate, hParent, &CDialog::DialogProc, 0);
    if (hWnd == nullptr && m_hWnd != nullptr)
        UnsubclassWindow(); // creation failed after the window was bound
    return hWnd;
}

BOOL CDialog::Create(UINT nIdTemplate, CWnd* pParentWnd)
{
    m_nIdTemplate = nIdTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    m_hDisabledOwner = nullptr;
    if (hOwner != nullptr && ::IsWindowEnabled(hOwner))
    {
        ::EnableWindow(hOwner, FALSE);
        m_hDisabledOwner = hOwner;
    }

    m_bModalRunning = true;
    m_bModalEnded = false;
    m_nModalResult = -1;
    if (CreateFromTemplate(hOwner) != nullptr)
    {
        if (!m_bModalEnded)
        {
            const bool bTopLevel = (GetStyle() & WS_CHILD) == 0;
            if (bTopLevel)
                CenterWindow();
            ShowWindow(SW_SHOWNORMAL);
            // The window the user waits for comes to the front, also when a box that stood before
            // it (with no owner on screen to return to) has left the activation elsewhere.
            if (bTopLevel)
                ::SetForegroundWindow(m_hWnd);
            RunModalLoop();
        }
        RestoreOwner();
        DestroyWindow();
    }
    else
    {
        RestoreOwner();
    }
    m_bModalRunning = false;
    return m_nModalResult;
}

void CDialog::RestoreOwner()
{
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (m_hDisabledOwner != nullptr)
    {
        ::EnableWindow(m_hDisabledOwner, TRUE);
        m_hDisabledOwner = nullptr;
    }
    // While this dialog is still on screen: once it is hidden, Windows would already have given
    // the activation to whichever window it found next, often another program's.
    if (hOwner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd && ::IsWindowVisible(hOwner))
        ::SetActiveWindow(hOwner);
}

void CDialog::RunModalLoop()
{
    MSG msg{};
    bool bIdle = true;
    while (!m_bModalEnded)
    {
        // Work that can wait until the window is on screen runs while the queue is empty.
        if (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            bIdle = OnIdle();
            continue;
        }
        BOOL bResult = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bResult == 0)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // leave WM_QUIT for the loop outside
            break;
        }
        if (bResult == -1)
            break;
        if (PreTranslateChain(&msg))
            continue;
        if (m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return PreTranslateInput(pMsg) ? TRUE : FALSE;
}

bool CDialog::PreTranslateInput(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == nullptr)
        return false;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return false;
    if (HandleEnterOrEscape(pMsg))
        return true;
    return ::IsDialogMessageW(m_hWnd, pMsg) != FALSE;
}

bool CDialog::HandleEnterOrEscape(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || (pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE))
        return false;
    HWND hFocus = pMsg->hwnd;
    const LRESULT nCode = ::SendMessageW(hFocus, WM_GETDLGCODE, pMsg->wParam, reinterpret_cast<LPARAM>(pMsg));
    if (nCode & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
        return false; // the control's own key, such as Enter or Escape in an open drop-down list

    if (pMsg->wParam == VK_ESCAPE)
    {
        HWND hCancel = GetDlgItem(IDCANCEL);
        if (hCancel == nullptr || ::IsWindowEnabled(hCancel))
            SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(hCancel));
        return true;
    }

    // Enter presses the push button that has the focus, else the dialog's default button.
    if (::GetParent(hFocus) == m_hWnd && (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
    {
        if (::IsWindowEnabled(hFocus))
            SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hFocus), BN_CLICKED),
                        reinterpret_cast<LPARAM>(hFocus));
        return true;
    }
    const LRESULT nDefault = SendMessage(DM_GETDEFID);
    const int nId = HIWORD(nDefault) == DC_HASDEFID ? LOWORD(nDefault) : IDOK;
    HWND hDefault = GetDlgItem(nId);
    if (hDefault == nullptr || ::IsWindowEnabled(hDefault))
        SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(hDefault));
    return true;
}

bool CDialog::PreTranslateChain(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return true;
        if (hWnd == m_hWnd)
            break;
    }
    return false;
}

void CDialog::EndDialog(INT_PTR nResult)
{
    if (m_bModalRunning)
    {
        m_nModalResult = nResult;
        m_bModalEnded = true;
        if (m_hWnd != nullptr)
        {
            RestoreOwner();
            ShowWindow(SW_HIDE);
            PostMessage(WM_NULL); // wake the loop
        }
    }
    else if (m_hWnd != nullptr)
    {
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CDialog::OnIdle()
{
    return false;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
