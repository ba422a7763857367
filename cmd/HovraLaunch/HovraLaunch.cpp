#include "hovra_stdafx.h"

#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"

CHovraLaunchApp theApp;

BOOL CHovraLaunchApp::InitInstance()
{
    if (!m_singleInstance.IsFirstInstance())
        return FALSE;

    // No control containers are hosted, and the common controls are not initialised here: every
    // text and template comes from the program's own resources.
    CHovraLaunchDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
