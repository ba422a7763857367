// The choice of the interface language against the documented steps, for any pair of locales and
// any set of installed ones, and the table look-ups against what they promise.
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "LanguageTables.h"

namespace
{
// A locale near the table's now and then (its language, another sort order or sublanguage), so
// that every step of the choice is reached; else any value.
std::uint32_t ConsumeLocale(FuzzedDataProvider& provider)
{
    const auto raw = provider.ConsumeIntegral<std::uint32_t>();
    if (!provider.ConsumeBool())
        return raw;
    const std::uint32_t language = LocaleCodeTable[raw % kLanguageCount].nLangId;
    switch ((raw >> 8) % 3)
    {
    case 0:
        return language;
    case 1:
        return language | (raw & 0xF0000); // another sort order
    default:
        return (language & 0x3FF) | (raw & 0xFC00); // another sublanguage
    }
}

// The row the documented steps give, with installed telling whether a table row's locale is.
int ReferenceChoice(std::uint32_t user, std::uint32_t system, std::uint32_t installedRows)
{
    for (std::uint32_t lcid : {user, system})
        for (int i = 0; i < kLanguageCount; ++i)
            if (LocaleCodeTable[i].nLangId == lcid)
                return i;
    for (std::uint32_t lcid : {user, system})
        for (int i = 0; i < kLanguageCount; ++i)
            if (LocaleCodeTable[i].wPrimaryLanguage == lcid % 1024)
            {
                if (installedRows & (1u << i))
                    return i;
                break; // only the first row of that primary language is considered
            }
    return 0;
}

void CheckLookups(FuzzedDataProvider& provider)
{
    const auto lcid = provider.ConsumeIntegral<std::uint32_t>();
    const int nByLanguage = FindLocaleCodeByLanguage(lcid);
    for (int i = 0; i < kLanguageCount; ++i)
        if (LocaleCodeTable[i].nLangId == lcid)
            FUZZ_CHECK(nByLanguage >= 0 && nByLanguage <= i && LocaleCodeTable[nByLanguage].nLangId == lcid);
    if (nByLanguage < 0)
        FUZZ_CHECK(nByLanguage == -1);

    const auto primary = provider.ConsumeIntegral<std::uint16_t>();
    const int nByPrimary = FindLocaleCodeByPrimaryLanguage(primary);
    for (int i = 0; i < kLanguageCount; ++i)
        if (LocaleCodeTable[i].wPrimaryLanguage == primary)
            FUZZ_CHECK(nByPrimary >= 0 && nByPrimary <= i &&
                       LocaleCodeTable[nByPrimary].wPrimaryLanguage == primary);
    if (nByPrimary < 0)
        FUZZ_CHECK(nByPrimary == -1);

    const auto code = static_cast<wchar_t>(provider.ConsumeBool() ? provider.ConsumeIntegral<std::uint8_t>()
                                                                  : provider.ConsumeIntegral<std::int32_t>());
    const int nByCode = FindLanguageRowByCode(code);
    for (int i = 0; i < kLanguageCount; ++i)
        if (LanguageTable[i].chCode == code)
            FUZZ_CHECK(nByCode >= 0 && nByCode <= i && LanguageTable[nByCode].chCode == code);
    if (nByCode < 0)
        FUZZ_CHECK(nByCode == -1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size)
{
    FuzzedDataProvider provider(pData, size);
    const std::uint32_t user = ConsumeLocale(provider), system = ConsumeLocale(provider);
    const std::uint32_t installedRows = provider.ConsumeIntegral<std::uint16_t>();

    std::vector<std::uint32_t> asked;
    const LocaleInputs inputs{user, system,
                              [&](std::uint32_t lcid)
                              {
                                  asked.push_back(lcid);
                                  const int nRow = FindLocaleCodeByLanguage(lcid);
                                  return nRow >= 0 && (installedRows & (1u << nRow)) != 0;
                              }};
    const int nRow = ChooseInterfaceLanguage(inputs);
    FUZZ_CHECK(nRow >= 0 && nRow < kLanguageCount);
    FUZZ_CHECK(nRow == ReferenceChoice(user, system, installedRows));
    // Asked at most once for each of the two locales, and only about languages of the table.
    FUZZ_CHECK(asked.size() <= 2);
    for (std::uint32_t lcid : asked)
        FUZZ_CHECK(FindLocaleCodeByLanguage(lcid) >= 0);
    if (FindLocaleCodeByLanguage(user) >= 0 || FindLocaleCodeByLanguage(system) >= 0)
        FUZZ_CHECK(asked.empty());

    CheckLookups(provider);
    return 0;
}
