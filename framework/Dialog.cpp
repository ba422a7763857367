#include "Dialog.h"

#include "DataExchange.h"
#include "WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIdTemplate, CWnd* pParentWnd) : m_nIdTemplate(nIdTemplate), m_pParentWnd(pParentWnd)
{
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
    const bool bDisableOwner = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    if (bDisableOwner)
        ::EnableWindow(hOwner, FALSE);

    m_bModalRunning = true;
    m_bModalEnded = false;
    m_nModalResult = -1;
    if (CreateFromTemplate(hOwner) != nullptr)
    {
        if (!m_bModalEnded)
        {
            if ((GetStyle() & WS_CHILD) == 0)
                CenterWindow();
            ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        if (bDisableOwner)
            ::EnableWindow(hOwner, TRUE);
        if (hOwner != nullptr && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hOwner);
        DestroyWindow();
    }
    else if (bDisableOwner)
    {
        ::EnableWindow(hOwner, TRUE);
    }
    m_bModalRunning = false;
    return m_nModalResult;
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
