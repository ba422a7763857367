#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "ExpectedInstallerParameters.h"
#include "InstallerCommandLine.h"
#include "StringCatalogue.h"

namespace
{
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
} // namespace
