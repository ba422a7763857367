// Driving the real launchpad window inside a unit test: a system made of data, the main dialog run
// by steps it posts to itself, and a user who answers its question boxes from another thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "FakeSystem.h"
#include "HovraLaunchDlg.h"

std::wstring Text(UINT nId);
std::wstring WindowText(HWND hWnd);
// The sample setup program of the build, in its tools folder: a window-less program
// that records its command line (HOVRA_SETUP_RECORD) and stays as long as told
// (HOVRA_SETUP_LINGER_MS), at once when not told.
std::wstring SampleSetupProgram();
// The text and rectangle of tool nIdTool of pWnd in a tooltip window; nothing when the tooltip
// window does not exist or has no such tool.
std::optional<std::wstring> ToolText(CToolTipCtrl& tooltip, CWnd* pWnd, UINT_PTR nIdTool,
                                     RECT* pRect = nullptr);

// Windows major.minor with the given 64-bit state; the token holds Administrators (or Users).
// pszBuild, when given, is written as the version key's CurrentBuild of a client installation.
FakeSystem MakeSystem(DWORD major, DWORD minor, bool wow64 = true, bool admin = true,
                      const wchar_t* pszBuild = L"19045");

// The real main dialog, driven by steps: after initialisation it posts itself a message, runs
// the next step on the user-interface thread, and posts again, so each step runs after the
// messages the previous one posted. When the steps are done it exits, unless told to stay.
// Panels come from m_makePanel when it is set (it may return null for the real panel).
class CSteppedMainDlg : public CHovraLaunchDlg
{
public:
    using Step = std::function<void(CSteppedMainDlg&)>;

    std::vector<Step> m_steps;
    size_t m_nextStep = 0;
    bool m_bInitialised = false;
    bool m_bExitAfterSteps = true;
    std::function<CStackPanel*(UINT nPanelId, CSteppedMainDlg* pParent)> m_makePanel;

    // The dialog chose both languages from this machine's locales; a test chooses instead.
    void ChooseLanguages(LANGID interfaceLanguage, wchar_t chDocumentation);

    template <class TPanel> TPanel& Panel(UINT nPanelId)
    {
        return *static_cast<TPanel*>(FindPanel(nPanelId)->m_pPanel);
    }
    void Click(UINT nId) { ::SendMessageW(GetDlgItem(static_cast<int>(nId)), BM_CLICK, 0, 0); }

    CStyleButton& Button(UINT nId);
    UINT CurrentNavId() const { return m_nCurrentNavId; }

protected:
    CStackPanel* CreatePanel(UINT nPanelId) override;
    BOOL OnInitDialog() override;
    LRESULT OnStep(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

// The visible question box of this process, if one is open.
HWND FindQuestionBox();

// Answers the question boxes this process shows, as a user would, from another thread: writes
// down each message and whether Cancel was offered, then presses the next of the given answers;
// once they are used up, presses `thenAnswer` on every further box (0: leaves them alone).
class QuestionAnswerer
{
public:
    explicit QuestionAnswerer(std::vector<UINT> answers, UINT thenAnswer = 0);
    ~QuestionAnswerer() { Stop(); }
    QuestionAnswerer(const QuestionAnswerer&) = delete;
    QuestionAnswerer& operator=(const QuestionAnswerer&) = delete;

    // Stops answering; the messages seen so far.
    std::vector<std::wstring> Stop();

    std::vector<std::wstring> m_messages;
    std::vector<bool> m_cancelShown;

private:
    void Run();
    std::vector<UINT> m_answers;
    UINT m_thenAnswer;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};
