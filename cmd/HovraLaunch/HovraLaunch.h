// The launchpad's application object: refuses a second copy, then runs the main dialog once.
#pragma once

#include "hovra_stdafx.h"

#include "SingleInstance.h"

class CHovraLaunchApp : public CWinApp
{
public:
    CHovraLaunchApp() = default;
    ~CHovraLaunchApp() override = default;

    // Always FALSE: the process ends when the main dialog has closed.
    BOOL InitInstance() override;

private:
    CSingleInstance m_singleInstance;
};

extern CHovraLaunchApp theApp;
