#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Controls.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "StringCatalogue.h"

namespace
{
constexpr UINT kTestDialog = 9001;
constexpr UINT kTestPanel = 9002;
constexpr UINT WM_TEST_STEP = WM_USER + 50;
constexpr UINT WM_TEST_PROBE = WM_USER + 51;
constexpr UINT WM_TEST_REDRAW = WM_USER + 52;

class COwnerButton : public CButton
{
public:
    int m_nDrawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT pDis) override
    {
        ++m_nDrawn;
        ::FillRect(pDis->hDC, &pDis->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
};

// A dialog whose handlers write down what reached them, driven by messages it posts to itself.
class CRecordingDlg : public CDialog
{
public:
    CRecordingDlg() : CDialog(kTestDialog, nullptr) {}

    std::vector<std::wstring> m_log;
    bool m_bFailCreate = false;
    bool m_bInitialised = false;
    std::vector<MSG> m_steps; // posted one by one; the last one ends the dialog
    size_t m_nextStep = 0;
    COwnerButton m_btnOwner;
    CComboBox m_combo;
    int m_nPreTranslated = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_TEST_PROBE)
        {
            ++m_nPreTranslated;
            return TRUE;
        }
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, 9104, m_btnOwner);
        DDX_Control(pDX, 9106, m_combo);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_bInitialised = true;
        m_log.push_back(L"init");
        PostMessage(WM_TEST_STEP);
        return TRUE;
    }
    LRESULT OnCreate(WPARAM, LPARAM)
    {
        m_log.push_back(L"create");
        if (m_bFailCreate)
            return -1;
        return Default();
    }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (m_nextStep < m_steps.size())
        {
            const MSG& step = m_steps[m_nextStep++];
            // pt.x names a control to post to; 0 means the dialog itself.
            HWND hTarget = step.pt.x != 0 ? GetDlgItem(step.pt.x) : m_hWnd;
            if (step.message == WM_SETTEXT) // carries a pointer: cannot be posted
                ::SendMessageW(hTarget, step.message, step.wParam, step.lParam);
            else
                ::PostMessageW(hTarget, step.message, step.wParam, step.lParam);
            PostMessage(WM_TEST_STEP);
        }
        return 0;
    }
    LRESULT OnRedraw(WPARAM, LPARAM)
    {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return 0;
    }
    void OnOne() { m_log.push_back(L"one"); }
    void OnRange(UINT id) { m_log.push_back(L"range " + std::to_wstring(id)); }
    void OnCloseUp() { m_log.push_back(L"closeup"); }
    void OnDestroy()
    {
        m_log.push_back(L"destroy");
        Default();
    }
    LRESULT OnSetText(WPARAM, LPARAM lParam)
    {
        m_log.push_back(std::wstring(L"settext ") + reinterpret_cast<LPCWSTR>(lParam));
        return Default();
    }
    void OnCancel() override
    {
        m_log.push_back(L"cancel");
        CDialog::OnCancel();
    }
    void OnOK() override
    {
        m_log.push_back(L"ok " + GetWindowText());
        EndDialog(42);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingDlg, CDialog)
ON_MESSAGE(WM_CREATE, &CRecordingDlg::OnCreate)
ON_MESSAGE(WM_TEST_STEP, &CRecordingDlg::OnStep)
ON_MESSAGE(WM_SETTEXT, &CRecordingDlg::OnSetText)
ON_MESSAGE(WM_TEST_REDRAW, &CRecordingDlg::OnRedraw)
ON_MESSAGE_VOID(WM_DESTROY, &CRecordingDlg::OnDestroy)
ON_COMMAND(9101, &CRecordingDlg::OnOne)
ON_COMMAND_RANGE(9101, 9103, &CRecordingDlg::OnRange)
ON_CONTROL(CBN_CLOSEUP, 9106, &CRecordingDlg::OnCloseUp)
END_MESSAGE_MAP()

MSG Command(UINT id, UINT code = 0)
{
    return MSG{nullptr, WM_COMMAND, MAKEWPARAM(id, code), 0, 0, {0, 0}};
}

TEST(Framework, MessageTableRoutesMessagesCommandsRangesAndNotifications)
{
    CRecordingDlg dlg;
    dlg.m_steps = {Command(9101),
                   Command(9103),
                   Command(9106, CBN_CLOSEUP),
                   Command(9106, CBN_DROPDOWN),
                   MSG{nullptr, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Title"), 0, {0, 0}},
                   Command(IDOK)};
    EXPECT_EQ(42, dlg.DoModal());
    // The first entry that matches wins: 9101 goes to OnOne, not to the range.
    const std::vector<std::wstring> expected = {L"create",  L"init",          L"one",      L"range 9103",
                                                L"closeup", L"settext Title", L"ok Title", L"destroy"};
    EXPECT_EQ(expected, dlg.m_log);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_btnOwner.m_hWnd); // unbound with its window
}

