// The network configuration and installation panels under test in the real main dialog: the
// answers' control ids, the pixels of the icons the panels show, the panels with their insides
// open, the dialog that makes them, a media directory of the test's own, and the fixture that runs
// the launchpad through a test's steps.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "InstallPanel.h"
#include "LaunchpadHarness.h"
#include "NetworkConfigPanel.h"

namespace panel_tests
{
// The network panel's three answers: the ids of their buttons, which are also the answers stored.
constexpr UINT kYes = 1101;
constexpr UINT kNo = 1102;
constexpr UINT kDontKnow = 1103;

// The colour pixels of an icon, to tell which image a control shows.
std::vector<BYTE> IconPixels(HICON hIcon);
// Those of the program's icon nId at 32 by 32, and those of the icon a static control shows.
std::vector<BYTE> ResourceIconPixels(UINT nId);
std::vector<BYTE> ShownIconPixels(HWND hStatic);

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

// The panels under test in the running dialog.
CProbeNetworkPanel& Network(CSteppedMainDlg& d);
CProbeInstallPanel& Install(CSteppedMainDlg& d);

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

// The tests run the launchpad on a made-up Windows 10 and put back the current item and the
// interface language they changed.
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

} // namespace panel_tests
