#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NetworkInstallPanels.h"

namespace
{
using namespace panel_tests;
using NetworkPanel = PanelTest;

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
} // namespace
