// The fourteen languages of the launchpad as plain data, the look-ups in their tables and the
// choice of the interface language. Standard C++ only, so that it also builds natively for the
// fuzz tests (fuzz/); Languages asks Windows for the locales and loads the names.
#pragma once

#include <cstdint>
#include <functional>

constexpr int kLanguageCount = 14;

// One installation language: its display name, its documentation folder on the media
// (Readmes\<folder>, docs\help\<folder>), its code inside the program, whether the media has
// its folder, the name of its installer transform and its Windows language.
struct LanguageRow
{
    unsigned nNameId;
    wchar_t szFolder[10];
    wchar_t chCode;
    std::int32_t nPresent; // set once at start-up by the media scan
    unsigned nTransformId;
    unsigned nLangId;
};

// Maps a Windows language to a language code.
struct LocaleCodeRow
{
    unsigned nLangId;
    std::uint16_t wPrimaryLanguage;
    wchar_t szCode[3];
};

extern LanguageRow LanguageTable[kLanguageCount];
extern const LocaleCodeRow LocaleCodeTable[kLanguageCount];

// First LocaleCodeTable row whose language equals lcid (a Windows locale identifier: the language
// in the low 16 bits, the sort order above) exactly, or -1.
int FindLocaleCodeByLanguage(std::uint32_t lcid);
// First LocaleCodeTable row with this primary language (the low 10 bits of a language), or -1.
int FindLocaleCodeByPrimaryLanguage(std::uint16_t wPrimaryLanguage);
// First LanguageTable row with this code, or -1.
int FindLanguageRowByCode(wchar_t chCode);

// What the choice of the interface language depends on.
struct LocaleInputs
{
    std::uint32_t lcidUser;
    std::uint32_t lcidSystem;
    std::function<bool(std::uint32_t lcid)> isInstalled;
};

// The LocaleCodeTable row of the interface language: the user's language if it is in the table,
// else the system's; else the first row with the user's primary language, if that locale is
// installed; else the same for the system's primary language; else English (row 0). Whether a
// locale is installed is only ever asked about languages of the table.
int ChooseInterfaceLanguage(const LocaleInputs& inputs);
