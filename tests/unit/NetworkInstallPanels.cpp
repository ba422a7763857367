#include "NetworkInstallPanels.h"

namespace panel_tests
{
std::vector<BYTE> IconPixels(HICON hIcon)
{
    ICONINFO info{};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return {};
    std::vector<BYTE> pixels;
    BITMAP bm{};
    if (info.hbmColor != nullptr && ::GetObjectW(info.hbmColor, sizeof bm, &bm) != 0)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = bm.bmWidth;
        bi.bmiHeader.biHeight = bm.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        pixels.resize(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight) * 4);
        HDC hdc = ::GetDC(nullptr);
        ::GetDIBits(hdc, info.hbmColor, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &bi,
                    DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, hdc);
    }
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
}

std::vector<BYTE> ResourceIconPixels(UINT nId)
{
    CIconHandle icon;
    icon.LoadIcon(nId, 32, 32);
    return IconPixels(icon);
}

std::vector<BYTE> ShownIconPixels(HWND hStatic)
{
    return IconPixels(reinterpret_cast<HICON>(::SendMessageW(hStatic, STM_GETICON, 0, 0)));
}

CProbeNetworkPanel& Network(CSteppedMainDlg& d)
{
    return d.Panel<CProbeNetworkPanel>(IDD_NETWORK_PANEL);
}

CProbeInstallPanel& Install(CSteppedMainDlg& d)
{
    return d.Panel<CProbeInstallPanel>(IDD_INSTALL_PANEL);
}

} // namespace panel_tests
