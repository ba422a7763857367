// The start-up timer of the benchmark (tools/bench/run.py). It runs a plan of measurements inside
// one Wine session, so that Wine's own helper processes stay up from one run to the next, and
// writes one result line per measurement.
//
//   benchtimer PLAN_FILE RESULT_FILE [CAPTURE_DIR]
//
// Plan lines are UTF-8, fields separated by tabs:
//   set      NAME VALUE                             settle_ms, poll_ms, gap_ms, timeout_ms
//   start    LABEL TITLE DIRECTORY COMMAND_LINE     start-up, then the memory of the settled program
//   second   LABEL TITLE DIRECTORY COMMAND_LINE     the same, then a second start of the same command
//                                                   line, timed until that process has ended
//
// Start-up is timed from just before CreateProcessW to
//   found:   a visible top-level window of the new process with that title exists;
//   painted: the screen shows the window as it stays: the window's rectangle, copied from the
//            screen (BitBlt from the screen DC, which Wine reads back from the X server), equals
//            every later copy until the process has been idle (WaitForInputIdle) and the copies
//            have not changed for settle_ms. The time is that of the first copy of the settled
//            image, so it includes everything drawn late (panels, buttons, the banner).
// Each result line is "key=value" pairs separated by spaces; a failed run has ok=0 and a reason.
// With CAPTURE_DIR, the settled image of the first run of each label is saved there as LABEL.bmp.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace
{
struct Settings
{
    DWORD settleMs = 500;
    DWORD pollMs = 2;
    DWORD gapMs = 300;
    DWORD timeoutMs = 30000;
};

double g_tickMs = 0.0;

double NowMs()
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * g_tickMs;
}

std::wstring Widen(const std::string& utf8)
{
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(
        CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(), n, nullptr,
                          nullptr);
    return utf8;
}

bool ReadWholeFile(const wchar_t* pszPath, std::string& data)
{
    HANDLE hFile = ::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    data.assign(static_cast<size_t>(::GetFileSize(hFile, nullptr)), '\0');
    DWORD cbRead = 0;
    const BOOL bRead = ::ReadFile(hFile, data.data(), static_cast<DWORD>(data.size()), &cbRead, nullptr);
    ::CloseHandle(hFile);
    return bRead && cbRead == data.size();
}

std::vector<std::wstring> SplitTabs(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;)
    {
        const size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

// A window of our own that holds the foreground between runs, so that every run starts alike and
// a second start can be seen to bring the first launchpad forward. It sits in the screen's corner,
// away from the centred windows under test.
HWND CreateHolder()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"HovraBenchHolder";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"HovraBenchHolder", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    return hWnd;
}

