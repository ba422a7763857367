// Scoped device contexts: each takes its device context in the constructor and gives it back in
// the destructor, so no return path of the painting code can keep one. Non-copyable. The handle is
// null when the system gave none; check it before drawing. Selections into a context: CSelectObject
// (GdiObject.h).
//
// The test builds' wrapper counts (GdiObject.h) leave device contexts out, as they always did: the
// leak checks see them among the process's GDI objects, whoever made them.
#pragma once

#include <windows.h>

// What the scoped device contexts share: the handle.
class CDC
{
public:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

protected:
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    ~CDC() = default;

    HDC m_hDC;
};

// The window's painting context: BeginPaint now, EndPaint (always, as the system wants) when it goes.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(HWND hWnd) : CDC(nullptr), m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

    const PAINTSTRUCT& GetPaintStruct() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
};

// The window's client-area context outside painting: GetDC now, ReleaseDC when it goes.
class CClientDC : public CDC
{
public:
    explicit CClientDC(HWND hWnd) : CDC(::GetDC(hWnd)), m_hWnd(hWnd) {}
    ~CClientDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }

private:
    HWND m_hWnd;
};

// A memory context compatible with hdcCompatible (null: with the screen): CreateCompatibleDC now,
// DeleteDC when it goes. Selections into it must end first (a CSelectObject declared after it).
class CMemoryDC : public CDC
{
public:
    explicit CMemoryDC(HDC hdcCompatible) : CDC(::CreateCompatibleDC(hdcCompatible)) {}
    ~CMemoryDC()
    {
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
    }
};

// A one-pixel 3-D frame just inside rc, in the system's button shadow and highlight colours:
// sunken (shadow on the top and left, highlight on the bottom and right, which own the top-right
// and bottom-left corners) or raised (the colours the other way round). Filled with opaque empty
// text, so it makes no brush; the background colour of hdc is left as it was.
void DrawThinEdge(HDC hdc, const RECT& rc, bool bSunken);
