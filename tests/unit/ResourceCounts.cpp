#include "ResourceCounts.h"

#include <psapi.h>

#include <cstdio>

#include "GdiObject.h"

namespace
{
const char* const kKindNames[] = {"",      "pen",    "brush",     "dc",          "metadc",
                                  "pal",   "font",   "bitmap",    "region",      "metafile",
                                  "memdc", "extpen", "enhmetadc", "enhmetafile", "colorspace"};
static_assert(std::size(kKindNames) == std::tuple_size_v<decltype(ResourceCounts::gdiByKind)>);

void CountGdiObjects(ResourceCounts& counts)
{
    if (const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); n != 0)
    {
        counts.gdiTotal = static_cast<int>(n);
        return;
    }
    // Wine answers 0 above. It keeps the process's GDI objects in one table indexed by the low
    // word of the handle, and a handle whose high word is 0 names whatever object sits at that
    // index: asking the kind of every index finds each live object once.
    for (UINT_PTR nIndex = 1; nIndex < 0x10000; ++nIndex)
    {
        const DWORD dwKind = ::GetObjectType(reinterpret_cast<HGDIOBJ>(nIndex));
        if (dwKind == 0)
            continue;
        ++counts.gdiTotal;
        if (dwKind < counts.gdiByKind.size())
            ++counts.gdiByKind[dwKind];
    }
}

SIZE_T HeapBytesInUse()
{
    HANDLE aHeaps[256];
    const DWORD nHeaps = ::GetProcessHeaps(static_cast<DWORD>(std::size(aHeaps)), aHeaps);
    SIZE_T cb = 0;
    for (DWORD n = 0; n < nHeaps && n < std::size(aHeaps); ++n)
    {
        if (!::HeapLock(aHeaps[n]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(aHeaps[n], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                cb += entry.cbData;
        ::HeapUnlock(aHeaps[n]);
    }
    return cb;
}

BOOL CALLBACK CountOne(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountWithDescendants(HWND hWnd, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    ::EnumChildWindows(hWnd, &CountOne, lParam); // every descendant, not only the children
    return TRUE;
}
} // namespace

bool ResourceCounts::SameObjects(const ResourceCounts& other) const
{
    return gdiByKind == other.gdiByKind && gdiTotal == other.gdiTotal && fonts == other.fonts &&
           brushes == other.brushes && bitmaps == other.bitmaps && pens == other.pens &&
           icons == other.icons && cursors == other.cursors && windows == other.windows;
}

std::string ResourceCounts::Describe() const
{
    std::string text = "gdi " + std::to_string(gdiTotal) + " (";
    bool bFirst = true;
    for (size_t nKind = 1; nKind < gdiByKind.size(); ++nKind)
    {
        if (gdiByKind[nKind] == 0)
            continue;
        text +=
            (bFirst ? "" : ", ") + std::string(kKindNames[nKind]) + " " + std::to_string(gdiByKind[nKind]);
        bFirst = false;
    }
    char szMemory[128];
    std::snprintf(szMemory, sizeof szMemory, "heaps %.1f KB, private %.1f KB, working set %.1f KB",
                  heapBytes / 1024.0, privateBytes / 1024.0, workingSet / 1024.0);
    return text + "); wrappers: font " + std::to_string(fonts) + ", brush " + std::to_string(brushes) +
           ", bitmap " + std::to_string(bitmaps) + ", pen " + std::to_string(pens) + ", icon " +
           std::to_string(icons) + ", cursor " + std::to_string(cursors) + "; windows " +
           std::to_string(windows) + "; " + szMemory;
}

ResourceCounts TakeResourceCounts(DWORD dwThreadId)
{
    ResourceCounts counts;
    CountGdiObjects(counts);

    counts.fonts = CFont::AliveCount();
    counts.brushes = CBrush::AliveCount();
    counts.bitmaps = CBitmap::AliveCount();
    counts.pens = CPen::AliveCount();
    counts.icons = CIconHandle::AliveCount();
    counts.cursors = CCursorHandle::AliveCount();

    ::EnumThreadWindows(dwThreadId, &CountWithDescendants, reinterpret_cast<LPARAM>(&counts.windows));

    counts.heapBytes = HeapBytesInUse();
    // Wine leaves PrivateUsage at 0; PagefileUsage is the same figure on Windows and is filled in
    // by Wine (the process's anonymous resident memory).
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory))
    {
        counts.privateBytes = memory.PagefileUsage;
        counts.workingSet = memory.WorkingSetSize;
    }
    return counts;
}
