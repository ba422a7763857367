// The launchpad's wait worker against a closing launchpad. LaunchFile with waiting starts a worker
// thread that waits for the program and posts WM_PROCESS_ENDED to the dialog; the two share the
// watch record under its lock, and the dialog lets go of it when its window is destroyed. Round
// after round the real launchpad is closed while the program it waits for still runs, the moment
// that program ends, or after it heard of the end: nothing may crash or hang, every worker must
// run to its end, and its message must reach only a window that is still there.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "HovraLaunch.h"
#include "HovraLaunchDlg.h"
#include "LaunchpadHarness.h"

namespace
{
constexpr DWORD kRoundTimeoutMs = 20000;
constexpr DWORD kWorkersTimeoutMs = 30000;

// How a round ends.
enum class Ending
{
    WhileRunning,    // the launchpad closes while the program runs
    WhileClosing,    // the program ends while the launchpad is being closed and destroyed
    AsItEnds,        // it closes in the same moment the program ends, from that same message
    PostedAsItEnds,  // its close is posted the moment the program ends: the worker's message may come first
    AfterItsMessage, // it closes after the worker's message arrived
};

struct RoundKind
{
    const char* name;
    Ending ending;
    DWORD dwLingerMs;      // how long the program stays after writing its record
    DWORD dwLingerSweepMs; // and this much more, spread over the rounds of the kind
};

// The kinds that wait for the program's end keep it alive a little after its record: the round
// takes its own handle to the program once the launch returns, and a program that ended before
// that (a busy machine can hold this thread that long) would leave the round with nothing to wait
// on. The race they aim at is at the end, which the linger only moves.
constexpr DWORD kHandleTakenMs = 250;
const RoundKind kKinds[] = {
    {"closed while the program runs", Ending::WhileRunning, 700, 0},
    {"program ends while the launchpad closes", Ending::WhileClosing, 0, 40},
    {"closed as the program ends", Ending::AsItEnds, kHandleTakenMs, 0},
    {"close posted as the program ends", Ending::PostedAsItEnds, kHandleTakenMs, 0},
    {"closed after the end was reported", Ending::AfterItsMessage, kHandleTakenMs, 0},
};
constexpr int kRoundsPerKind = 24;

std::wstring TempFile(const std::wstring& name)
{
    wchar_t szTemp[MAX_PATH];
    return std::wstring(szTemp, ::GetTempPathW(MAX_PATH, szTemp)) + name;
}

// Ends the test program when a round takes longer than it may: a hung launchpad would otherwise
// hold the whole run until ctest gives up on it.
class Watchdog
{
public:
    Watchdog(DWORD dwMs, std::string what)
        : m_thread(
              [this, dwMs, what = std::move(what)]
              {
                  std::unique_lock<std::mutex> lock(m_mutex);
                  if (!m_done.wait_for(lock, std::chrono::milliseconds(dwMs), [this] { return m_bDone; }))
                  {
                      std::fprintf(stderr, "HANG: %s did not end within %lu ms\n", what.c_str(), dwMs);
                      std::fflush(stderr);
                      ::TerminateProcess(::GetCurrentProcess(), 3);
                  }
              })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bDone = true;
        }
        m_done.notify_one();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_bDone = false;
    std::thread m_thread;
};

// Every WM_PROCESS_ENDED the program posts, seen at the call: its calls to PostMessageW go through
// its import table, where the test puts a recorder in front of the system's function while it runs.
struct EndedPost
{
    HWND hWnd;
    bool bPosted;
};
using PostMessageFn = BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
PostMessageFn g_pfnPostMessage = nullptr;
std::mutex g_postsLock;
std::vector<EndedPost> g_endedPosts;

BOOL WINAPI RecordingPostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const BOOL bPosted = g_pfnPostMessage(hWnd, message, wParam, lParam);
    if (message == WM_PROCESS_ENDED)
    {
        std::lock_guard<std::mutex> lock(g_postsLock);
        g_endedPosts.push_back({hWnd, bPosted != FALSE});
    }
    return bPosted;
}

