// CDialog: a dialog window made from a template in the program's resources.
//
// Modal dialogs run in the framework's own loop rather than the system's: the dialog is created
// modeless, its owner is disabled, and each message is offered to PreTranslateMessage of the
// target window and its parents, then to IsDialogMessage, until EndDialog is called. That is what
// lets controls such as tooltips see the mouse messages of their windows.
//
// Every dialog on that way gets the keyboard in its own PreTranslateMessage, the innermost first:
// Enter and Escape pressed on a control belong to the dialog that holds the control, also when
// that dialog is nested in another (DS_CONTROL), where the system would hand them to the outer
// one. Everything else (Tab, arrows, mnemonics) goes on to the system's dialog navigation.
//
// When a modal dialog ends, its owner is enabled and activated before the dialog disappears, so
// Windows never hands the activation to another program in between.
//
// Modeless dialogs (the main dialog's panels) are made with Create and live until DestroyWindow.
#pragma once

#include "Wnd.h"

#include <initializer_list>

class CDataExchange;

// A control of a dialog, the text of the catalogue it shows and its font (null: the font it has).
struct DialogText
{
    int nControlId;
    UINT nTextId;
    HFONT hFont = nullptr;
};

class CDialog : public CWnd
{
public:
    CDialog(UINT nIdTemplate, CWnd* pParentWnd);

    // Creates the dialog, runs it until EndDialog and destroys it. Returns the EndDialog result,
    // or -1 when the window could not be created (for example when WM_CREATE answered -1).
    virtual INT_PTR DoModal();
    // Creates the dialog modeless, as a child or an owned window of pParentWnd.
    virtual BOOL Create(UINT nIdTemplate, CWnd* pParentWnd);
    void EndDialog(INT_PTR nResult);

    UINT GetTemplateId() const { return m_nIdTemplate; }
    CWnd* GetParentWnd() const { return m_pParentWnd; }
    bool IsModalRunning() const { return m_bModalRunning; }

    // Runs DoDataExchange: bSaveAndValidate false binds controls and fills them, true reads back.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Gives each control, in order, its text and then its font. A text that cannot be loaded
    // empties the control, or with bKeepTemplateText leaves the template's text in it.
    void SetControlTexts(std::initializer_list<DialogText> texts, bool bKeepTemplateText = false);

protected:
    virtual BOOL OnInitDialog();
    // Called by the modal loop whenever it finds no message waiting, once the window is shown and
    // painted; true asks to be called again, false ends the calls for the rest of the loop.
    virtual bool OnIdle();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIdTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    HWND CreateFromTemplate(HWND hParent);
    void RunModalLoop();
    bool PreTranslateChain(MSG* pMsg);
    bool PreTranslateInput(MSG* pMsg);
    bool HandleEnterOrEscape(MSG* pMsg);
    void RestoreOwner();
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

    bool m_bModalRunning = false;
    bool m_bModalEnded = false;
    HWND m_hDisabledOwner = nullptr; // the owner this modal run disabled, until it is enabled again
    INT_PTR m_nModalResult = -1;
};
