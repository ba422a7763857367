#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace
{
constexpr LANGID kEnglishUs = 0x0409;

struct ResourceData
{
    const BYTE* p = nullptr;
    DWORD cb = 0;
};

ResourceData Find(LPCWSTR type, UINT id, LANGID lang = kEnglishUs)
{
    HRSRC hRes = ::FindResourceExW(nullptr, type, MAKEINTRESOURCEW(id), lang);
    if (hRes == nullptr)
        return {};
    return {static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, hRes))),
            ::SizeofResource(nullptr, hRes)};
}

// A reader for DLGTEMPLATEEX: the header and the items, as the dialog manager reads them.
class TemplateReader
{
public:
    explicit TemplateReader(ResourceData data) : m_p(data.p), m_end(data.p + data.cb) {}
    WORD Word()
    {
        WORD w = 0;
        if (m_p + 2 <= m_end)
            std::memcpy(&w, m_p, 2);
        m_p += 2;
        return w;
    }
    DWORD Dword()
    {
        DWORD lo = Word();
        return lo | (static_cast<DWORD>(Word()) << 16);
    }
    // A name or ordinal: 0xFFFF and a number, or a zero-terminated string.
    std::wstring SzOrOrd()
    {
        WORD w = Word();
        if (w == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        std::wstring s;
        for (; w != 0; w = Word())
            s += static_cast<wchar_t>(w);
        return s;
    }
    void AlignDword()
    {
        m_p = reinterpret_cast<const BYTE*>((reinterpret_cast<ULONG_PTR>(m_p) + 3) & ~ULONG_PTR(3));
    }
    bool Ok() const { return m_p <= m_end; }

private:
    const BYTE* m_p;
    const BYTE* m_end;
};

struct Item
{
    int id;
    std::wstring cls;
    DWORD style; // without WS_CHILD and WS_VISIBLE
    bool visible;
    short x, y, cx, cy;
    std::wstring caption;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* os)
{
    *os << "{id " << item.id << ", class " << testing::PrintToString(item.cls) << ", style 0x" << std::hex
        << item.style << std::dec << (item.visible ? ", visible" : ", hidden") << ", " << item.x << ","
        << item.y << " " << item.cx << "x" << item.cy << ", " << testing::PrintToString(item.caption) << "}";
}

// The predefined classes by name, whichever way the template stores them.
std::wstring ClassName(const std::wstring& stored)
{
    if (stored == L"#128" || ::lstrcmpiW(stored.c_str(), L"Button") == 0)
        return L"Button";
    if (stored == L"#130" || ::lstrcmpiW(stored.c_str(), L"Static") == 0)
        return L"Static";
    if (stored == L"#133" || ::lstrcmpiW(stored.c_str(), L"ComboBox") == 0)
        return L"ComboBox";
    return stored;
}

struct Template
{
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    WORD pointSize;
    std::wstring font;
    std::vector<Item> items;
};

Template ReadTemplate(UINT id)
{
    Template t{};
    ResourceData data = Find(RT_DIALOG, id);
    if (data.p == nullptr)
        return t;
    TemplateReader r(data);
    EXPECT_EQ(1, r.Word());      // version
    EXPECT_EQ(0xFFFF, r.Word()); // extended template
    r.Dword();                   // help id
    t.exStyle = r.Dword();
    t.style = r.Dword();
    const WORD nItems = r.Word();
    r.Word(), r.Word();
    t.cx = static_cast<short>(r.Word());
    t.cy = static_cast<short>(r.Word());
    r.SzOrOrd();                       // menu
    r.SzOrOrd();                       // class
    EXPECT_EQ(L"", r.SzOrOrd()) << id; // title
    t.pointSize = r.Word();
    r.Word(), r.Word();
    t.font = r.SzOrOrd();
    for (WORD i = 0; i < nItems && r.Ok(); ++i)
    {
        r.AlignDword();
        Item item{};
        r.Dword(); // help id
        r.Dword(); // extended style
        const DWORD style = r.Dword();
        item.x = static_cast<short>(r.Word());
        item.y = static_cast<short>(r.Word());
        item.cx = static_cast<short>(r.Word());
        item.cy = static_cast<short>(r.Word());
        item.id = static_cast<int>(r.Dword());
        item.cls = ClassName(r.SzOrOrd());
        item.caption = r.SzOrOrd();
        const WORD cbExtra = r.Word();
        for (WORD b = 0; b < cbExtra; b += 2)
            r.Word();
        item.visible = (style & WS_VISIBLE) != 0;
        item.style = style & ~(WS_CHILD | WS_VISIBLE);
        t.items.push_back(item);
    }
    EXPECT_TRUE(r.Ok()) << id;
    return t;
}

constexpr DWORD kNav = BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_MULTILINE | BS_FLAT | BS_CENTER | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | BS_MULTILINE | BS_FLAT | BS_CENTER | WS_TABSTOP;
const std::wstring kButton = L"Button", kStatic = L"Static", kCombo = L"ComboBox";

TEST(Resources, MainDialogTemplate)
{
    const Template t = ReadTemplate(102);
    EXPECT_EQ(DWORD(DS_SETFONT | WS_POPUP | WS_BORDER), t.style & ~DWORD(DS_3DLOOK));
    EXPECT_EQ(DWORD(WS_EX_APPWINDOW), t.exStyle);
    EXPECT_EQ(490, t.cx);
    EXPECT_EQ(320, t.cy);
    EXPECT_EQ(9, t.pointSize);
    EXPECT_EQ(L"MS Shell Dlg", t.font);
    const std::vector<Item> expected = {
        {1049, kStatic, SS_BITMAP | SS_REALSIZEIMAGE, false, -1, -1, 490, 44, L""},
        {1010, kStatic, SS_LEFT, false, 3, 5, 411, 31, L"Corvane ..."},
        {1008, kStatic, SS_ETCHEDFRAME | SS_SUNKEN, false, 100, 46, 390, 246, L""},
        {1000, kButton, kNav | WS_GROUP, true, 1, 46, 98, 24, L"Welcome not loaded..."},
        {1001, kButton, kNav, true, 1, 72, 98, 24, L"Software Prerequisites not loaded..."},
        {1002, kButton, kNav, true, 1, 98, 98, 24, L"Network Prerequisites not loaded..."},
        {1004, kButton, kNav, true, 1, 124, 98, 24, L"Corvane Velto Installation not loaded..."},
        {1006, kButton, kPush, true, 1, 268, 98, 24, L"Quick Beginnings not loaded..."},
        {1007, kButton, kPush, true, 1, 294, 98, 24, L"Release Notes not loaded..."},
        {1009, kButton, kPush, true, 390, 294, 98, 24, L"Exit not loaded..."},
    };
    EXPECT_EQ(expected, t.items);
}

TEST(Resources, QuestionBoxTemplate)
{
    const Template t = ReadTemplate(179);
    EXPECT_EQ(DWORD(DS_SETFONT | WS_POPUP | WS_BORDER), t.style & ~DWORD(DS_3DLOOK));
    EXPECT_EQ(0u, t.exStyle);
    EXPECT_EQ(236, t.cx);
    EXPECT_EQ(77, t.cy);
    const std::vector<Item> expected = {
        {-1, kButton, BS_GROUPBOX | WS_GROUP, true, 4, 2, 228, 48, L""},
        {1061, kStatic, SS_ICON | SS_CENTERIMAGE | WS_GROUP, true, 12, 12, 20, 20, L"#174"},
        {1060, kStatic, SS_LEFT | WS_GROUP, true, 40, 12, 184, 28, L""},
        {IDOK, kButton, BS_PUSHBUTTON | BS_FLAT | BS_CENTER | WS_GROUP | WS_TABSTOP, true, 60, 56, 55, 14,
         L"&OK"},
        {IDCANCEL, kButton, BS_PUSHBUTTON | BS_FLAT | BS_CENTER | WS_TABSTOP, true, 120, 56, 55, 14,
         L"&Cancel"},
    };
    EXPECT_EQ(expected, t.items);
}

TEST(Resources, PanelTemplatesAreHiddenDisabledChildrenOfThePlaceholderSize)
{
    struct Panel
    {
        UINT id;
        DWORD exStyle;
        size_t nItems;
    };
    for (const Panel& p : {Panel{901, WS_EX_TRANSPARENT, 14}, Panel{902, 0, 10},
                           Panel{903, WS_EX_TRANSPARENT, 10}, Panel{905, WS_EX_TRANSPARENT, 12}})
    {
        const Template t = ReadTemplate(p.id);
        EXPECT_EQ(DWORD(DS_SETFONT | DS_CONTROL | WS_CHILD | WS_DISABLED), t.style & ~DWORD(DS_3DLOOK))
            << p.id;
        EXPECT_EQ(p.exStyle, t.exStyle) << p.id;
        EXPECT_EQ(390, t.cx) << p.id;
        EXPECT_EQ(246, t.cy) << p.id;
        EXPECT_EQ(p.nItems, t.items.size()) << p.id;
    }
}

TEST(Resources, PanelControlsWhoseLayoutOrStyleMatters)
{
    // Icon statics keep their 20 x 20 size; the hidden row markers stay hidden; the radio group,
    // the combo box and the launch button keep their styles.
    struct Expect
    {
        UINT panel;
        Item item;
    };
    const std::vector<Expect> expected = {
        {901,
         {1029, kStatic, SS_LEFT | WS_GROUP, true, 110, 123, 274, 18, L"Installtion text not loaded..."}},
        {902, {1044, kStatic, SS_WHITERECT | WS_GROUP, false, 3, 90, 12, 12, L""}},
        {902, {1047, kStatic, SS_WHITERECT, false, 265, 90, 11, 12, L""}},
        {902, {1043, kButton, kPush, true, 150, 224, 90, 20, L"&Re ... not loaded"}},
        {903, {1101, kButton, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, true, 3, 110, 70, 12, L"Y.."}},
        {903, {1103, kButton, BS_AUTORADIOBUTTON | WS_TABSTOP, true, 148, 110, 70, 12, L"D..."}},
        {903, {1105, kStatic, SS_ICON | SS_CENTERIMAGE | SS_REALSIZEIMAGE, true, 7, 146, 20, 20, L"#174"}},
        {903, {1113, kStatic, SS_LEFT, true, 3, 74, 382, 36, L"Do both  ... NOT LOADED!!"}},
        {905, {1081, kStatic, SS_ICON | WS_GROUP, true, 7, 47, 20, 20, L"#174"}},
        {905, {1078, kStatic, SS_ICON | WS_GROUP, true, 7, 114, 20, 20, L"#170"}},
        {905, {1076, kCombo, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, true, 145, 204, 100, 70, L""}},
        {905,
         {1072, kButton, BS_PUSHBUTTON | BS_FLAT | BS_CENTER | WS_TABSTOP, true, 76, 224, 238, 20,
          L"&Launch Corvane MW ... not loaded"}},
    };
    for (const Expect& e : expected)
    {
        const Template t = ReadTemplate(e.panel);
        bool bFound = false;
        for (const Item& item : t.items)
            if (item.id == e.item.id)
            {
                bFound = true;
                EXPECT_EQ(e.item, item) << e.panel << "/" << e.item.id;
            }
        EXPECT_TRUE(bFound) << e.panel << "/" << e.item.id;
    }
}

TEST(Resources, BitmapsAreUncompressedDibsOfTheirSizes)
{
    struct Bitmap
    {
        UINT id;
        LONG cx, cy;
        WORD bpp;
    };
    for (const Bitmap& b : {Bitmap{137, 736, 72, 24}, Bitmap{176, 48, 128, 4}, Bitmap{177, 18, 14, 24},
                            Bitmap{178, 18, 14, 24}})
    {
        ResourceData data = Find(RT_BITMAP, b.id);
        ASSERT_NE(nullptr, data.p) << b.id;
        BITMAPINFOHEADER bih;
        std::memcpy(&bih, data.p, sizeof bih);
        EXPECT_EQ(40u, bih.biSize) << b.id;
        EXPECT_EQ(b.cx, bih.biWidth) << b.id;
        EXPECT_EQ(b.cy, bih.biHeight) << b.id;
        EXPECT_EQ(b.bpp, bih.biBitCount) << b.id;
        EXPECT_EQ(DWORD(BI_RGB), bih.biCompression) << b.id;
    }
}

#pragma pack(push, 2)
struct GroupEntry
{
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<std::vector<int>> GroupImages(LPCWSTR type, UINT id)
{
    ResourceData data = Find(type, id);
    std::vector<std::vector<int>> images;
    if (data.p == nullptr)
        return images;
    WORD count = 0;
    std::memcpy(&count, data.p + 4, 2);
    for (WORD i = 0; i < count; ++i)
    {
        GroupEntry e;
        std::memcpy(&e, data.p + 6 + i * sizeof(GroupEntry), sizeof e);
        images.push_back({e.width == 0 ? 256 : e.width, e.height == 0 ? 256 : e.height, e.bitCount, e.id});
    }
    return images;
}

TEST(Resources, IconGroupsHoldTheListedImages)
{
    struct Group
    {
        UINT id;
        std::vector<std::vector<int>> images; // width, height, bits per pixel, image number
    };
    // The eleven images are numbered 1 to 11: the information sign's first, then the application
    // icon's in the order of its directory, then the warning sign's and the two expand buttons'.
    const std::vector<Group> groups = {
        {139,
         {{48, 48, 8, 2},
          {32, 32, 8, 3},
          {16, 16, 8, 4},
          {64, 64, 32, 5},
          {48, 48, 32, 6},
          {32, 32, 32, 7},
          {16, 16, 32, 8}}},
        {170, {{32, 32, 8, 9}}},
        {171, {{16, 16, 8, 10}}},
        {172, {{16, 16, 8, 11}}},
        {174, {{32, 32, 4, 1}}},
    };
    for (const Group& g : groups)
    {
        const std::vector<std::vector<int>> images = GroupImages(RT_GROUP_ICON, g.id);
        EXPECT_EQ(g.images, images) << g.id;
        for (const auto& image : images)
        {
            // Each image is an icon resource whose header agrees with the group entry.
            ResourceData icon = Find(RT_ICON, static_cast<UINT>(image[3]));
            ASSERT_NE(nullptr, icon.p) << g.id;
            BITMAPINFOHEADER bih;
            std::memcpy(&bih, icon.p, sizeof bih);
            EXPECT_EQ(image[0], bih.biWidth) << g.id;
            EXPECT_EQ(image[1] * 2, bih.biHeight) << g.id;
            EXPECT_EQ(image[2], bih.biBitCount) << g.id;
        }
        EXPECT_NE(nullptr,
                  ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(g.id), IMAGE_ICON, 0, 0, 0))
            << g.id;
    }
    // No icon image besides the eleven.
    EXPECT_EQ(nullptr, Find(RT_ICON, 12).p);
}

TEST(Resources, HandCursorIsMonochrome32WithHotspot)
{
    std::vector<std::vector<int>> images = GroupImages(RT_GROUP_CURSOR, 1011);
    ASSERT_EQ(1u, images.size());
    ResourceData cursor = Find(RT_CURSOR, static_cast<UINT>(images[0][3]));
    ASSERT_NE(nullptr, cursor.p);
    WORD hotspot[2];
    std::memcpy(hotspot, cursor.p, sizeof hotspot);
    EXPECT_EQ(5, hotspot[0]);
    EXPECT_EQ(1, hotspot[1]);
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, cursor.p + 4, sizeof bih);
    EXPECT_EQ(32, bih.biWidth);
    EXPECT_EQ(64, bih.biHeight);
    EXPECT_EQ(1, bih.biBitCount);
    HCURSOR hCursor = static_cast<HCURSOR>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1011),
                                                        IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(nullptr, hCursor);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hCursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(5u, info.xHotspot);
    EXPECT_EQ(1u, info.yHotspot);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    ::DestroyCursor(hCursor);
}

