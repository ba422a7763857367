// Owning wrappers for graphics handles: each deletes its handle when it is destroyed or given a
// new one, so no path can leak one. Move-only.
//
// Test builds (HOVRA_COUNT_GDI_OBJECTS defined) also count, per kind of wrapper, the handles the
// wrappers hold at the moment: AliveCount(). The product is built without the counter.
#pragma once

#include <windows.h>
#include <utility>
#ifdef HOVRA_COUNT_GDI_OBJECTS
#include <atomic>
#endif

template <class THandle, BOOL(WINAPI* Free)(THandle)> class CGdiHandle
{
public:
    CGdiHandle() = default;
    explicit CGdiHandle(THandle h) : m_h(h) { Track(h, +1); }
    ~CGdiHandle() { DeleteObject(); }
    CGdiHandle(const CGdiHandle&) = delete;
    CGdiHandle& operator=(const CGdiHandle&) = delete;
    CGdiHandle(CGdiHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CGdiHandle& operator=(CGdiHandle&& other) noexcept
    {
        if (this != &other)
        {
            Attach(std::exchange(other.m_h, nullptr));
            Track(m_h, -1); // counted once already, when the other wrapper took it
        }
        return *this;
    }

    operator THandle() const { return m_h; }
    THandle GetSafeHandle() const { return m_h; }
    // Takes ownership of h, freeing the handle held before.
    void Attach(THandle h)
    {
        DeleteObject();
        m_h = h;
        Track(h, +1);
    }
    THandle Detach()
    {
        Track(m_h, -1); // no longer ours to count
        return std::exchange(m_h, nullptr);
    }
    void DeleteObject()
    {
        if (m_h != nullptr)
        {
            Track(m_h, -1);
            Free(std::exchange(m_h, nullptr));
        }
    }

#ifdef HOVRA_COUNT_GDI_OBJECTS
    // The handles of this kind that wrappers hold now, across the process.
    static long AliveCount()
    {
        return s_nAlive.load();
    }
#endif

protected:
    THandle m_h = nullptr;

private:
    static void Track([[maybe_unused]] THandle h, [[maybe_unused]] long nDelta)
    {
#ifdef HOVRA_COUNT_GDI_OBJECTS
        if (h != nullptr)
            s_nAlive += nDelta;
#endif
    }
#ifdef HOVRA_COUNT_GDI_OBJECTS
    static inline std::atomic<long> s_nAlive{0};
#endif
};

inline BOOL WINAPI FreeGdiObject(HGDIOBJ h)
{
    return ::DeleteObject(h);
}
inline BOOL WINAPI FreeFont(HFONT h)
{
    return ::DeleteObject(h);
}
inline BOOL WINAPI FreeBrush(HBRUSH h)
{
    return ::DeleteObject(h);
}
inline BOOL WINAPI FreeBitmap(HBITMAP h)
{
    return ::DeleteObject(h);
}
inline BOOL WINAPI FreePen(HPEN h)
{
    return ::DeleteObject(h);
}

class CFont : public CGdiHandle<HFONT, FreeFont>
{
public:
    BOOL CreateFontIndirect(const LOGFONTW& lf)
    {
        Attach(::CreateFontIndirectW(&lf));
        return m_h != nullptr;
    }
    // A font like hBase with height and width times dScale (truncated) and the given weight, and
    // no face name, so the system picks the face for the other attributes.
    BOOL CreateDerived(HFONT hBase, double dScale, LONG nWeight)
    {
        LOGFONTW lf{};
        ::GetObjectW(hBase, sizeof lf, &lf);
        lf.lfFaceName[0] = L'\0';
        lf.lfHeight = static_cast<LONG>(lf.lfHeight * dScale);
        lf.lfWidth = static_cast<LONG>(lf.lfWidth * dScale);
        lf.lfWeight = nWeight;
        return CreateFontIndirect(lf);
    }
};

class CBrush : public CGdiHandle<HBRUSH, FreeBrush>
{
public:
    BOOL CreateSolidBrush(COLORREF clr)
    {
        Attach(::CreateSolidBrush(clr));
        return m_h != nullptr;
    }
};

class CBitmap : public CGdiHandle<HBITMAP, FreeBitmap>
{
public:
    // Loads a bitmap resource of the program, at its own size or stretched to cx by cy.
    BOOL LoadBitmap(UINT nId);
    BOOL LoadBitmap(UINT nId, int cx, int cy);
};

class CPen : public CGdiHandle<HPEN, FreePen>
{
public:
    BOOL CreatePen(int nStyle, int nWidth, COLORREF clr)
    {
        Attach(::CreatePen(nStyle, nWidth, clr));
        return m_h != nullptr;
    }
};

// Icons and cursors made with LoadImage without LR_SHARED must be destroyed by their owner.
class CIconHandle : public CGdiHandle<HICON, ::DestroyIcon>
{
public:
    using CGdiHandle::CGdiHandle;
    // Loads an icon resource of the program at the given size (0, 0: the size of the first image).
    BOOL LoadIcon(UINT nId, int cx, int cy);
};

class CCursorHandle : public CGdiHandle<HCURSOR, ::DestroyCursor>
{
public:
    BOOL LoadCursor(UINT nId);
};

// Selects a graphics object into a device context for the life of the scope.
class CSelectObject
{
public:
    CSelectObject(HDC hdc, HGDIOBJ hObject) : m_hdc(hdc), m_hOld(::SelectObject(hdc, hObject)) {}
    ~CSelectObject()
    {
        if (m_hOld != nullptr && m_hOld != HGDI_ERROR)
            ::SelectObject(m_hdc, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};
