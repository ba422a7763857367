#include <gtest/gtest.h>

#include <string>

#include "ExpectedInstallerParameters.h"
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
} // namespace
