// Headers every source file of the launchpad uses.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "Controls.h"
#include "DataExchange.h"
#include "DeviceContext.h"
#include "Dialog.h"
#include "FilePath.h"
#include "GdiObject.h"
#include "StringCatalogue.h"
#include "SystemLibrary.h"
#include "WinApp.h"
#include "Wnd.h"

#include "resource.h"