TEST(Framework, FailedCreationEndsModalRunBeforeAnyInitialisation)
{
    CRecordingDlg dlg;
    dlg.m_bFailCreate = true;
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_FALSE(dlg.m_bInitialised);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    ASSERT_FALSE(dlg.m_log.empty());
    EXPECT_EQ(L"create", dlg.m_log.front());
}

TEST(Framework, CloseAndEscapeRunCancel)
{
    {
        CRecordingDlg dlg;
        dlg.m_steps = {MSG{nullptr, WM_CLOSE, 0, 0, 0, {0, 0}}};
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_NE(dlg.m_log.end(), std::find(dlg.m_log.begin(), dlg.m_log.end(), L"cancel"));
    }
    {
        CRecordingDlg dlg;
        dlg.m_steps = {MSG{nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}}};
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
}

TEST(Framework, DataExchangeBindsControlsAndDrawItemIsReflected)
{
    CRecordingDlg dlg;
    dlg.m_steps = {MSG{nullptr, WM_TEST_REDRAW, 0, 0, 0, {0, 0}}, Command(IDCANCEL)};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_GT(dlg.m_btnOwner.m_nDrawn, 0);
}

TEST(Framework, PreTranslateMessageSeesMessagesOfChildWindows)
{
    CRecordingDlg dlg;
    // Probes posted to the dialog and to a child without an object of its own; both reach the
    // dialog's PreTranslateMessage through the parent chain.
    dlg.m_steps = {MSG{nullptr, WM_TEST_PROBE, 0, 0, 0, {0, 0}},
                   MSG{nullptr, WM_TEST_PROBE, 0, 0, 0, {9102, 0}}, Command(IDCANCEL)};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(2, dlg.m_nPreTranslated);
}