void PumpMessages()
{
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Pause(DWORD ms)
{
    const double end = NowMs() + ms;
    while (NowMs() < end)
    {
        PumpMessages();
        ::Sleep(5);
    }
}

struct WindowSearch
{
    DWORD dwProcessId; // 0: any process
    const std::wstring* title;
    HWND hFound;
    int nCount;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<WindowSearch*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (pSearch->dwProcessId != 0 && dwProcessId != pSearch->dwProcessId)
        return TRUE;
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    wchar_t caption[512] = L"";
    ::GetWindowTextW(hWnd, caption, 512);
    if (*pSearch->title != caption)
        return TRUE;
    if (pSearch->nCount++ == 0)
        pSearch->hFound = hWnd;
    return TRUE;
}

WindowSearch FindWindows(DWORD dwProcessId, const std::wstring& title)
{
    WindowSearch search{dwProcessId, &title, nullptr, 0};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search;
}

// The window's rectangle as the screen shows it, in a 32-bit top-down DIB.
constexpr int kBandPixels = 120000;

class ScreenCopy
{
public:
    ScreenCopy() : m_hdcScreen(::GetDC(nullptr)), m_hdcMem(::CreateCompatibleDC(m_hdcScreen)) {}
    ~ScreenCopy()
    {
        Reset();
        ::DeleteDC(m_hdcMem);
        ::ReleaseDC(nullptr, m_hdcScreen);
    }
    ScreenCopy(const ScreenCopy&) = delete;
    ScreenCopy& operator=(const ScreenCopy&) = delete;

    // Copies rc from the screen; false when it cannot.
    bool Take(const RECT& rc)
    {
        const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
        if (cx <= 0 || cy <= 0)
            return false;
        if (cx != m_cx || cy != m_cy)
        {
            Reset();
            BITMAPINFO bmi{};
            bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
            bmi.bmiHeader.biWidth = cx;
            bmi.bmiHeader.biHeight = -cy;
            bmi.bmiHeader.biPlanes = 1;
            bmi.bmiHeader.biBitCount = 32;
            bmi.bmiHeader.biCompression = BI_RGB;
            m_hBitmap = ::CreateDIBSection(m_hdcMem, &bmi, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
            if (m_hBitmap == nullptr)
                return false;
            m_hOld = ::SelectObject(m_hdcMem, m_hBitmap);
            m_cx = cx;
            m_cy = cy;
        }
        // In bands: Wine reads a large rectangle back from the X server many times slower per pixel
        // than a few smaller ones (860 x 562 pixels take 15 ms in one piece, 1.5 ms in four).
        const int cyBand = std::max(1, kBandPixels / cx);
        for (int y = 0; y < cy; y += cyBand)
        {
            if (!::BitBlt(m_hdcMem, 0, y, cx, std::min(cyBand, cy - y), m_hdcScreen, rc.left, rc.top + y,
                          SRCCOPY | CAPTUREBLT))
                return false;
        }
        ::GdiFlush();
        return true;
    }

    const std::uint32_t* Pixels() const { return static_cast<const std::uint32_t*>(m_pBits); }
    size_t PixelCount() const { return static_cast<size_t>(m_cx) * static_cast<size_t>(m_cy); }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

private:
    void Reset()
    {
        if (m_hBitmap != nullptr)
        {
            ::SelectObject(m_hdcMem, m_hOld);
            ::DeleteObject(m_hBitmap);
        }
        m_hBitmap = nullptr;
        m_pBits = nullptr;
        m_cx = m_cy = 0;
    }

    HDC m_hdcScreen;
    HDC m_hdcMem;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    void* m_pBits = nullptr;
    int m_cx = 0;
    int m_cy = 0;
};

bool SaveBitmap(const std::wstring& path, const std::vector<std::uint32_t>& pixels, int cx, int cy)
{
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = cx;
    info.biHeight = -cy;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD cbPixels = static_cast<DWORD>(pixels.size() * sizeof(std::uint32_t));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + cbPixels;
    HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD cb = 0;
    bool bOk = ::WriteFile(hFile, &file, sizeof file, &cb, nullptr) &&
               ::WriteFile(hFile, &info, sizeof info, &cb, nullptr) &&
               ::WriteFile(hFile, pixels.data(), cbPixels, &cb, nullptr);
    ::CloseHandle(hFile);
    return bOk;
}

struct Measurement
{
    bool bOk = false;
    std::string reason;
    double foundMs = -1, paintedMs = -1, idleMs = -1, secondMs = -1;
    int nChanges = 0;
    int nCopies = 0;
    double copyMs = 0; // time spent copying the screen, all copies together
    size_t nColours = 0;
    SIZE_T cbWorkingSet = 0, cbPrivate = 0, cbPeakWorkingSet = 0, cbPagefile = 0;
    int nForeground = -1;
    int nWindowsAfterSecond = -1;
    int nFirstStillRuns = -1;
    std::vector<std::uint32_t> settled;
    int cx = 0, cy = 0;
};

bool StartProcess(const std::wstring& commandLine, const std::wstring& directory, PROCESS_INFORMATION& pi)
{
    std::wstring line = commandLine; // CreateProcessW may write into it
    STARTUPINFOW si{};
    si.cb = sizeof si;
    return ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            directory.empty() ? nullptr : directory.c_str(), &si, &pi) != FALSE;
}

void EndProcess(HANDLE hProcess, HWND hWnd)
{
    if (hWnd != nullptr && ::IsWindow(hWnd))
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    const double end = NowMs() + 10000;
    while (::WaitForSingleObject(hProcess, 5) == WAIT_TIMEOUT)
    {
        PumpMessages();
        if (NowMs() > end)
        {
            ::TerminateProcess(hProcess, 1);
            ::WaitForSingleObject(hProcess, 5000);
            break;
        }
    }
}

size_t CountColours(const std::vector<std::uint32_t>& pixels)
{
    std::unordered_set<std::uint32_t> colours;
    for (std::uint32_t pixel : pixels)
    {
        colours.insert(pixel & 0xFFFFFF);
        if (colours.size() >= 100000)
            break;
    }
    return colours.size();
}

// Starts the program and follows its window until the screen shows it settled.
Measurement MeasureStart(const Settings& settings, const std::wstring& title, const std::wstring& directory,
                         const std::wstring& commandLine, HWND hHolder, bool bSecond)
{
    Measurement m;
    ::SetForegroundWindow(hHolder);
    ::SetCursorPos(0, 0); // no hover effect or tooltip on the window under test
    PumpMessages();

    PROCESS_INFORMATION pi{};
    const double t0 = NowMs();
    if (!StartProcess(commandLine, directory, pi))
    {
        m.reason = "CreateProcess_error_" + std::to_string(::GetLastError());
        return m;
    }
    ::CloseHandle(pi.hThread);

    ScreenCopy copy;
    std::vector<std::uint32_t> last;
    HWND hWnd = nullptr;
    RECT rcWindow{};
    double stableSince = -1;
    bool bIdleKnown = true;
    for (;;)
    {
        const double now = NowMs();
        if (now - t0 > settings.timeoutMs)
        {
            m.reason = hWnd == nullptr ? "no_window" : "never_settled";
            break;
        }
        if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
        {
            m.reason = "process_ended";
            break;
        }
        if (m.idleMs < 0 && bIdleKnown)
        {
            const DWORD dwIdle = ::WaitForInputIdle(pi.hProcess, 0);
            if (dwIdle == 0)
                m.idleMs = NowMs() - t0;
            else if (dwIdle == WAIT_FAILED)
                bIdleKnown = false;
        }
        if (hWnd == nullptr)
        {
            hWnd = FindWindows(pi.dwProcessId, title).hFound;
            if (hWnd != nullptr)
                m.foundMs = NowMs() - t0;
        }
        if (hWnd != nullptr)
        {
            RECT rc{};
            ::GetWindowRect(hWnd, &rc);
            const double taken = NowMs();
            if (!copy.Take(rc))
            {
                m.reason = "screen_copy_failed";
                break;
            }
            ++m.nCopies;
            m.copyMs += NowMs() - taken;
            const bool bSameRect = ::EqualRect(&rc, &rcWindow) != FALSE;
            const size_t n = copy.PixelCount();
            if (!bSameRect || last.size() != n ||
                std::memcmp(last.data(), copy.Pixels(), n * sizeof(std::uint32_t)) != 0)
            {
                last.assign(copy.Pixels(), copy.Pixels() + n);
                rcWindow = rc;
                stableSince = taken;
                ++m.nChanges;
            }
            const bool bIdle = m.idleMs >= 0 || !bIdleKnown;
            const double settleMs = bIdleKnown ? settings.settleMs : 2.0 * settings.settleMs;
            if (bIdle && NowMs() - stableSince >= settleMs)
            {
                m.paintedMs = stableSince - t0;
                m.bOk = true;
                break;
            }
        }
        PumpMessages();
        ::Sleep(settings.pollMs);
    }

    if (m.bOk)
    {
        m.settled = last;
        m.cx = copy.Width();
        m.cy = copy.Height();
        m.nColours = CountColours(last);
        PROCESS_MEMORY_COUNTERS_EX pmc{};
        pmc.cb = sizeof pmc;
        if (::K32GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                                      sizeof pmc))
        {
            m.cbWorkingSet = pmc.WorkingSetSize;
            m.cbPeakWorkingSet = pmc.PeakWorkingSetSize;
            m.cbPrivate = pmc.PrivateUsage;
            m.cbPagefile = pmc.PagefileUsage;
        }
    }

    if (m.bOk && bSecond)
    {
        // The first runs; a second start must find it, bring it forward and end.
        ::SetForegroundWindow(hHolder);
        PumpMessages();
        PROCESS_INFORMATION pi2{};
        const double t1 = NowMs();
        if (!StartProcess(commandLine, directory, pi2))
        {
            m.bOk = false;
            m.reason = "second_CreateProcess_error_" + std::to_string(::GetLastError());
        }
        else
        {
            ::CloseHandle(pi2.hThread);
            double end = t1 + settings.timeoutMs;
            DWORD dwWait = WAIT_TIMEOUT;
            while ((dwWait = ::WaitForSingleObject(pi2.hProcess, 1)) == WAIT_TIMEOUT && NowMs() < end)
                PumpMessages();
            if (dwWait == WAIT_OBJECT_0)
            {
                m.secondMs = NowMs() - t1;
            }
            else
            {
                m.bOk = false;
                m.reason = "second_did_not_end";
                ::TerminateProcess(pi2.hProcess, 1);
            }
            ::CloseHandle(pi2.hProcess);
            Pause(100); // the activation reaches the window manager side
            HWND hForeground = ::GetForegroundWindow();
            m.nForeground =
                hForeground != nullptr && ::GetAncestor(hForeground, GA_ROOTOWNER) == hWnd ? 1 : 0;
            m.nWindowsAfterSecond = FindWindows(0, title).nCount;
            m.nFirstStillRuns = ::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT ? 1 : 0;
        }
    }

    EndProcess(pi.hProcess, hWnd);
    ::CloseHandle(pi.hProcess);
    return m;
}

