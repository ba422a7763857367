#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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
        CommandCase{"TailWithQuotes", L"E:\\media", 1033, 1101,
                    L"INSTALLDIR=\"C:\\Program Files\\Velto\\\" X=1", L"E:\\media\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1033 /v\"INSTALLDIR=\\\"C:\\Program Files\\Velto\\\\\" X=1 " LOG_INSTALLER
                        CONSTANT L"ZUTNCSEC=2 ZUTSHOWWELCOME=0 \""},
        // A media root at a drive root keeps both backslashes.
        CommandCase{"DriveRoot", L"D:\\", 1033, 1103, L"", L"D:\\\\MSI\\setup.exe",
                    LOGS_SETUP L"/L1033 /v\"" LOG_INSTALLER CONSTANT L"ZUTNCSEC=0 ZUTSHOWWELCOME=0 \""}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

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

TEST(InstallerLogs, PackageAndDirectory)
{
    AfxSetInterfaceLanguage(0x0409);
    EXPECT_EQ(L"E:\\media\\MSI\\Corvane Velto.msi", InstallerPackagePath(L"E:\\media"));
    EXPECT_EQ(L"D:\\\\MSI\\Corvane Velto.msi", InstallerPackagePath(L"D:\\"));

    wchar_t szSaved[32768] = L"";
    const bool bHadTemp = ::GetEnvironmentVariableW(L"TEMP", szSaved, 32768) > 0;
    wchar_t szSystem[MAX_PATH + 1];
    std::wstring system(szSystem, ::GetTempPathW(MAX_PATH + 1, szSystem));
    system.pop_back(); // without its trailing backslash

    ::SetEnvironmentVariableW(L"TEMP", L"C:\\Users\\x\\Temp");
    EXPECT_EQ(L"C:\\Users\\x\\Temp", InstallerLogDirectory());
    const std::wstring longest = L"C:\\" + std::wstring(252, L'a'); // 255 characters
    ::SetEnvironmentVariableW(L"TEMP", longest.c_str());
    EXPECT_EQ(longest, InstallerLogDirectory());
    ::SetEnvironmentVariableW(L"TEMP", L"\\\\server\\share\\temp");
    EXPECT_EQ(L"\\\\server\\share\\temp", InstallerLogDirectory());
    // Too long for the buffer, empty, relative (it would put the logs on the media), or unset:
    // the system's temporary directory, never no directory.
    for (const std::wstring& unusable :
         {longest + L"a", std::wstring(L""), std::wstring(L"temp"), std::wstring(L"logs\\velto"),
          std::wstring(L"C:temp"), std::wstring(L"\\temp")})
    {
        ::SetEnvironmentVariableW(L"TEMP", unusable.c_str());
        const std::wstring directory = InstallerLogDirectory();
        EXPECT_NE(unusable, directory);
        EXPECT_FALSE(directory.empty());
        EXPECT_NE(L'\\', directory.back());
    }
    ::SetEnvironmentVariableW(L"TEMP", nullptr);
    EXPECT_FALSE(InstallerLogDirectory().empty());
    EXPECT_NE(L'\\', InstallerLogDirectory().back());

    ::SetEnvironmentVariableW(L"TEMP", bHadTemp ? szSaved : nullptr);
}
} // namespace
