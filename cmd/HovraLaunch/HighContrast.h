// Whether Windows runs in high-contrast mode. Windows that change their look for it sample this
// once, when they are constructed.
#pragma once

#include <windows.h>

bool IsHighContrastOn();

// Replaces the system's answer (null restores it). For tests: high contrast cannot be switched on
// everywhere the tests run.
void SetHighContrastProbe(bool (*pfnProbe)());
