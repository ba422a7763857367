// The fourteen languages of the launchpad and the choice of the interface language: the tables
// and the choice itself are in LanguageTables; this side asks Windows and loads the texts.
#pragma once

#include <windows.h>
#include <string>

#include "LanguageTables.h"

std::wstring LanguageName(int nRow);
std::wstring LanguageTransform(int nRow);

// Chooses the interface language from this machine's locales, makes it the thread locale and
// the language of every text loaded from now on, and returns its code.
wchar_t SelectInterfaceLanguage();
