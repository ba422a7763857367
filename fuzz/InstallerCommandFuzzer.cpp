// The installer command line taken apart again: each input must be found in its place, the
// property list must come back exactly once its escapes are undone, and the same inputs must give
// the same line. The log timestamp is held to a decimal rendering of its own.
#include <cstdint>
#include <ctime>
#include <cwchar>
#include <string>

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

// Undoes the escaping of the property list: a backslash before a quote goes, and a quote without
// one must not occur. False when it does.
bool Unescape(const std::wstring& escaped, std::wstring& plain)
{
    plain.clear();
    for (std::size_t i = 0; i < escaped.size(); ++i)
    {
        if (escaped[i] == L'"')
            return false;
        if (escaped[i] == L'\\' && i + 1 < escaped.size() && escaped[i + 1] == L'"')
            ++i;
        plain += escaped[i];
    }
    return true;
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
    FUZZ_CHECK(Take(rest, L"/v\""));
    FUZZ_CHECK(!rest.empty() && rest.back() == L'"');
    rest.pop_back();

    std::wstring properties;
    FUZZ_CHECK(Unescape(rest, properties));
    if (!inputs.strCommandTail.empty() && inputs.strCommandTail != L"INSTALL")
        FUZZ_CHECK(Take(properties, inputs.strCommandTail + L" "));
    FUZZ_CHECK(Take(properties, L"/lmicrowaveup \"" + logStem + logEnd + L" "));
    FUZZ_CHECK(Take(properties, L"ZUTCHECKPRODUCTPREREQS=\"\" "));
    const wchar_t* pszAnswer =
        inputs.nNetworkAnswer == 1101 ? L"2" : (inputs.nNetworkAnswer == 1102 ? L"1" : L"0");
    FUZZ_CHECK(Take(properties, std::wstring(L"ZUTNCSEC=") + pszAnswer + L" "));
    FUZZ_CHECK(properties == L"ZUTSHOWWELCOME=0 ");
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

    CheckTimestamp(provider);
    return 0;
}