// The slot of this program's import table that holds pszFunction of pszLibrary, or null.
void** FindImportSlot(const char* pszLibrary, const char* pszFunction)
{
    auto* pBase = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* pImport = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + imports.VirtualAddress);
         pImport->Name != 0; ++pImport)
    {
        if (::lstrcmpiA(reinterpret_cast<const char*>(pBase + pImport->Name), pszLibrary) != 0)
            continue;
        auto* pName = reinterpret_cast<const IMAGE_THUNK_DATA*>(pBase + pImport->OriginalFirstThunk);
        auto* pSlot = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pImport->FirstThunk);
        for (; pName->u1.AddressOfData != 0; ++pName, ++pSlot)
        {
            if (IMAGE_SNAP_BY_ORDINAL(pName->u1.Ordinal))
                continue;
            const auto* pByName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pName->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(pByName->Name), pszFunction) == 0)
                return reinterpret_cast<void**>(&pSlot->u1.Function);
        }
    }
    return nullptr;
}

// Puts a function in an import slot for the life of the scope.
class CImportPatch
{
public:
    CImportPatch(void** ppSlot, void* pfnNew) : m_ppSlot(ppSlot), m_pfnOld(Swap(ppSlot, pfnNew)) {}
    ~CImportPatch() { Swap(m_ppSlot, m_pfnOld); }
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;
    void* Old() const { return m_pfnOld; }

private:
    static void* Swap(void** ppSlot, void* pfn)
    {
        DWORD dwProtect = 0;
        ::VirtualProtect(ppSlot, sizeof *ppSlot, PAGE_READWRITE, &dwProtect);
        void* pfnOld = *ppSlot;
        *ppSlot = pfn;
        ::VirtualProtect(ppSlot, sizeof *ppSlot, dwProtect, &dwProtect);
        return pfnOld;
    }
    void** m_ppSlot;
    void* m_pfnOld;
};

// Every WM_PROCESS_ENDED this thread takes from its queue for a window that is not the open
// launchpad (a stale window, or none): seen by a message hook, before any window procedure.
HWND g_hOpenLaunchpad = nullptr;
int g_nStrayMessages = 0;

LRESULT CALLBACK GetMessageHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == WM_PROCESS_ENDED &&
        (pMsg->hwnd == nullptr || pMsg->hwnd != g_hOpenLaunchpad))
        ++g_nStrayMessages;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// The real launchpad (real panels), which notes where each WM_PROCESS_ENDED finds it.
class CWatchedMainDlg : public CSteppedMainDlg
{
public:
    std::shared_ptr<WatchRecord> Record() const { return m_watch; }

    // Starts the program and waits for it, as the software panel's action does; keeps a handle of
    // its own to the program, taken under the record's lock before the worker can close its own.
    bool LaunchWatched(const std::wstring& program)
    {
        if (!LaunchFile(program, false, true, L"watched"))
            return false;
        std::lock_guard<std::mutex> lock(m_watch->m_lock);
        const HANDLE hProcess = m_watch->m_hProcess.load();
        return hProcess != nullptr &&
               ::DuplicateHandle(::GetCurrentProcess(), hProcess, ::GetCurrentProcess(), &m_hProgram,
                                 SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 0);
    }
    bool ProgramEnded() const { return ::WaitForSingleObject(m_hProgram, 0) == WAIT_OBJECT_0; }

    HANDLE m_hProgram = nullptr; // the caller closes it
    int m_nEndedWhileOpen = 0;   // after its own program ended: what the worker is for
    int m_nEndedTooEarly = 0;    // while its own program still ran: not from its worker
    int m_nEndedWhileDestroyed = 0;
    bool m_bDestroying = false;
    bool m_bDetachedOnDestroy = false;
    bool m_bRunningAtClose = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PROCESS_ENDED)
        {
            if (m_bDestroying)
                ++m_nEndedWhileDestroyed;
            else if (m_hProgram == nullptr || !ProgramEnded())
                ++m_nEndedTooEarly;
            else
                ++m_nEndedWhileOpen;
        }
        if (message == WM_DESTROY)
        {
            m_bDestroying = true;
            g_hOpenLaunchpad = nullptr;
        }
        const LRESULT result = CSteppedMainDlg::WindowProc(message, wParam, lParam);
        if (message == WM_DESTROY)
        {
            std::lock_guard<std::mutex> lock(m_watch->m_lock);
            m_bDetachedOnDestroy = m_watch->m_hNotifyWnd == nullptr;
        }
        return result;
    }
};

