#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Languages.h"
#include "NetworkInstallPanels.h"

namespace
{
using namespace panel_tests;
using InstallPanel = PanelTest;

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
