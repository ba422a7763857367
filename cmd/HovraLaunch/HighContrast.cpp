#include "hovra_stdafx.h"

#include "HighContrast.h"

namespace
{
bool SystemHighContrast()
{
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON);
}

bool (*g_pfnProbe)() = &SystemHighContrast;
} // namespace

bool IsHighContrastOn()
{
    return g_pfnProbe();
}

void SetHighContrastProbe(bool (*pfnProbe)())
{
    g_pfnProbe = pfnProbe != nullptr ? pfnProbe : &SystemHighContrast;
}
