#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "LaunchpadHarness.h"
#include "InstallPanel.h"
#include "Languages.h"
#include "NetworkConfigPanel.h"

namespace
{
constexpr UINT kYes = 1101;
constexpr UINT kNo = 1102;
constexpr UINT kDontKnow = 1103;

// The colour pixels of an icon, to tell which image a control shows.
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

// The real panels, with their insides open to the test.
class CProbeNetworkPanel : public CNetworkConfigPanel
{
public:
    using CNetworkConfigPanel::CNetworkConfigPanel;
    using CNetworkConfigPanel::m_hAnswerIcon;
    using CNetworkConfigPanel::m_nRadioIndex;
    using CNetworkConfigPanel::m_strAnswerText;
    void Click(int nId) { ::SendMessageW(GetDlgItem(nId), BM_CLICK, 0, 0); }
    std::vector<UINT> CheckedAnswers() const
    {
        std::vector<UINT> checked;
        for (UINT nId : {kYes, kNo, kDontKnow})
            if (::SendMessageW(GetDlgItem(static_cast<int>(nId)), BM_GETCHECK, 0, 0) == BST_CHECKED)
                checked.push_back(nId);
        return checked;
    }
};

class CProbeInstallPanel : public CInstallPanel
{
public:
    using CInstallPanel::CInstallPanel;
    using CInstallPanel::m_cboLanguage;
    using CInstallPanel::m_strLanguage;
    // The user picks entry nIndex (-1: none) and closes the list.
    void PickAndClose(int nIndex)
    {
        m_cboLanguage.SetCurSel(nIndex);
        SendMessage(WM_COMMAND, MAKEWPARAM(1076, CBN_CLOSEUP),
                    reinterpret_cast<LPARAM>(m_cboLanguage.m_hWnd));
    }
    std::vector<std::wstring> Entries() const
    {
        std::vector<std::wstring> entries;
        for (int i = 0; i < m_cboLanguage.GetCount(); ++i)
            entries.push_back(m_cboLanguage.GetLBText(i));
        return entries;
    }
};

// The real main dialog with the two real panels under test (the software panel plain, so that
// the status the tests put in the current item stays).
class CTestMainDlg : public CSteppedMainDlg
{
public:
    CTestMainDlg()
    {
        m_makePanel = [](UINT nPanelId, CSteppedMainDlg* pParent) -> CStackPanel*
        {
            switch (nPanelId)
            {
            case IDD_NETWORK_PANEL:
                return new CProbeNetworkPanel(pParent);
            case IDD_INSTALL_PANEL:
                return new CProbeInstallPanel(pParent);
            default:
                return new CStackPanel(nPanelId, pParent);
            }
        };
    }
};

using Step = CSteppedMainDlg::Step;

CProbeNetworkPanel& Network(CSteppedMainDlg& d)
{
    return d.Panel<CProbeNetworkPanel>(IDD_NETWORK_PANEL);
}

CProbeInstallPanel& Install(CSteppedMainDlg& d)
{
    return d.Panel<CProbeInstallPanel>(IDD_INSTALL_PANEL);
}

// A media directory of the test's own with the given files (relative paths) in it.
class TempMedia
{
public:
    explicit TempMedia(std::initializer_list<const wchar_t*> files)
    {
        wchar_t szTemp[MAX_PATH];
        m_root = std::filesystem::path(std::wstring(szTemp, ::GetTempPathW(MAX_PATH, szTemp))) /
                 (L"hovra-panels-" + std::to_wstring(::GetCurrentProcessId()));
        std::filesystem::remove_all(m_root);
        for (const wchar_t* pszFile : files)
        {
            const std::filesystem::path file = m_root / pszFile;
            std::filesystem::create_directories(file.parent_path());
            HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ::CloseHandle(h);
        }
        std::filesystem::create_directories(m_root);
    }
    ~TempMedia()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    std::wstring Root() const { return m_root.wstring(); }

private:
    std::filesystem::path m_root;
};

class PanelTest : public testing::Test
{
protected:
    void SetUp() override { m_saved = g_prerequisites[0]; }
    void TearDown() override
    {
        g_prerequisites[0] = m_saved;
        AfxSetInterfaceLanguage(0x0409);
    }
    // Runs the launchpad through the steps; returns the question boxes it showed.
    std::vector<std::wstring> Run(std::vector<Step> steps, wchar_t chLanguage = L'A',
                                  LANGID interfaceLanguage = 0x0409)
    {
        const FakeSystem system = MakeSystem(10, 0);
        FakeSystemScope scope(system);
        CTestMainDlg dlg;
        // The dialog chose both languages from this machine's locales; the test chooses instead.
        dlg.m_chLanguage = chLanguage;
        AfxSetInterfaceLanguage(interfaceLanguage);
        dlg.m_steps = std::move(steps);
        QuestionAnswerer recorder({}, IDCANCEL);
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        return recorder.Stop();
    }
    PrerequisiteItem m_saved{};
};

using NetworkPanel = PanelTest;
using InstallPanel = PanelTest;

// ---------------------------------------------------------------------------------------------
// Network configuration panel

TEST_F(NetworkPanel, StartsAtDontKnowWithoutBeingShown)
{
    Run({[](CSteppedMainDlg& d)
         {
             CProbeNetworkPanel& panel = Network(d);
             EXPECT_EQ(static_cast<INT32>(kDontKnow), d.m_nNetworkAnswer);
             EXPECT_FALSE(panel.GetStyle() & WS_VISIBLE);
             EXPECT_EQ(2, panel.m_nRadioIndex);
             EXPECT_EQ(std::vector<UINT>{kDontKnow}, panel.CheckedAnswers());
             EXPECT_EQ(Text(393), panel.m_strAnswerText);
             EXPECT_EQ(Text(393), WindowText(panel.GetDlgItem(1107)));
             EXPECT_EQ(ResourceIconPixels(IDI_WARNING_SIGN), ShownIconPixels(panel.GetDlgItem(1105)));
             EXPECT_EQ(Text(385), WindowText(panel.GetDlgItem(1100)));
             EXPECT_EQ(Text(438), WindowText(panel.GetDlgItem(1106)));
         }});
}

TEST_F(NetworkPanel, EachAnswerIsStoredAndExplained)
{
    const struct
    {
        UINT nClicked;
        UINT nIcon;
        UINT nText;
    } cases[] = {{kYes, IDI_WARNING_SIGN, 388},      {kNo, IDI_INFORMATION_SIGN, 391},
                 {kDontKnow, IDI_WARNING_SIGN, 393}, {kNo, IDI_INFORMATION_SIGN, 391},
                 {kNo, IDI_INFORMATION_SIGN, 391}, // the same answer again: the whole update again
                 {kYes, IDI_WARNING_SIGN, 388}};
    ASSERT_NE(ResourceIconPixels(IDI_WARNING_SIGN), ResourceIconPixels(IDI_INFORMATION_SIGN));
    std::vector<Step> steps = {[](CSteppedMainDlg& d)
                               {
                                   d.Click(IDC_NAV_NETWORK);
                               }};
    for (const auto& c : cases)
    {
        steps.push_back([&c](CSteppedMainDlg& d) { Network(d).Click(static_cast<int>(c.nClicked)); });
        steps.push_back(
            [&c](CSteppedMainDlg& d)
            {
                CProbeNetworkPanel& panel = Network(d);
                SCOPED_TRACE(c.nClicked);
                EXPECT_EQ(static_cast<INT32>(c.nClicked), d.m_nNetworkAnswer);
                EXPECT_EQ(std::vector<UINT>{c.nClicked}, panel.CheckedAnswers());
                EXPECT_EQ(Text(c.nText), WindowText(panel.GetDlgItem(1107)));
                EXPECT_TRUE(::IsWindowVisible(panel.GetDlgItem(1107)));
                EXPECT_EQ(ResourceIconPixels(c.nIcon), ShownIconPixels(panel.GetDlgItem(1105)));
                EXPECT_EQ(static_cast<HICON>(panel.m_hAnswerIcon),
                          reinterpret_cast<HICON>(::SendMessageW(panel.GetDlgItem(1105), STM_GETICON, 0, 0)));
            });
    }
    EXPECT_TRUE(Run(steps).empty());
}

TEST_F(NetworkPanel, HelpPageFollowsTheDocumentationLanguage)
{
    // Only the German page is on the media: with English documentation the page is missing and
    // the media prompt naming the product comes up; declining it leaves the panel as it was.
    TempMedia media({L"docs\\help\\de_de\\q008810_.htm"});
    const std::wstring root = media.Root();
    const auto messages = Run({[&](CSteppedMainDlg& d)
                               {
                                   d.m_strMediaRoot = root;
                                   d.Click(IDC_NAV_NETWORK);
                                   Network(d).Click(kNo);
                                   Network(d).Click(1106);
                                   EXPECT_EQ(static_cast<INT32>(kNo), d.m_nNetworkAnswer);
                                   EXPECT_EQ(Text(391), WindowText(Network(d).GetDlgItem(1107)));
                               }},
                              L'A');
    EXPECT_EQ(std::vector<std::wstring>{AfxFormatString(310, {Text(210)})}, messages);
}

// ---------------------------------------------------------------------------------------------
// Installation panel

TEST_F(InstallPanel, StatusBlocksFollowTheSoftwareStatusAndTheNetworkAnswer)
{
    const std::wstring satisfied = Text(330) + L"\n";
    const std::wstring missing = Text(331) + L"\n\n1) " + Text(588);
    const std::wstring unidentified = Text(331) + L"\n\n1) "; // no name: only the counter
    const struct
    {
        const char* name;
        UINT nNameId;
        INT32 nStatus;
        INT32 nAnswer;
        std::wstring software;
        UINT nSoftwareIcon;
        UINT nNetworkText;
        UINT nNetworkIcon;
    } cases[] = {
        {"SatisfiedYes", 588, kStatusSatisfied, 1101, satisfied, IDI_INFORMATION_SIGN, 395, IDI_WARNING_SIGN},
        {"SatisfiedNo", 588, kStatusSatisfied, 1102, satisfied, IDI_INFORMATION_SIGN, 396,
         IDI_INFORMATION_SIGN},
        {"IncorrectLevelDontKnow", 588, kStatusIncorrectLevel, 1103, missing, IDI_WARNING_SIGN, 397,
         IDI_INFORMATION_SIGN},
        {"NotInstalledOther", 588, kStatusNotInstalled, 0, missing, IDI_WARNING_SIGN, 397,
         IDI_INFORMATION_SIGN},
        {"Unidentified", 0, kStatusErrorUnevaluated, 1102, unidentified, IDI_WARNING_SIGN, 396,
         IDI_INFORMATION_SIGN},
    };
    std::vector<Step> steps = {[](CSteppedMainDlg& d)
                               {
                                   // Before the first refresh the blocks are as the template has them.
                                   EXPECT_EQ(L"", WindowText(Install(d).GetDlgItem(1080)));
                                   EXPECT_EQ(L"", WindowText(Install(d).GetDlgItem(1079)));
                               }};
    for (const auto& c : cases)
    {
        steps.push_back(
            [&c](CSteppedMainDlg& d)
            {
                g_prerequisites[0].nNameId = c.nNameId;
                g_prerequisites[0].nStatus = c.nStatus;
                d.m_nNetworkAnswer = c.nAnswer;
                Install(d).PostMessage(WM_REFRESH_STATUS, 7, 9);
            });
        steps.push_back(
            [&c](CSteppedMainDlg& d)
            {
                SCOPED_TRACE(c.name);
                CProbeInstallPanel& panel = Install(d);
                EXPECT_EQ(c.software, WindowText(panel.GetDlgItem(1080)));
                EXPECT_EQ(ResourceIconPixels(c.nSoftwareIcon), ShownIconPixels(panel.GetDlgItem(1081)));
                EXPECT_EQ(Text(c.nNetworkText), WindowText(panel.GetDlgItem(1079)));
                EXPECT_EQ(ResourceIconPixels(c.nNetworkIcon), ShownIconPixels(panel.GetDlgItem(1078)));
            });
    }
    Run(steps);
}

TEST_F(InstallPanel, ShowsTheAnswerGivenOnTheNetworkPanelWhenNavigatedTo)
{
    Run({[](CSteppedMainDlg& d)
         {
             g_prerequisites[0].nNameId = 588;
             g_prerequisites[0].nStatus = kStatusSatisfied; // as the software panel found it
             d.Click(IDC_NAV_NETWORK);
             Network(d).Click(kYes);
             d.Click(IDC_NAV_INSTALL); // posts the refresh
         },
         [](CSteppedMainDlg& d)
         {
             EXPECT_EQ(Text(395), WindowText(Install(d).GetDlgItem(1079)));
             EXPECT_EQ(ResourceIconPixels(IDI_WARNING_SIGN), ShownIconPixels(Install(d).GetDlgItem(1078)));
             EXPECT_EQ(Text(330) + L"\n", WindowText(Install(d).GetDlgItem(1080)));
             EXPECT_EQ(Install(d).m_cboLanguage.m_hWnd, ::GetFocus());
         }});
}

TEST_F(InstallPanel, ListsTheFourteenLanguagesInTableOrderWithTheDocumentationLanguageChosen)
{
    const struct
    {
        wchar_t chLanguage;
        LANGID interfaceLanguage;
        int nSelected; // -1: none
    } cases[] = {
        {L'A', 0x0409, 0}, {L'J', 0x0411, 4}, {L'Z', 0x0409, 9}, {L'C', 0x0405, 13}, {L'X', 0x0409, -1}};
    auto names = [](LANGID interfaceLanguage)
    {
        AfxSetInterfaceLanguage(interfaceLanguage);
        std::vector<std::wstring> result;
        for (int i = 0; i < kLanguageCount; ++i)
            result.push_back(LanguageName(i));
        return result;
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << static_cast<char>(c.chLanguage));
        const std::vector<std::wstring> expected = names(c.interfaceLanguage);
        const std::wstring chosen = c.nSelected < 0 ? L"" : expected[static_cast<size_t>(c.nSelected)];
        Run({[&](CSteppedMainDlg& d)
             {
                 CProbeInstallPanel& panel = Install(d);
                 EXPECT_EQ(expected, panel.Entries());
                 EXPECT_EQ(c.nSelected, panel.m_cboLanguage.GetCurSel());
                 EXPECT_EQ(chosen, panel.m_strLanguage);
             }},
            c.chLanguage, c.interfaceLanguage);
    }
}