// What a round leaves to be checked once its worker is done.
struct Round
{
    const RoundKind* pKind;
    int nIndex;
    std::shared_ptr<WatchRecord> record;
    HANDLE hProgram;
    std::wstring recordFile;
    HWND hLaunchpad = nullptr;
    int nEndedWhileOpen = 0;
};

// Waits for the program to end or a message to come, whichever is first, for at most dwMs.
void WaitForProgramOrMessage(HANDLE hProgram, DWORD dwMs)
{
    ::MsgWaitForMultipleObjects(1, &hProgram, FALSE, dwMs, QS_ALLINPUT);
}

// Closes the launchpad once the worker's message has come (or the deadline passed), looking again
// after each message that comes meanwhile.
void CloseWhenHeard(CSteppedMainDlg& d, DWORD dwDeadline)
{
    auto& w = static_cast<CWatchedMainDlg&>(d);
    if (w.m_nEndedWhileOpen == 0 && w.m_hProgram != nullptr &&
        static_cast<LONG>(dwDeadline - ::GetTickCount()) > 0)
    {
        WaitForProgramOrMessage(w.m_hProgram, 20);
        d.m_steps.push_back([dwDeadline](CSteppedMainDlg& d) { CloseWhenHeard(d, dwDeadline); });
        return;
    }
    d.Click(IDC_EXIT);
}

std::vector<CSteppedMainDlg::Step> StepsFor(Ending ending, const std::wstring& program,
                                            const std::wstring& recordFile, bool& bLaunched)
{
    std::vector<CSteppedMainDlg::Step> steps;
    steps.push_back([&program, &bLaunched](CSteppedMainDlg& d)
                    { bLaunched = static_cast<CWatchedMainDlg&>(d).LaunchWatched(program); });
    switch (ending)
    {
    case Ending::WhileRunning:
        steps.push_back(
            [](CSteppedMainDlg& d)
            {
                auto& w = static_cast<CWatchedMainDlg&>(d);
                w.m_bRunningAtClose = w.m_hProgram != nullptr && !w.ProgramEnded();
                d.Click(IDC_EXIT);
            });
        break;
    case Ending::WhileClosing:
        steps.push_back(
            [&recordFile](CSteppedMainDlg& d)
            {
                // The program wrote its record: it ends after its linger, while this closes.
                auto& w = static_cast<CWatchedMainDlg&>(d);
                const DWORD dwDeadline = ::GetTickCount() + kRoundTimeoutMs / 2;
                while (::GetFileAttributesW(recordFile.c_str()) == INVALID_FILE_ATTRIBUTES &&
                       static_cast<LONG>(dwDeadline - ::GetTickCount()) > 0 && w.m_hProgram != nullptr &&
                       ::WaitForSingleObject(w.m_hProgram, 1) == WAIT_TIMEOUT)
                {
                }
                d.Click(IDC_EXIT);
            });
        break;
    case Ending::AsItEnds:
    case Ending::PostedAsItEnds:
        steps.push_back(
            [ending](CSteppedMainDlg& d)
            {
                auto& w = static_cast<CWatchedMainDlg&>(d);
                // The worker wakes on the same end as this thread does.
                if (w.m_hProgram != nullptr)
                    ::WaitForSingleObject(w.m_hProgram, kRoundTimeoutMs / 2);
                if (ending == Ending::AsItEnds)
                    d.Click(IDC_EXIT);
                else
                    ::PostMessageW(d.GetDlgItem(IDC_EXIT), BM_CLICK, 0, 0);
            });
        break;
    case Ending::AfterItsMessage:
    {
        const DWORD dwDeadline = ::GetTickCount() + kRoundTimeoutMs / 2;
        steps.push_back([dwDeadline](CSteppedMainDlg& d) { CloseWhenHeard(d, dwDeadline); });
        break;
    }
    }
    return steps;
}

