// The fourteen languages of the launchpad and the choice of the interface language.
#pragma once

#include <windows.h>
#include <string>

constexpr int kLanguageCount = 14;

// One installation language: its display name, its documentation folder on the media
// (Readmes\<folder>, docs\help\<folder>), its code inside the program, whether the media has
// its folder, the name of its installer transform and its Windows language.
struct LanguageRow
{
    UINT nNameId;
    wchar_t szFolder[10];
    wchar_t chCode;
    INT32 nPresent; // set once at start-up by the media scan
    UINT nTransformId;
    UINT nLangId;
};

// Maps a Windows language to a language code.
struct LocaleCodeRow
{
    UINT nLangId;
    WORD wPrimaryLanguage;
    wchar_t szCode[3];
};

extern LanguageRow LanguageTable[kLanguageCount];
extern const LocaleCodeRow LocaleCodeTable[kLanguageCount];

// First LocaleCodeTable row whose language equals lcid exactly, or -1.
int FindLocaleCodeByLanguage(LCID lcid);
// First LocaleCodeTable row with this primary language (the low 10 bits of a language), or -1.
int FindLocaleCodeByPrimaryLanguage(WORD wPrimaryLanguage);
// First LanguageTable row with this code, or -1.
int FindLanguageRowByCode(wchar_t chCode);

std::wstring LanguageName(int nRow);
std::wstring LanguageTransform(int nRow);

// What the choice of the interface language depends on.
struct LocaleInputs
{
    LCID lcidUser;
    LCID lcidSystem;
    bool (*pfnIsInstalled)(LCID lcid);
};

// The LocaleCodeTable row of the interface language: the user's language if it is in the table,
// else the system's; else the first row with the user's primary language, if that locale is
// installed; else the same for the system's primary language; else English (row 0).
int ChooseInterfaceLanguage(const LocaleInputs& inputs);

// Chooses the interface language from this machine's locales, makes it the thread locale and
// the language of every text loaded from now on, and returns its code.
wchar_t SelectInterfaceLanguage();