TEST_F(InstallPanel, ClosingTheListRemembersTheNameAndChecksItsTransform)
{
    TempMedia media({L"MSI\\1031.mst"});
    const std::wstring root = media.Root();
    std::vector<std::wstring> names;
    std::vector<INT32> languages;
    const auto messages = Run({[&](CSteppedMainDlg& d)
                               {
                                   d.m_strMediaRoot = root;
                                   CProbeInstallPanel& panel = Install(d);
                                   names.push_back(panel.m_strLanguage); // English, from the start
                                   panel.PickAndClose(2);                // German: its transform is there
                                   names.push_back(panel.m_strLanguage);
                                   languages.push_back(panel.FindInstallLanguage());
                                   panel.PickAndClose(1); // French: missing, the prompt is declined
                                   names.push_back(panel.m_strLanguage);
                                   panel.PickAndClose(1);  // the same entry again: prompted again
                                   panel.PickAndClose(-1); // nothing selected, a name stored: no change
                                   names.push_back(panel.m_strLanguage);
                                   languages.push_back(panel.FindInstallLanguage()); // prompted once more
                                   panel.m_strLanguage = L"Klingon";
                                   languages.push_back(panel.FindInstallLanguage());
                                   panel.m_strLanguage.clear();
                                   languages.push_back(panel.FindInstallLanguage());
                                   panel.PickAndClose(-1); // nothing at all: only a beep
                                   names.push_back(panel.m_strLanguage);
                               }});
    EXPECT_EQ(
        (std::vector<std::wstring>{LanguageName(0), LanguageName(2), LanguageName(1), LanguageName(1), L""}),
        names);
    EXPECT_EQ((std::vector<INT32>{0x0407, 0x040C, -1, -1}), languages);
    const std::wstring prompt = AfxFormatString(310, {Text(210)});
    EXPECT_EQ((std::vector<std::wstring>{prompt, prompt, prompt}), messages);
}
} // namespace
