#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include <windows.h>

#include "InstallerCommandLine.h"
#include "StringCatalogue.h"

namespace
{
TEST(InstallerLogs, TimestampIsNineteenCharactersWithoutColons)
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = 9;
    EXPECT_EQ(L"2024-03-05T14-07-09", MakeLogTimestamp(t));
    t.tm_hour = 0;
    t.tm_mon = 11;
    t.tm_mday = 31;
    EXPECT_EQ(L"2024-12-31T00-07-09", MakeLogTimestamp(t));
    const std::wstring now = MakeLogTimestamp();
    EXPECT_EQ(19u, now.size());
    EXPECT_EQ(std::wstring::npos, now.find(L':'));
}

TEST(InstallerLogs, PackagePath)
{
    AfxSetInterfaceLanguage(0x0409);
    EXPECT_EQ(L"E:\\media\\MSI\\Corvane Velto.msi", InstallerPackagePath(L"E:\\media"));
    EXPECT_EQ(L"D:\\\\MSI\\Corvane Velto.msi", InstallerPackagePath(L"D:\\"));
}

const std::wstring kLongest = L"C:\\" + std::wstring(252, L'a'); // 255 characters: still usable
const std::wstring kTooLong = kLongest + L"a";

// TEMP, then TMP, then the Windows directory's Temp: a variable counts when it is a full path
// shorter than 256 characters, and is then taken as it is. An empty text is a variable not set.
TEST(InstallerLogs, DirectoryIsTempThenTmpThenTheWindowsTemp)
{
    struct DirectoryCase
    {
        std::wstring temp;
        std::wstring tmp;
        std::wstring windows;
        std::wstring expected;
    };
    const std::wstring win = L"C:\\Windows";
    const DirectoryCase cases[] = {
        {L"C:\\Users\\x\\Temp", L"D:\\tmp", win, L"C:\\Users\\x\\Temp"},
        {L"C:\\Temp\\", L"D:\\tmp", win, L"C:\\Temp\\"}, // as it is, backslash and all
        {L"\\\\server\\share\\temp", L"D:\\tmp", win, L"\\\\server\\share\\temp"},
        {kLongest, L"D:\\tmp", win, kLongest},
        {kTooLong, L"D:\\tmp", win, L"D:\\tmp"},
        {L"", L"D:\\tmp", win, L"D:\\tmp"},
        {L"temp", L"\\\\server\\tmp", win, L"\\\\server\\tmp"},
        {L"C:", L"D:\\tmp", win, L"D:\\tmp"}, // the current directory of drive C
        {L"C:temp", kLongest, win, kLongest},
        {L"\\temp", L"D:\\tmp", win, L"D:\\tmp"}, // the root of the current drive: the media's
        {L".", L"D:\\tmp", win, L"D:\\tmp"},
        // Neither usable: the Windows directory's Temp, never the current directory.
        {L"", L"", win, L"C:\\Windows\\Temp"},
        {L"logs\\velto", L"C:", win, L"C:\\Windows\\Temp"},
        {kTooLong, kTooLong, win, L"C:\\Windows\\Temp"},
        {L"temp", L"tmp", L"D:\\WINNT", L"D:\\WINNT\\Temp"},
        {L"", L"", L"C:\\", L"C:\\Temp"},
        {L"", L"", L"", L"C:\\Windows\\Temp"}, // the Windows directory not read
    };
    for (const DirectoryCase& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.temp) + " " + testing::PrintToString(c.tmp));
        EXPECT_EQ(c.expected, ChooseLogDirectory(c.temp, c.tmp, c.windows));
    }
}

// Sets an environment variable for the life of the object (nullptr: removes it), then restores it.
class EnvironmentScope
{
public:
    EnvironmentScope(const wchar_t* pszName, const wchar_t* pszValue) : m_strName(pszName)
    {
        std::wstring saved(32767, L'\0');
        const DWORD n = ::GetEnvironmentVariableW(pszName, saved.data(), 32767);
        m_bHad = n > 0 && n < 32767;
        m_strSaved.assign(saved.c_str(), m_bHad ? n : 0);
        ::SetEnvironmentVariableW(pszName, pszValue);
    }
    ~EnvironmentScope()
    {
        ::SetEnvironmentVariableW(m_strName.c_str(), m_bHad ? m_strSaved.c_str() : nullptr);
    }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    std::wstring m_strName;
    std::wstring m_strSaved;
    bool m_bHad = false;
};

// The process's own variables and Windows directory, read whole: a TEMP too long for a short
// buffer is seen as too long, not as unset.
TEST(InstallerLogs, DirectoryComesFromThisProcesssVariables)
{
    AfxSetInterfaceLanguage(0x0409);
    wchar_t szWindows[MAX_PATH];
    const std::wstring windowsTemp =
        std::wstring(szWindows, ::GetSystemWindowsDirectoryW(szWindows, MAX_PATH)) + L"\\Temp";
    const std::wstring huge = L"C:\\" + std::wstring(1000, L'a');
    struct VariablesCase
    {
        const wchar_t* temp;
        const wchar_t* tmp;
        std::wstring expected;
    };
    const VariablesCase cases[] = {
        {L"C:\\Users\\x\\Temp", L"D:\\tmp", L"C:\\Users\\x\\Temp"},
        {L"temp", L"D:\\tmp", L"D:\\tmp"},
        {huge.c_str(), L"D:\\tmp", L"D:\\tmp"},
        {kTooLong.c_str(), nullptr, windowsTemp},
        {nullptr, L"\\\\server\\tmp", L"\\\\server\\tmp"},
        {nullptr, nullptr, windowsTemp},
        {L"", L"tmp", windowsTemp},
    };
    for (const VariablesCase& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.temp ? c.temp : L"(unset)").substr(0, 40)));
        EnvironmentScope temp(L"TEMP", c.temp);
        EnvironmentScope tmp(L"TMP", c.tmp);
        EXPECT_EQ(c.expected, InstallerLogDirectory());
    }
}
} // namespace
