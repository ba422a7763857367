// The installer command line taken apart again: each input must be found in its place, the
// property list must come back exactly as Windows' command-line rules read the line, and the same
// inputs must give the same line. The log timestamp is held to a decimal rendering of its own.
#include <cstdint>
#include <ctime>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "InstallerCommandText.h"

namespace
{
// Removes the expected text from the front of rest; false when rest does not start with it.
bool Take(std::wstring& rest, const std::wstring& expected)
{
    if (rest.compare(0, expected.size(), expected) != 0)
        return false;
    rest.erase(0, expected.size());
    return true;
}

// The arguments Windows' command-line rules (the C runtime's and CommandLineToArgvW's) read from
// a text that follows the program name: blanks and tabs outside quotes separate arguments; 2n
// backslashes and a quote give n backslashes and open or close a quoted part; 2n+1 backslashes and
// a quote give n backslashes and a literal quote; backslashes before anything else stay as they
// are. (The rules for two quotes in a row inside a quoted part are left out: the command line
// never has an unescaped quote inside its property list.)
std::vector<std::wstring> WindowsArguments(const std::wstring& line)
{
    std::vector<std::wstring> args;
    std::wstring arg;
    bool bInArgument = false;
    bool bQuoted = false;
    for (std::size_t i = 0; i < line.size();)
    {
        if ((line[i] == L' ' || line[i] == L'\t') && !bQuoted)
        {
            if (bInArgument)
                args.push_back(arg);
            arg.clear();
            bInArgument = false;
            ++i;
            continue;
        }
        bInArgument = true;
        std::size_t nBackslashes = 0;
        while (i < line.size() && line[i] == L'\\')
            ++nBackslashes, ++i;
        if (i < line.size() && line[i] == L'"')
        {
            arg.append(nBackslashes / 2, L'\\');
            if (nBackslashes % 2 == 1)
                arg += L'"';
            else
                bQuoted = !bQuoted;
            ++i;
        }
        else if (nBackslashes > 0)
        {
            arg.append(nBackslashes, L'\\');
        }
        else
        {
            arg += line[i++];
        }
    }
    if (bInArgument)
        args.push_back(arg);
    return args;
}

void CheckCommand(const InstallerLaunchInputs& inputs, const InstallerLogTexts& texts)
{
    const InstallerCommand command = BuildInstallerCommand(inputs, texts);
    const InstallerCommand again = BuildInstallerCommand(inputs, texts);
    FUZZ_CHECK(command.strProgram == again.strProgram && command.strParameters == again.strParameters);
    FUZZ_CHECK(command.strProgram == inputs.strMediaRoot + L"\\MSI\\setup.exe");

    std::wstring rest = command.strParameters;
    const std::wstring logStem = inputs.strTempDirectory + L"\\" + texts.strPrefix;
    const std::wstring logEnd = inputs.strTimestamp + texts.strExtension + L"\"";
    FUZZ_CHECK(Take(rest, L"/i /debuglog\"" + logStem + L"IS" + logEnd + L" "));
    if (inputs.nLanguageId >= 0)
    {
        FUZZ_CHECK(Take(rest, L"/L"));
        const std::size_t nDigits = rest.find(L' ');
        FUZZ_CHECK(nDigits != std::wstring::npos && nDigits > 0 && nDigits <= 10);
        FUZZ_CHECK(rest.find_first_not_of(L"0123456789") == nDigits);
        FUZZ_CHECK(std::wcstol(rest.c_str(), nullptr, 10) == inputs.nLanguageId);
        FUZZ_CHECK(nDigits == 1 || rest[0] != L'0');
        rest.erase(0, nDigits + 1);
    }
    // From /v on, Windows' rules must read one argument: /v and the property list as meant.
    FUZZ_CHECK(rest.compare(0, 3, L"/v\"") == 0);
    const std::vector<std::wstring> vArgument = WindowsArguments(rest);
    FUZZ_CHECK(vArgument.size() == 1 && vArgument[0].compare(0, 2, L"/v") == 0);
    std::wstring properties = vArgument[0].substr(2);
    if (!inputs.strCommandTail.empty() && inputs.strCommandTail != L"INSTALL")
        FUZZ_CHECK(Take(properties, inputs.strCommandTail + L" "));
    FUZZ_CHECK(Take(properties, L"/lmicrowaveup \"" + logStem + logEnd + L" "));
    FUZZ_CHECK(Take(properties, L"ZUTCHECKPRODUCTPREREQS=\"\" "));
    const wchar_t* pszAnswer =
        inputs.nNetworkAnswer == 1101 ? L"2" : (inputs.nNetworkAnswer == 1102 ? L"1" : L"0");
    FUZZ_CHECK(Take(properties, std::wstring(L"ZUTNCSEC=") + pszAnswer + L" "));
    FUZZ_CHECK(properties == L"ZUTSHOWWELCOME=0 ");

    // With log names such as Windows paths are (no quote in them, no backslash at the end), the
    // whole line reads as the setup program's switches and that one /v argument.
    const std::wstring logName = inputs.strTimestamp + texts.strExtension;
    const std::wstring unquoted = logStem + logName;
    if (unquoted.find(L'"') == std::wstring::npos && (logName.empty() || logName.back() != L'\\'))
    {
        std::vector<std::wstring> expected = {L"/i", L"/debuglog" + logStem + L"IS" + logName};
        if (inputs.nLanguageId >= 0)
            expected.push_back(L"/L" + std::to_wstring(inputs.nLanguageId));
        expected.push_back(vArgument[0]);
        FUZZ_CHECK(WindowsArguments(command.strParameters) == expected);
    }
}

// Whatever the variables and the Windows directory hold, the logs go to a full path, a drive's or
// a share's: TEMP or TMP as they are, or a Temp folder.
void CheckLogDirectory(FuzzedDataProvider& provider)
{
    const std::wstring temp = ConsumeText(provider, 300);
    const std::wstring tmp = ConsumeText(provider, 300);
    const std::wstring windows = ConsumeText(provider);
    const std::wstring directory = ChooseLogDirectory(temp, tmp, windows);
    const bool bDrive =
        directory.size() >= 3 && std::iswalpha(directory[0]) && directory[1] == L':' && directory[2] == L'\\';
    FUZZ_CHECK(bDrive || directory.compare(0, 2, L"\\\\") == 0);
    FUZZ_CHECK(directory.size() < 256 || directory == windows + L"\\Temp");
    FUZZ_CHECK(directory == temp || directory == tmp ||
               (directory.size() >= 5 && directory.compare(directory.size() - 5, 5, L"\\Temp") == 0));
}

void CheckTimestamp(FuzzedDataProvider& provider)
{
    std::tm t{};
    t.tm_year = provider.ConsumeIntegralInRange(1000, 9999) - 1900;
    t.tm_mon = provider.ConsumeIntegralInRange(0, 11);
    t.tm_mday = provider.ConsumeIntegralInRange(1, 31);
    t.tm_hour = provider.ConsumeIntegralInRange(0, 23);
    t.tm_min = provider.ConsumeIntegralInRange(0, 59);
    t.tm_sec = provider.ConsumeIntegralInRange(0, 60);
    t.tm_wday = provider.ConsumeIntegralInRange(0, 6);
    t.tm_yday = provider.ConsumeIntegralInRange(0, 365);
    t.tm_isdst = provider.ConsumeIntegralInRange(-1, 1);
    wchar_t szExpected[32];
    std::swprintf(szExpected, 32, L"%04d-%02d-%02dT%02d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    const std::wstring timestamp = MakeLogTimestamp(t);
    FUZZ_CHECK(timestamp == szExpected);
    FUZZ_CHECK(timestamp.size() == 19 && timestamp.find(L':') == std::wstring::npos);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size)
{
    FuzzedDataProvider provider(pData, size);
    InstallerLaunchInputs inputs;
    InstallerLogTexts texts;
    inputs.strMediaRoot = ConsumeText(provider);
    inputs.strTempDirectory = ConsumeText(provider);
    inputs.strTimestamp = ConsumeText(provider, 24);
    inputs.strCommandTail = provider.ConsumeBool() ? std::wstring(L"INSTALL") : ConsumeText(provider);
    texts.strPrefix = ConsumeText(provider, 24);
    texts.strExtension = ConsumeText(provider, 8);
    inputs.nLanguageId = provider.ConsumeIntegral<std::int32_t>();
    switch (provider.ConsumeIntegralInRange(0, 2))
    {
    case 0:
        inputs.nNetworkAnswer = 1101;
        break;
    case 1:
        inputs.nNetworkAnswer = 1102;
        break;
    default:
        inputs.nNetworkAnswer = provider.ConsumeIntegral<std::int32_t>();
        break;
    }
    CheckCommand(inputs, texts);

    const std::wstring package = ConsumeText(provider, 24);
    FUZZ_CHECK(InstallerPackagePath(inputs.strMediaRoot, package) ==
               inputs.strMediaRoot + L"\\MSI\\" + package);

    CheckLogDirectory(provider);
    CheckTimestamp(provider);
    return 0;
}
