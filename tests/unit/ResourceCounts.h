// What the test process holds of the system's objects at one moment, for leak checks over long
// runs. GetGuiResources answers 0 under Wine, so the objects are counted here instead:
//   - GDI objects of the whole process by kind (device contexts, bitmaps, brushes, fonts, pens,
//     regions, ...), whoever made them: the program's own code, the framework's wrappers, or the
//     system on the program's behalf;
//   - the handles the framework's owning wrappers hold (GdiObject.h, test builds only): fonts,
//     brushes, bitmaps and pens, and icons and cursors, which are USER objects the GDI count
//     does not see;
//   - windows (USER objects) of one thread: its top-level windows and all their descendants;
//   - memory: the bytes in use in the process's heaps (every heap, walked block by block), the
//     private bytes and the working set.
#pragma once

#include <windows.h>

#include <array>
#include <string>

struct ResourceCounts
{
    // GDI objects by GetObjectType kind (OBJ_PEN = 1 ... OBJ_COLORSPACE = 14) and in all. On
    // Windows, where GetGuiResources counts them, only the total is known.
    std::array<int, 15> gdiByKind{};
    int gdiTotal = 0;

    // Handles held by the framework's wrappers.
    long fonts = 0;
    long brushes = 0;
    long bitmaps = 0;
    long pens = 0;
    long icons = 0;
    long cursors = 0;

    int windows = 0;

    // The bytes of the blocks in use in all heaps of the process: what the program's allocations
    // (and the system's on its behalf) hold, without what the allocators keep in reserve.
    SIZE_T heapBytes = 0;
    // Private bytes (the commit charge, GetProcessMemoryInfo's PagefileUsage) and working set.
    // Under Wine these cover the native side of the system too (its X11 driver and libraries).
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;

    // Every object count equal (memory is not compared here).
    bool SameObjects(const ResourceCounts& other) const;
    // One line: "gdi 123 (dc 2, bitmap 9, ...); wrappers: font 5, ...; windows 40; heaps ... KB, ..."
    std::string Describe() const;
};

// The counts now; windows are those of the given thread.
ResourceCounts TakeResourceCounts(DWORD dwThreadId = ::GetCurrentThreadId());