TEST(Resources, ManifestAsksForAdministratorAndNamesFiveSystems)
{
    ResourceData data = Find(MAKEINTRESOURCEW(24), 1);
    ASSERT_NE(nullptr, data.p);
    const std::string manifest(reinterpret_cast<const char*>(data.p), data.cb);
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("uiAccess=\"false\""));
    for (const char* id : {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{e2011457-1546-43c5-a5fe-008deee3d3f0}"})
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>")) << id;
    // No common-controls version: the standard controls keep their classic look.
    EXPECT_EQ(std::string::npos, manifest.find("Common-Controls"));
    EXPECT_EQ(std::string::npos, manifest.find("dependency"));
}

TEST(Resources, VersionRecordUnderCzechWithTheProductValues)
{
    ResourceData data = Find(RT_VERSION, 1, MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT));
    ASSERT_NE(nullptr, data.p);
    std::vector<BYTE> copy(data.p, data.p + data.cb);
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT cb = 0;
    ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&pFixed), &cb));
    EXPECT_EQ(MAKELONG(301, 9), pFixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(22279, 0), pFixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(0, 1), pFixed->dwProductVersionMS);
    EXPECT_EQ(MAKELONG(1, 0), pFixed->dwProductVersionLS);
    EXPECT_EQ(DWORD(VOS__WINDOWS32), pFixed->dwFileOS);
    EXPECT_EQ(DWORD(VFT_APP), pFixed->dwFileType);

    struct Value
    {
        const wchar_t* key;
        const wchar_t* text;
    };
    for (const Value& v :
         {Value{L"FileDescription", L"HovraLaunch MFC Application"},
          Value{L"FileVersion", L"9.301.0000.22279"}, Value{L"InternalName", L"HovraLaunch"},
          Value{L"OriginalFilename", L"HovraLaunch.EXE"}, Value{L"ProductName", L"Corvane Velto for Windows"},
          Value{L"ProductVersion", L"9.3.1.0"}, Value{L"LegalTrademarks", L""}, Value{L"Package", L""}})
    {
        wchar_t* pText = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + v.key;
        ASSERT_TRUE(::VerQueryValueW(copy.data(), path.c_str(), reinterpret_cast<void**>(&pText), &cb))
            << v.key;
        EXPECT_EQ(std::wstring(v.text), std::wstring(pText, cb > 0 ? cb - 1 : 0)) << v.key;
    }
    DWORD* pTranslation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&pTranslation), &cb));
    EXPECT_EQ(MAKELONG(0x0409, 0x04B0), *pTranslation);
}
} // namespace
