// The launchpad's application object: refuses a second copy, then runs the main dialog once.
#pragma once

#include "hovra_stdafx.h"

#include "SingleInstance.h"
#include "StatusRules.h"

#include <array>

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

// Evaluates an item: writes its display text into the buffer (may be null) and returns a status
// (PrerequisiteStatus).
using PrerequisiteTest = INT32 (*)(wchar_t* pszText, INT32 cchText);

// One prerequisite: the operating system the launchpad identified, or a catalogue entry.
struct PrerequisiteItem
{
    UINT nNameId;
    UINT nMoreInfoId;
    BOOL bExpanded;
    wchar_t szText[260];
    INT32 nStatus;
    PrerequisiteTest pfnTest;
    UINT nDescriptionId;
    UINT nUrlId;
    UINT nProgramPathId;
    BOOL bNetworkInstall;
    UINT nAltDescriptionId;
};

constexpr int kPrerequisiteCount = 29;
constexpr int kCatalogueEntryCount = 28;

// Item 0 is the current item (the identified Windows); items 1 to 28 the catalogue.
extern std::array<PrerequisiteItem, kPrerequisiteCount> g_prerequisites;

// Identifies the running Windows against the catalogue and copies the matching entry over the
// current item. False when a warning is due: Windows 2000, NT 4.0, a later Windows that only the
// catch-all entry knows, or nothing matched.
bool SelectCurrentOs();

// The short name of an item's Windows for the software panel's heading, by the item's name text:
// the generic "Windows" for a name no catalogue entry has.
UINT HeadingShortNameId(UINT nNameId);