// Pumps this thread's messages until every worker let go of its record, or the time is up.
bool WaitForWorkers(const std::vector<Round>& rounds, DWORD dwMs)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;)
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        bool bAllDone = true;
        for (const Round& round : rounds)
            bAllDone =
                bAllDone && round.record.use_count() == 1 && round.record->m_hProcess.load() == nullptr;
        if (bAllDone)
            return true;
        if (::GetTickCount() - dwStart > dwMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}
} // namespace

// Half a minute of launchpads opening and closing: run by its own ctest entry (wait_worker), which
// keeps the end-to-end tests' real clicks off the screen meanwhile.
TEST(WaitWorker, ClosingTheLaunchpadWhileItsProgramEndsNeverCrashesHangsOrReachesAClosedWindow)
{
    FakeSystem system = MakeSystem(10, 0, true);
    FakeSystemScope scope(system);
    const PrerequisiteItem saved = g_prerequisites[0];
    const std::wstring program = SampleSetupProgram();
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(program.c_str()));

    void** ppPostMessage = FindImportSlot("user32.dll", "PostMessageW");
    ASSERT_NE(nullptr, ppPostMessage);
    g_endedPosts.clear();
    CImportPatch recorder(ppPostMessage, reinterpret_cast<void*>(&RecordingPostMessage));
    g_pfnPostMessage = reinterpret_cast<PostMessageFn>(recorder.Old());

    HHOOK hHook = ::SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    g_nStrayMessages = 0;

    std::vector<Round> rounds;
    const auto start = std::chrono::steady_clock::now();
    for (int nRound = 0; nRound < kRoundsPerKind * static_cast<int>(std::size(kKinds)); ++nRound)
    {
        const size_t nKind = static_cast<size_t>(nRound) % std::size(kKinds);
        const RoundKind& kind = kKinds[nKind];
        SCOPED_TRACE(std::string(kind.name) + ", round " + std::to_string(nRound));

        Round round{&kind, nRound, nullptr, nullptr,
                    TempFile(L"hovra-watch-" + std::to_wstring(nRound) + L".txt")};
        ::DeleteFileW(round.recordFile.c_str());
        ::SetEnvironmentVariableW(L"HOVRA_SETUP_RECORD", round.recordFile.c_str());
        const DWORD dwLingerMs = kind.dwLingerMs + kind.dwLingerSweepMs *
                                                       static_cast<DWORD>(nRound / std::size(kKinds)) /
                                                       kRoundsPerKind;
        ::SetEnvironmentVariableW(L"HOVRA_SETUP_LINGER_MS", std::to_wstring(dwLingerMs).c_str());

        bool bLaunched = false;
        {
            CWatchedMainDlg dlg;
            dlg.m_steps = StepsFor(kind.ending, program, round.recordFile, bLaunched);
            const auto firstStep = dlg.m_steps.front();
            dlg.m_steps.front() = [firstStep, &round](CSteppedMainDlg& d)
            {
                g_hOpenLaunchpad = round.hLaunchpad = d.m_hWnd;
                firstStep(d);
            };
            {
                Watchdog watchdog(kRoundTimeoutMs,
                                  "round " + std::to_string(nRound) + " (" + kind.name + ")");
                EXPECT_EQ(IDCANCEL, dlg.DoModal());
            }
            round.record = dlg.Record();
            round.hProgram = dlg.m_hProgram;
            round.nEndedWhileOpen = dlg.m_nEndedWhileOpen;

            EXPECT_TRUE(bLaunched);
            EXPECT_TRUE(dlg.m_bDetachedOnDestroy);
            EXPECT_EQ(0, dlg.m_nEndedWhileDestroyed);
            EXPECT_EQ(0, dlg.m_nEndedTooEarly);
            EXPECT_LE(dlg.m_nEndedWhileOpen, 1);
            switch (kind.ending)
            {
            case Ending::WhileRunning:
                EXPECT_TRUE(dlg.m_bRunningAtClose);
                EXPECT_EQ(0, dlg.m_nEndedWhileOpen);
                break;
            case Ending::AfterItsMessage:
                EXPECT_EQ(1, dlg.m_nEndedWhileOpen);
                break;
            default: // either order is right, the count says which came first
                break;
            }
        }
        rounds.push_back(std::move(round));
    }
    const double dRoundsSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // Every worker ran to its end and let go of its record; the records name no window.
    EXPECT_TRUE(WaitForWorkers(rounds, kWorkersTimeoutMs));
    const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const Round& round : rounds)
    {
        SCOPED_TRACE(std::string(round.pKind->name) + ", round " + std::to_string(round.nIndex));
        EXPECT_EQ(1, round.record.use_count());
        EXPECT_EQ(nullptr, round.record->m_hProcess.load());
        EXPECT_EQ(nullptr, round.record->m_hNotifyWnd);
        // The program really ran: it wrote its record and ended well.
        DWORD dwExitCode = STILL_ACTIVE;
        EXPECT_TRUE(round.hProgram != nullptr && ::GetExitCodeProcess(round.hProgram, &dwExitCode));
        EXPECT_EQ(0u, dwExitCode);
        EXPECT_TRUE(::DeleteFileW(round.recordFile.c_str()));
        if (round.hProgram != nullptr)
            ::CloseHandle(round.hProgram);
    }
    EXPECT_EQ(0, g_nStrayMessages);

    // Each worker posted at most once, only to its own launchpad and only while that window was
    // there to take it (a post to a destroyed window fails): never when the launchpad was closed
    // before the program ended, always when the launchpad stayed open until it heard of the end.
    std::vector<EndedPost> posts;
    {
        std::lock_guard<std::mutex> lock(g_postsLock);
        posts = g_endedPosts;
    }
    size_t nPostsMatched = 0;
    std::vector<int> postsPerKind(std::size(kKinds), 0), endedWhileOpenPerKind(std::size(kKinds), 0);
    for (const Round& round : rounds)
    {
        SCOPED_TRACE(std::string(round.pKind->name) + ", round " + std::to_string(round.nIndex));
        int nPosts = 0;
        for (const EndedPost& post : posts)
        {
            if (post.hWnd != round.hLaunchpad)
                continue;
            ++nPosts;
            EXPECT_TRUE(post.bPosted) << "posted to a window that was gone";
        }
        nPostsMatched += static_cast<size_t>(nPosts);
        postsPerKind[static_cast<size_t>(round.pKind - kKinds)] += nPosts;
        endedWhileOpenPerKind[static_cast<size_t>(round.pKind - kKinds)] += round.nEndedWhileOpen;
        EXPECT_LE(nPosts, 1);
        EXPECT_GE(nPosts, round.nEndedWhileOpen);
        if (round.pKind->ending == Ending::WhileRunning)
        {
            EXPECT_EQ(0, nPosts);
        }
        if (round.pKind->ending == Ending::AfterItsMessage)
        {
            EXPECT_EQ(1, nPosts);
        }
    }
    EXPECT_EQ(posts.size(), nPostsMatched) << "posted to a window that was no launchpad of this test";

    ::UnhookWindowsHookEx(hHook);
    ::SetEnvironmentVariableW(L"HOVRA_SETUP_RECORD", nullptr);
    ::SetEnvironmentVariableW(L"HOVRA_SETUP_LINGER_MS", nullptr);
    g_prerequisites[0] = saved;

    std::printf("wait worker: %zu rounds in %.1f s (all workers done after %.1f s), %zu ends posted\n",
                rounds.size(), dRoundsSeconds, dSeconds, posts.size());
    for (size_t nKind = 0; nKind < std::size(kKinds); ++nKind)
        std::printf("  %s: %d rounds; the worker posted its message in %d, the launchpad handled it in %d\n",
                    kKinds[nKind].name, kRoundsPerKind, postsPerKind[nKind], endedWhileOpenPerKind[nKind]);
}
