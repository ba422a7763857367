#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "InstallerCommandLine.h"
#include "StringCatalogue.h"

namespace
{
struct CommandCase
{
    const char* name;
    const wchar_t* mediaRoot;
    INT32 language;
    INT32 network;
    const wchar_t* tail;
    const wchar_t* program;
    const wchar_t* parameters;
};

class InstallerCommandLine : public testing::TestWithParam<CommandCase>
{
protected:
    void SetUp() override { AfxSetInterfaceLanguage(0x0409); }
};

TEST_P(InstallerCommandLine, IsBuiltToTheCharacter)
{
    const CommandCase& c = GetParam();
    InstallerLaunchInputs inputs;
    inputs.strMediaRoot = c.mediaRoot;
    inputs.strTempDirectory = L"C:\\Temp";
    inputs.strTimestamp = L"2024-03-05T14-07-09";
    inputs.nLanguageId = c.language;
    inputs.nNetworkAnswer = c.network;
    inputs.strCommandTail = c.tail;
    const InstallerCommand command = BuildInstallerCommand(inputs);
    EXPECT_EQ(std::wstring(c.program), command.strProgram);
    EXPECT_EQ(std::wstring(c.parameters), command.strParameters);
}

#define LOGS_SETUP    L"/i /debuglog\"C:\\Temp\\Veltov93_Install_IS2024-03-05T14-07-09.log\" "
#define LOG_INSTALLER L"/lmicrowaveup \\\"C:\\Temp\\Veltov93_Install_2024-03-05T14-07-09.log\\\" "
#define CONSTANT      L"ZUTCHECKPRODUCTPREREQS=\\\"\\\" "

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallerCommandLine,
    testing::Values(
        // The worked example: E:\media, German, network answer No, no arguments.
        CommandCase{"GermanNo", L"E:\\media", 1031, 1102, L"", L"E:\\media\\MSI\\setup.exe",
                    L"/i /debuglog\"C:\\Temp\\Veltov93_Install_IS2024-03-05T14-07-09.log\" /L1031 "
                    L"/v\"/lmicrowaveup \\\"C:\\Temp\\Veltov93_Install_2024-03-05T14-07-09.log\\\" "
                    L"ZUTCHECKPRODUCTPREREQS=\\\"\\\" ZUTNCSEC=1 ZUTSHOWWELCOME=0 \""},
        CommandCase{"Yes", L"E:\\media", 1033, 1101, L"", L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1033 /v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=2 ZUTSHOWWELCOME=0 \""},
        CommandCase{"DontKnow", L"E:\\media", 1033, 1103, L"", L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1033 /v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=0 ZUTSHOWWELCOME=0 \""},
        CommandCase{"PanelNeverVisited", L"E:\\media", 1033, 0, L"", L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1033 /v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=0 ZUTSHOWWELCOME=0 \""},
        // No language chosen: no /L switch at all.
        CommandCase{"NoLanguage", L"E:\\media", -1, 1102, L"", L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=1 ZUTSHOWWELCOME=0 \""},
        CommandCase{"SpanishIs1034", L"E:\\media", 1034, 1103, L"", L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1034 /v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=0 ZUTSHOWWELCOME=0 \""},
        // The arguments: passed through unless exactly INSTALL; their quotes escaped.
        CommandCase{"TailInstall", L"E:\\media", 1033, 1102, L"INSTALL", L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1033 /v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=1 ZUTSHOWWELCOME=0 \""},
        CommandCase{
            "TailLowerInstall", L"E:\\media", 1033, 1102, L"install", L"E:\\media\\MSI\\setup.exe",
            LOGS_SETUP L"/L1033 /v\"install " LOG_INSTALLER CONSTANT L"ZUTNCSEC=1 ZUTSHOWWELCOME=0 \""},
        CommandCase{"TailAddLocal", L"E:\\media", 1031, 1102, L"ADDLOCAL=Server",
                    L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1031 /v\"ADDLOCAL=Server " LOG_INSTALLER
                        CONSTANT L"ZUTNCSEC=1 ZUTSHOWWELCOME=0 \""},
        CommandCase{
            "TailWithQuotes", L"E:\\media", 1033, 1101, L"INSTALLDIR=\"C:\\Program Files\\Velto\\\" X=1",
            L"E:\\media\\MSI\\setup.exe",
            LOGS_SETUP L"/L1033 /v\"INSTALLDIR=\\\"C:\\Program Files\\Velto\\\\\\\" X=1 " LOG_INSTALLER
                CONSTANT L"ZUTNCSEC=2 ZUTSHOWWELCOME=0 \""},
        // A media root at a drive root keeps both backslashes.
        CommandCase{"DriveRoot", L"D:\\", 1033, 1103, L"", L"D:\\\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1033 /v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=0 ZUTSHOWWELCOME=0 \""}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

// The launchpad's arguments as they stand in the property list: each run of backslashes right
// before a quote doubled, then the quote escaped; every other backslash as it was.
struct TailCase
{
    const wchar_t* tail;
    const wchar_t* escaped;
};

const TailCase kTails[] = {
    {L"INSTALLDIR=\"C:\\Program Files\\Velto\\\"", L"INSTALLDIR=\\\"C:\\Program Files\\Velto\\\\\\\""},
    {L"A=\"x\\\\\" B=1", L"A=\\\"x\\\\\\\\\\\" B=1"}, // two before a quote: four and the escape
    {L"NOTE=\\\"x\\\"", L"NOTE=\\\\\\\"x\\\\\\\""},   // an escaped quote stays one quote
    {L"\"\"", L"\\\"\\\""},                           // an empty value
    {L"\\\\server\\share\\ X=a\\\\b", L"\\\\server\\share\\ X=a\\\\b"}, // not before a quote: as is
    {L"DIR=C:\\Velto\\", L"DIR=C:\\Velto\\"},                           // at the end, before the blank: as is
    {L"A=\"1\" B=\"\\\\srv\\d\\\\\"", L"A=\\\"1\\\" B=\\\"\\\\srv\\d\\\\\\\\\\\""},
};

InstallerCommand CommandWithTail(const wchar_t* pszTail)
{
    InstallerLaunchInputs inputs;
    inputs.strMediaRoot = L"E:\\media";
    inputs.strTempDirectory = L"C:\\Temp";
    inputs.strTimestamp = L"2024-03-05T14-07-09";
    inputs.nLanguageId = 1033;
    inputs.nNetworkAnswer = 1102;
    inputs.strCommandTail = pszTail;
    return BuildInstallerCommand(inputs);
}

TEST(InstallerProperties, BackslashesBeforeAQuoteAreDoubledAndNoOthers)
{
    AfxSetInterfaceLanguage(0x0409);
    for (const TailCase& c : kTails)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tail)));
        EXPECT_EQ(LOGS_SETUP L"/L1033 /v\"" + std::wstring(c.escaped) +
                      L" " LOG_INSTALLER CONSTANT L"ZUTNCSEC=1 ZUTSHOWWELCOME=0 \"",
                  CommandWithTail(c.tail).strParameters);
    }
}

