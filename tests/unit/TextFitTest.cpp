// Every text the launchpad can show fits the control that shows it, in every interface language:
// each text is measured with the control's own font in the control's own rectangle, the way the
// control draws it, and a text that needs more lines (or a wider line) than the control has room
// for is reported with the language, the window and the control.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "HovraLaunch.h"
#include "LaunchpadHarness.h"
#include "Languages.h"
#include "QuestionDlg.h"
#include "ProbeSoftwarePanel.h"

namespace
{
const LANGID kLanguages[] = {0x0404, 0x0405, 0x0407, 0x0409, 0x040C, 0x040E, 0x0410,
                             0x0411, 0x0412, 0x0415, 0x0416, 0x0419, 0x0804, 0x0C0A};

// The short names the software requirements heading can name: each catalogue entry's, and the
// generic one of a name no entry has.
std::set<UINT> HeadingShortNames()
{
    std::set<UINT> ids{HeadingShortNameId(0)};
    for (const PrerequisiteItem& item : g_prerequisites)
        ids.insert(HeadingShortNameId(item.nNameId));
    return ids;
}

std::string Utf8(const std::wstring& text)
{
    std::string out(static_cast<size_t>(
                        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                    '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr,
                          nullptr);
    out.pop_back();
    return out;
}

enum class Drawn
{
    Wrapped,    // statics and multi-line buttons: word-wrapped in the rectangle
    SingleLine, // one line, no wrapping
    Label,      // a radio button's or check box's text, right of its box
    ComboItem,  // an entry of a drop-down list, in the selection field
};

// How a control draws its text, from its class and style; false for controls without text.
bool HowDrawn(HWND hCtrl, Drawn& how)
{
    wchar_t szClass[32] = L"";
    ::GetClassNameW(hCtrl, szClass, 32);
    const LONG style = ::GetWindowLongW(hCtrl, GWL_STYLE);
    if (::lstrcmpiW(szClass, L"Static") == 0)
    {
        switch (style & SS_TYPEMASK)
        {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
            how = (style & SS_CENTERIMAGE) ? Drawn::SingleLine : Drawn::Wrapped;
            return true;
        case SS_LEFTNOWORDWRAP:
        case SS_SIMPLE:
            how = Drawn::SingleLine;
            return true;
        default:
            return false;
        }
    }
    if (::lstrcmpiW(szClass, L"Button") == 0)
    {
        switch (style & BS_TYPEMASK)
        {
        case BS_GROUPBOX:
            how = Drawn::SingleLine;
            return true;
        case BS_OWNERDRAW: // the style buttons wrap their caption
            how = Drawn::Wrapped;
            return true;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            how = Drawn::Label;
            return true;
        default:
            how = (style & BS_MULTILINE) ? Drawn::Wrapped : Drawn::SingleLine;
            return true;
        }
    }
    if (::lstrcmpiW(szClass, L"ComboBox") == 0)
    {
        how = Drawn::ComboItem;
        return true;
    }
    return false;
}

class FitChecker
{
public:
    explicit FitChecker(LANGID language) : m_language(language) {}

    // Measures text as hCtrl would draw it; notes a misfit.
    void Check(HWND hCtrl, const char* pszWindow, const std::wstring& text)
    {
        Drawn how{};
        ASSERT_TRUE(HowDrawn(hCtrl, how)) << pszWindow << " control " << ::GetDlgCtrlID(hCtrl);
        if (text.empty())
            return;

        RECT rcRoom{};
        ::GetClientRect(hCtrl, &rcRoom);
        HDC hdc = ::GetDC(hCtrl);
        const auto hFont = reinterpret_cast<HFONT>(::SendMessageW(hCtrl, WM_GETFONT, 0, 0));
        const HGDIOBJ hOld = hFont != nullptr ? ::SelectObject(hdc, hFont) : nullptr;
        TEXTMETRICW tm{};
        ::GetTextMetricsW(hdc, &tm);

        UINT nFlags = DT_CALCRECT | DT_EXPANDTABS;
        switch (how)
        {
        case Drawn::Wrapped:
            nFlags |= DT_WORDBREAK;
            if ((::GetWindowLongW(hCtrl, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW && IsButton(hCtrl))
                ::InflateRect(&rcRoom, -2, -2); // inside the flat border, a pixel of air
            break;
        case Drawn::SingleLine:
            nFlags |= DT_SINGLELINE;
            break;
        case Drawn::Label:
        {
            // The box is 13 pixels at 96 dots per inch, the text starts half a digit after it.
            INT nDigit = 0;
            ::GetCharWidth32W(hdc, L'0', L'0', &nDigit);
            rcRoom.left += ::MulDiv(13, ::GetDeviceCaps(hdc, LOGPIXELSX), 96) + nDigit / 2;
            nFlags |= (::GetWindowLongW(hCtrl, GWL_STYLE) & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
            break;
        }
        case Drawn::ComboItem:
        {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (::GetComboBoxInfo(hCtrl, &info))
                rcRoom = info.rcItem;
            nFlags |= DT_SINGLELINE;
            break;
        }
        }

        const int cxRoom = rcRoom.right - rcRoom.left;
        const int cyRoom = rcRoom.bottom - rcRoom.top;
        RECT rcText{0, 0, cxRoom, 0};
        ::DrawTextW(hdc, text.c_str(), -1, &rcText, nFlags);
        if (hOld != nullptr)
            ::SelectObject(hdc, hOld);
        ::ReleaseDC(hCtrl, hdc);

        const int nLineHeight = tm.tmHeight > 0 ? tm.tmHeight : 1;
        const int nNeeded = (rcText.bottom - rcText.top + nLineHeight - 1) / nLineHeight;
        const int nRoom = cyRoom / nLineHeight;
        if (nNeeded > nRoom || rcText.right - rcText.left > cxRoom)
        {
            std::ostringstream out;
            out << m_language << " " << pszWindow << ", control " << ::GetDlgCtrlID(hCtrl) << ": \""
                << Utf8(text) << "\" needs " << nNeeded << " line(s) of " << (rcText.right - rcText.left)
                << " px, room for " << nRoom << " of " << cxRoom << " px";
            m_misfits.push_back(out.str());
        }
        ++m_nMeasured;
    }

    // Measures the text every control of hParent shows now (a list: every entry).
    void CheckShown(HWND hParent, const char* pszWindow)
    {
        for (HWND hCtrl = ::GetWindow(hParent, GW_CHILD); hCtrl != nullptr;
             hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT))
        {
            Drawn how{};
            if (!HowDrawn(hCtrl, how))
                continue;
            if (how != Drawn::ComboItem)
            {
                Check(hCtrl, pszWindow, WindowText(hCtrl));
                continue;
            }
            const auto nCount = ::SendMessageW(hCtrl, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < nCount; ++i)
            {
                std::wstring item(static_cast<size_t>(::SendMessageW(hCtrl, CB_GETLBTEXTLEN, i, 0)) + 1,
                                  L'\0');
                item.resize(static_cast<size_t>(
                    ::SendMessageW(hCtrl, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
                Check(hCtrl, pszWindow, item);
            }
        }
    }

    std::vector<std::string> m_misfits;
    int m_nMeasured = 0;

private:
    static bool IsButton(HWND hCtrl)
    {
        wchar_t szClass[16] = L"";
        ::GetClassNameW(hCtrl, szClass, 16);
        return ::lstrcmpiW(szClass, L"Button") == 0;
    }
    LANGID m_language;
};

std::string Report(const FitChecker& checker)
{
    std::string report;
    for (const std::string& misfit : checker.m_misfits)
        report += misfit + "\n";
    return report;
}

// The question box, which measures its message field with every message it can be given and
// closes itself.
class CMeasuredQuestionDlg : public CQuestionDlg
{
public:
    CMeasuredQuestionDlg(FitChecker& checker, std::vector<std::wstring> messages)
        : m_checker(checker), m_messages(std::move(messages))
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        const BOOL bResult = CQuestionDlg::OnInitDialog();
        m_checker.CheckShown(m_hWnd, "question box");
        for (const std::wstring& message : m_messages)
            m_checker.Check(GetDlgItem(IDC_QUESTION_TEXT), "question box", message);
        PostMessage(WM_COMMAND, IDCANCEL);
        return bResult;
    }

private:
    FitChecker& m_checker;
    std::vector<std::wstring> m_messages;
};

class TextFit : public testing::TestWithParam<LANGID>
{
protected:
    void SetUp() override { m_saved = g_prerequisites[0]; }
    void TearDown() override
    {
        g_prerequisites[0] = m_saved;
        AfxSetInterfaceLanguage(0x0409);
    }
    // The documentation language a user of this interface language gets on a full media.
    static wchar_t DocumentationCode(LANGID language)
    {
        for (const LocaleCodeRow& row : LocaleCodeTable)
            if (row.nLangId == (language == 0x0C0A ? 0x040Au : language))
                return row.szCode[0];
        return L'A';
    }
    PrerequisiteItem m_saved{};
};

TEST_P(TextFit, EveryPanelOfTheMainWindow)
{
    const LANGID language = GetParam();
    FitChecker checker(language);
    const FakeSystem system = MakeSystem(10, 0);
    FakeSystemScope scope(system);
    CSteppedMainDlg dlg;
    dlg.ChooseLanguages(language, DocumentationCode(language));
    dlg.m_makePanel = [](UINT nPanelId, CSteppedMainDlg* pParent) -> CStackPanel*
    {
        return nPanelId == IDD_SOFTWARE_PANEL ? new CProbeSoftwarePanel(pParent) : nullptr;
    };
    dlg.m_steps = {
        [&](CSteppedMainDlg& d)
        {
            checker.CheckShown(d.m_hWnd, "main window");
            checker.Check(d.GetDlgItem(IDC_HEADER_CAPTION), "main window (high contrast)", Text(103));
            checker.CheckShown(d.FindPanel(IDD_WELCOME_PANEL)->m_pPanel->m_hWnd, "welcome panel");
            d.Click(IDC_NAV_SOFTWARE);
        },
        [&](CSteppedMainDlg& d)
        {
            auto& panel = d.Panel<CProbeSoftwarePanel>(IDD_SOFTWARE_PANEL);
            checker.CheckShown(panel.m_hWnd, "software panel");
            for (UINT nShortId : HeadingShortNames())
                checker.Check(panel.GetDlgItem(1040), "software panel heading",
                              AfxFormatString(378, {Text(465), Text(nShortId)}));
            ASSERT_FALSE(panel.m_aRows.empty());
            for (UINT nWord = 311; nWord <= 316; ++nWord)
                checker.Check(panel.m_aRows[0]->m_stcStatus.m_hWnd, "software panel status", Text(nWord));
            for (const PrerequisiteItem& item : g_prerequisites)
                checker.Check(panel.m_aRows[0]->m_stcName.m_hWnd, "software panel row", Text(item.nNameId));
            // An item with all three ways to install it, so that the detail has every button.
            g_prerequisites[0].nProgramPathId = 240;
            g_prerequisites[0].nUrlId = 230;
            g_prerequisites[0].bNetworkInstall = TRUE;
            ::SendMessageW(panel.m_aRows[0]->m_btnExpand.m_hWnd, BM_CLICK, 0, 0);
        },
        [&](CSteppedMainDlg& d)
        {
            auto& panel = d.Panel<CProbeSoftwarePanel>(IDD_SOFTWARE_PANEL);
            ASSERT_NE(nullptr, panel.m_stcDetail.m_hWnd) << "the row did not expand";
            checker.Check(panel.m_stcDetail.m_hWnd, "software panel detail", Text(2001));
            for (const PrerequisiteItem& item : g_prerequisites)
                for (UINT nId : {item.nDescriptionId, item.nAltDescriptionId})
                    if (nId != 0)
                        checker.Check(panel.m_stcDetail.m_hWnd, "software panel detail", Text(nId));
            checker.Check(panel.m_btnCdrom.m_hWnd, "software panel detail", Text(300));
            checker.Check(panel.m_btnInternet.m_hWnd, "software panel detail", Text(301));
            checker.Check(panel.m_btnNetwork.m_hWnd, "software panel detail", Text(302));
            d.Click(IDC_NAV_NETWORK);
        },
        [&](CSteppedMainDlg& d)
        {
            CStackPanel* pPanel = d.FindPanel(IDD_NETWORK_PANEL)->m_pPanel;
            checker.CheckShown(pPanel->m_hWnd, "network panel");
            for (UINT nAnswerText : {388u, 391u, 393u})
                checker.Check(pPanel->GetDlgItem(1107), "network panel answer", Text(nAnswerText));
            d.Click(IDC_NAV_INSTALL);
        },
        [&](CSteppedMainDlg& d)
        {
            CStackPanel* pPanel = d.FindPanel(IDD_INSTALL_PANEL)->m_pPanel;
            checker.CheckShown(pPanel->m_hWnd, "installation panel");
            const HWND hSoftware = pPanel->GetDlgItem(1080);
            checker.Check(hSoftware, "installation panel status", Text(330) + L"\n");
            for (const PrerequisiteItem& item : g_prerequisites)
                checker.Check(hSoftware, "installation panel status",
                              Text(331) + L"\n\n1) " + Text(item.nNameId));
            for (UINT nNetworkText : {395u, 396u, 397u})
                checker.Check(pPanel->GetDlgItem(1079), "installation panel status", Text(nNetworkText));
        },
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_GT(checker.m_nMeasured, 100);
    EXPECT_TRUE(checker.m_misfits.empty()) << Report(checker);
}

TEST_P(TextFit, EveryQuestionBoxMessage)
{
    const LANGID language = GetParam();
    AfxSetInterfaceLanguage(language);
    FitChecker checker(language);
    CMeasuredQuestionDlg box(checker,
                             {Text(340), Text(341), Text(480), Text(481), AfxFormatString(310, {Text(210)})});
    EXPECT_EQ(IDCANCEL, box.DoModal());
    EXPECT_GE(checker.m_nMeasured, 7);
    EXPECT_TRUE(checker.m_misfits.empty()) << Report(checker);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, TextFit, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<LANGID>& info)
                         { return "Language" + std::to_string(info.param); });
} // namespace