std::string Format(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

std::string ResultLine(const std::wstring& kind, const std::wstring& label, int nRun, const Measurement& m)
{
    std::string line = "kind=" + Narrow(kind) + " label=" + Narrow(label) + " run=" + std::to_string(nRun) +
                       " ok=" + (m.bOk ? "1" : "0");
    if (!m.reason.empty())
        line += " reason=" + m.reason;
    line += " found_ms=" + Format(m.foundMs) + " painted_ms=" + Format(m.paintedMs) +
            " idle_ms=" + Format(m.idleMs) + " changes=" + std::to_string(m.nChanges) +
            " copies=" + std::to_string(m.nCopies) +
            " copy_ms=" + Format(m.nCopies > 0 ? m.copyMs / m.nCopies : 0) +
            " colours=" + std::to_string(m.nColours) + " size=" + std::to_string(m.cx) + "x" +
            std::to_string(m.cy) + " ws_kb=" + std::to_string(m.cbWorkingSet / 1024) +
            " peak_ws_kb=" + std::to_string(m.cbPeakWorkingSet / 1024) +
            " private_kb=" + std::to_string(m.cbPrivate / 1024) +
            " pagefile_kb=" + std::to_string(m.cbPagefile / 1024);
    if (kind == L"second")
        line += " second_ms=" + Format(m.secondMs) + " foreground=" + std::to_string(m.nForeground) +
                " windows_after=" + std::to_string(m.nWindowsAfterSecond) +
                " first_runs=" + std::to_string(m.nFirstStillRuns);
    return line;
}

int Fail(const char* pszMessage)
{
    std::fprintf(stderr, "benchtimer: %s\n", pszMessage);
    return 2;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return Fail("usage: benchtimer PLAN_FILE RESULT_FILE [CAPTURE_DIR]");
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    g_tickMs = 1000.0 / static_cast<double>(frequency.QuadPart);

    std::string plan;
    if (!ReadWholeFile(argv[1], plan))
        return Fail("cannot read the plan");
    FILE* pResults = _wfopen(argv[2], L"wb");
    if (pResults == nullptr)
        return Fail("cannot write the results");
    const std::wstring captureDir = argc > 3 ? argv[3] : L"";

    Settings settings;
    HWND hHolder = CreateHolder();
    Pause(1000); // let the session's helper processes finish starting

    std::map<std::wstring, int> runs;
    std::set<std::wstring> saved;
    int nFailed = 0;
    const std::wstring text = Widen(plan);
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.empty() || line[0] == L'#')
            continue;
        const std::vector<std::wstring> fields = SplitTabs(line);
        if (fields[0] == L"set" && fields.size() == 3)
        {
            const DWORD value = static_cast<DWORD>(_wtoi(fields[2].c_str()));
            if (fields[1] == L"settle_ms")
                settings.settleMs = value;
            else if (fields[1] == L"poll_ms")
                settings.pollMs = value;
            else if (fields[1] == L"gap_ms")
                settings.gapMs = value;
            else if (fields[1] == L"timeout_ms")
                settings.timeoutMs = value;
            continue;
        }
        if ((fields[0] != L"start" && fields[0] != L"second") || fields.size() != 5)
        {
            std::fprintf(stderr, "benchtimer: bad plan line: %s\n", Narrow(line).c_str());
            return 2;
        }
        const std::wstring& label = fields[1];
        const int nRun = runs[label]++;
        const Measurement m =
            MeasureStart(settings, fields[2], fields[3], fields[4], hHolder, fields[0] == L"second");
        if (!m.bOk)
            ++nFailed;
        if (m.bOk && !captureDir.empty() && saved.insert(label).second)
        {
            std::wstring path = captureDir;
            path.append(L"\\").append(label).append(L".bmp");
            SaveBitmap(path, m.settled, m.cx, m.cy);
        }
        const std::string result = ResultLine(fields[0], label, nRun, m);
        std::fprintf(pResults, "%s\n", result.c_str());
        std::fflush(pResults);
        std::printf("%s\n", result.c_str());
        std::fflush(stdout);
        Pause(settings.gapMs);
    }
    std::fclose(pResults);
    ::DestroyWindow(hHolder);
    return nFailed == 0 ? 0 : 1;
}