// The setup program reads its command line with the system's own rules: the /v argument it gets
// is the property list as meant, quotes and backslashes in place, and nothing spills over into
// further arguments.
TEST(InstallerProperties, TheSystemsParserReadsThePropertyListBackAsMeant)
{
    AfxSetInterfaceLanguage(0x0409);
    for (const TailCase& c : kTails)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tail)));
        const InstallerCommand command = CommandWithTail(c.tail);
        const std::wstring line = L"\"" + command.strProgram + L"\" " + command.strParameters;
        int nArgs = 0;
        LPWSTR* ppArgs = ::CommandLineToArgvW(line.c_str(), &nArgs);
        ASSERT_NE(nullptr, ppArgs);
        const std::vector<std::wstring> args(ppArgs, ppArgs + nArgs);
        ::LocalFree(ppArgs);
        const std::vector<std::wstring> expected = {
            L"E:\\media\\MSI\\setup.exe", L"/i",
            L"/debuglogC:\\Temp\\Veltov93_Install_IS2024-03-05T14-07-09.log", L"/L1033",
            L"/v" + std::wstring(c.tail) +
                L" /lmicrowaveup \"C:\\Temp\\Veltov93_Install_2024-03-05T14-07-09.log\" "
                L"ZUTCHECKPRODUCTPREREQS=\"\" ZUTNCSEC=1 ZUTSHOWWELCOME=0 "};
        EXPECT_EQ(expected, args);
    }
}

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