class CTestPanel : public CDialog
{
public:
    CTestPanel() : CDialog(kTestPanel, nullptr) {}
    int m_nInside = 0;

protected:
    void OnInside() { ++m_nInside; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestPanel, CDialog)
ON_COMMAND(9201, &CTestPanel::OnInside)
END_MESSAGE_MAP()

// A panel nested in the host below that writes down what reaches it.
class CKeyPanel : public CDialog
{
public:
    CKeyPanel() : CDialog(kTestPanel, nullptr) {}
    std::vector<std::wstring>* m_pLog = nullptr;

protected:
    void OnInside() { m_pLog->push_back(L"panel 9201"); }
    void OnOK() override { m_pLog->push_back(L"panel ok"); }
    void OnCancel() override { m_pLog->push_back(L"panel cancel"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyPanel, CDialog)
ON_COMMAND(9201, &CKeyPanel::OnInside)
END_MESSAGE_MAP()

// A modal dialog with the panel nested in it (DS_CONTROL, as the launchpad's panels are).
class CKeyHostDlg : public CRecordingDlg
{
public:
    CKeyPanel m_panel;

    BOOL OnInitDialog() override
    {
        m_panel.m_pLog = &m_log;
        m_panel.Create(kTestPanel, this);
        ::SetWindowPos(m_panel.m_hWnd, nullptr, 0, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::EnableWindow(m_panel.m_hWnd, TRUE);
        m_panel.ShowWindow(SW_SHOW);
        return CRecordingDlg::OnInitDialog();
    }
    LRESULT OnKey(WPARAM wParam, LPARAM lParam)
    {
        // wParam: the key; lParam: the control that has the focus and gets it, in the panel when
        // above 9200.
        HWND hTarget = lParam > 9200 ? m_panel.GetDlgItem(static_cast<int>(lParam))
                                     : GetDlgItem(static_cast<int>(lParam));
        ::SetFocus(hTarget);
        ::PostMessageW(hTarget, WM_KEYDOWN, wParam, 1);
        ::PostMessageW(hTarget, WM_KEYUP, wParam, 0xC0000001);
        return 0;
    }
    void OnTwo() { m_log.push_back(L"host 9102"); }
    DECLARE_MESSAGE_MAP()
};

constexpr UINT WM_TEST_KEY = WM_USER + 53;

BEGIN_MESSAGE_MAP(CKeyHostDlg, CRecordingDlg)
ON_MESSAGE(WM_TEST_KEY, &CKeyHostDlg::OnKey)
ON_COMMAND(9102, &CKeyHostDlg::OnTwo)
END_MESSAGE_MAP()

MSG Key(UINT vk, int nFocus)
{
    return MSG{nullptr, WM_TEST_KEY, vk, nFocus, 0, {0, 0}};
}

TEST(Framework, EnterAndEscapeBelongToTheDialogThatHoldsTheFocusedControl)
{
    CKeyHostDlg dlg;
    // Inside the panel: Enter presses the focused button of the panel, not of the host; Escape
    // is the panel's Cancel and leaves the host running. On the host's own controls: Enter presses
    // the focused button, Escape ends the host.
    dlg.m_steps = {Key(VK_RETURN, 9201), Key(VK_ESCAPE, 9201), Key(VK_RETURN, 9102), Key(VK_ESCAPE, 9102)};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    std::vector<std::wstring> keys;
    for (const std::wstring& entry : dlg.m_log)
        if (entry.rfind(L"panel", 0) == 0 || entry.rfind(L"host", 0) == 0 || entry == L"cancel")
            keys.push_back(entry);
    const std::vector<std::wstring> expected = {L"panel 9201", L"panel cancel", L"host 9102", L"cancel"};
    EXPECT_EQ(expected, keys);
}

TEST(Framework, ModelessChildDialogHandlesItsOwnCommandsAndUnbindsWhenDestroyed)
{
    CTestPanel panel;
    HWND hHost = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                                   nullptr);
    ASSERT_NE(nullptr, hHost);
    CWnd hostWnd;
    ASSERT_TRUE(hostWnd.SubclassWindow(hHost));
    ASSERT_TRUE(panel.Create(kTestPanel, &hostWnd));
    EXPECT_TRUE(::GetWindowLongPtrW(panel.m_hWnd, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(hHost, ::GetParent(panel.m_hWnd));
    EXPECT_EQ(&hostWnd, panel.GetTopLevelParent());
    ::SendMessageW(panel.m_hWnd, WM_COMMAND, MAKEWPARAM(9201, BN_CLICKED),
                   reinterpret_cast<LPARAM>(panel.GetDlgItem(9201)));
    EXPECT_EQ(1, panel.m_nInside);

    HWND hPanel = panel.m_hWnd;
    ::DestroyWindow(hHost);
    EXPECT_EQ(nullptr, panel.m_hWnd);
    EXPECT_EQ(nullptr, hostWnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hPanel));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hHost));
}
// Each control gets its text, then its font; a missing text empties the control unless the
// template's text is to stay, and a control without a font keeps the one it has.
TEST(Framework, ControlTextsAreSetWithTheirFonts)
{
    CDialog dlg(kTestDialog, nullptr);
    ASSERT_TRUE(dlg.Create(kTestDialog, nullptr));
    const HFONT hTemplate = reinterpret_cast<HFONT>(::SendMessageW(dlg.GetDlgItem(9101), WM_GETFONT, 0, 0));
    const HFONT hFixed = static_cast<HFONT>(::GetStockObject(SYSTEM_FIXED_FONT));
    ASSERT_NE(hTemplate, hFixed);
    const std::wstring strKnown = AfxLoadText(365), strOther = AfxLoadText(407);
    ASSERT_FALSE(strKnown.empty());
    ASSERT_TRUE(AfxLoadText(102).empty()); // no such text

    dlg.SetControlTexts({{9101, 365, hFixed}, {9102, 102}});
    dlg.SetControlTexts({{9103, 102, hFixed}, {9105, 407}}, true);

    const struct
    {
        int nId;
        std::wstring expected;
        HFONT hFont;
    } cases[] = {
        {9101, strKnown, hFixed},    // loaded, new font
        {9102, L"", hTemplate},      // missing: emptied, font kept
        {9103, L"Three", hFixed},    // missing, template text kept
        {9105, strOther, hTemplate}, // loaded where the template text could stay
        {9104, L"Owner", hTemplate}, // not in a list: untouched
    };
    for (const auto& c : cases)
    {
        wchar_t szText[128] = L"";
        ::GetWindowTextW(dlg.GetDlgItem(c.nId), szText, 128);
        EXPECT_EQ(c.expected, szText) << c.nId;
        EXPECT_EQ(c.hFont, reinterpret_cast<HFONT>(::SendMessageW(dlg.GetDlgItem(c.nId), WM_GETFONT, 0, 0)))
            << c.nId;
    }
    dlg.DestroyWindow();
}
} // namespace
