// The counters the soak's leak checks rest on (ResourceCounts.h): each kind of object the
// launchpad makes is seen coming and going, the wrappers count what they hold, and the memory
// figures follow what the process holds.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "LaunchpadHarness.h"
#include "ResourceCounts.h"

namespace
{
struct CountedObject
{
    const char* name;
    // Makes the object(s) and returns what frees them.
    std::function<std::function<void()>()> make;
    long ResourceCounts::*pWrapperCount; // the wrapper count that rises by one, if any
    DWORD dwGdiKind;                     // the GDI kind that rises by one, 0: not looked at
    int nWindows;                        // how many windows appear
};

template <class TWrapper> std::function<void()> Owned(TWrapper* pWrapper)
{
    return [pWrapper]
    {
        delete pWrapper;
    };
}

TEST(ResourceCounts, SeeEachKindOfObjectTheLaunchpadMakesComeAndGo)
{
    const CountedObject objects[] = {
        {"font in its wrapper",
         []
         {
             auto* p = new CFont;
             LOGFONTW lf{};
             lf.lfHeight = -13;
             p->CreateFontIndirect(lf);
             return Owned(p);
         },
         &ResourceCounts::fonts, OBJ_FONT, 0},
        {"brush in its wrapper",
         []
         {
             auto* p = new CBrush;
             p->CreateSolidBrush(RGB(1, 2, 3));
             return Owned(p);
         },
         &ResourceCounts::brushes, OBJ_BRUSH, 0},
        {"bitmap resource in its wrapper",
         []
         {
             auto* p = new CBitmap;
             p->LoadBitmap(IDB_LED_RED);
             return Owned(p);
         },
         &ResourceCounts::bitmaps, OBJ_BITMAP, 0},
        {"pen in its wrapper",
         []
         {
             auto* p = new CPen;
             p->CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
             return Owned(p);
         },
         &ResourceCounts::pens, OBJ_PEN, 0},
        {"icon in its wrapper",
         []
         {
             auto* p = new CIconHandle;
             p->LoadIcon(IDI_EXPAND, 0, 0);
             return Owned(p);
         },
         &ResourceCounts::icons, 0, 0},
        {"cursor in its wrapper",
         []
         {
             auto* p = new CCursorHandle;
             p->LoadCursor(IDC_HAND_CURSOR);
             return Owned(p);
         },
         &ResourceCounts::cursors, 0, 0},
        {"font made raw, outside any wrapper",
         []
         {
             LOGFONTW lf{};
             lf.lfHeight = -13;
             HFONT h = ::CreateFontIndirectW(&lf);
             return std::function<void()>([h] { ::DeleteObject(h); });
         },
         nullptr, OBJ_FONT, 0},
        {"memory device context",
         []
         {
             HDC h = ::CreateCompatibleDC(nullptr);
             return std::function<void()>([h] { ::DeleteDC(h); });
         },
         nullptr, OBJ_MEMDC, 0},
        {"region",
         []
         {
             HRGN h = ::CreateRectRgn(0, 0, 10, 10);
             return std::function<void()>([h] { ::DeleteObject(h); });
         },
         nullptr, OBJ_REGION, 0},
        {"window with a child and a grandchild",
         []
         {
             HWND hTop = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                           nullptr, nullptr);
             HWND hChild = ::CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 20, 20, hTop, nullptr,
                                             nullptr, nullptr);
             ::CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 5, 5, hChild, nullptr, nullptr, nullptr);
             return std::function<void()>([hTop] { ::DestroyWindow(hTop); });
         },
         nullptr, 0, 3},
    };
    // A window of the thread for the whole test: the system keeps a window of its own for a thread
    // while the thread has windows, which would otherwise come and go with the test's windows.
    HWND hHost =
        ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hHost);
    for (const CountedObject& object : objects)
    {
        SCOPED_TRACE(object.name);
        object.make()(); // the first one may leave what the system keeps once per thread or process
        const ResourceCounts before = TakeResourceCounts();
        const std::function<void()> free = object.make();
        const ResourceCounts during = TakeResourceCounts();
        if (object.pWrapperCount != nullptr)
        {
            EXPECT_EQ(before.*object.pWrapperCount + 1, during.*object.pWrapperCount);
        }
        if (object.dwGdiKind != 0)
        {
            EXPECT_EQ(before.gdiByKind[object.dwGdiKind] + 1, during.gdiByKind[object.dwGdiKind]);
            EXPECT_EQ(before.gdiTotal + 1, during.gdiTotal);
        }
        EXPECT_EQ(before.windows + object.nWindows, during.windows);
        free();
        const ResourceCounts after = TakeResourceCounts();
        EXPECT_TRUE(before.SameObjects(after)) << before.Describe() << "\n" << after.Describe();
    }
    ::DestroyWindow(hHost);
}

TEST(ResourceCounts, WrappersCountWhatTheyHoldNotWhatPassesThrough)
{
    const long nBefore = CBrush::AliveCount();
    {
        CBrush a;
        a.CreateSolidBrush(RGB(1, 1, 1));
        CBrush b(std::move(a)); // moved: still one
        EXPECT_EQ(nBefore + 1, CBrush::AliveCount());
        CBrush c;
        c.CreateSolidBrush(RGB(2, 2, 2));
        c = std::move(b); // c's own brush is freed, b's is taken over
        EXPECT_EQ(nBefore + 1, CBrush::AliveCount());
        HBRUSH h = c.Detach(); // given away: no longer counted
        EXPECT_EQ(nBefore, CBrush::AliveCount());
        c.Attach(h);
        c.Attach(nullptr); // frees it
        EXPECT_EQ(nBefore, CBrush::AliveCount());
    }
    EXPECT_EQ(nBefore, CBrush::AliveCount());
}

TEST(ResourceCounts, MemoryFiguresFollowWhatTheProcessHolds)
{
    const ResourceCounts before = TakeResourceCounts();
    ASSERT_GT(before.heapBytes, 0u);
    ASSERT_GT(before.privateBytes, 0u);
    ASSERT_GT(before.workingSet, 0u);

    // The heaps: a few small blocks, to the byte.
    {
        std::vector<char*> blocks;
        blocks.reserve(3);
        const ResourceCounts reserved = TakeResourceCounts();
        for (size_t cb : {24u, 1000u, 70000u})
            blocks.push_back(new char[cb]);
        const ResourceCounts holding = TakeResourceCounts();
        for (char* p : blocks)
            delete[] p;
        const ResourceCounts freed = TakeResourceCounts();
        EXPECT_EQ(reserved.heapBytes + 24 + 1000 + 70000, holding.heapBytes);
        EXPECT_EQ(reserved.heapBytes, freed.heapBytes);
    }

    // Private bytes and working set: memory committed and touched.
    constexpr SIZE_T cb = 32u << 20;
    auto* p = static_cast<BYTE*>(::VirtualAlloc(nullptr, cb, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, p);
    for (SIZE_T i = 0; i < cb; i += 4096)
        p[i] = 1;
    const ResourceCounts during = TakeResourceCounts();
    ::VirtualFree(p, 0, MEM_RELEASE);
    const ResourceCounts after = TakeResourceCounts();
    EXPECT_GE(during.privateBytes, before.privateBytes + cb * 9 / 10);
    EXPECT_GE(during.workingSet, before.workingSet + cb * 9 / 10);
    EXPECT_LE(after.privateBytes, during.privateBytes - cb * 9 / 10);
}
} // namespace
