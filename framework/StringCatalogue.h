// Texts by identifier from the program's string tables, in the interface language.
//
// A text n lives in string block n / 16 + 1 at position n % 16. The block is taken from the table
// of the interface language; when the program has none in that language, from the table of the
// same primary language (Spanish asked as 0x040A finds the table stored as 0x0C0A); else from the
// English one (0x0409). The block is looked up with an explicit language, so the choice is the
// same on every Windows, whatever the thread's user-interface language.
#pragma once

#include <windows.h>
#include <initializer_list>
#include <string>

#include "StringTable.h" // the block walk, the choice of language and the formatting

// Until the program chooses, the interface language is that of the thread locale the process
// started with.
void AfxSetInterfaceLanguage(LANGID langId);
LANGID AfxGetInterfaceLanguage();

// Replaces text with string nId and returns true; on failure (no table, no block, an empty
// entry) returns false and leaves text unchanged.
bool AfxLoadString(UINT nId, std::wstring& text);

// String nId itself; empty when it cannot be loaded.
std::wstring AfxLoadText(UINT nId);

// Loads string nId and replaces each "%s" in it with the next argument, in order ("%%" gives
// "%"). Other "%" sequences and "%s" beyond the arguments are kept as they stand, so a text can
// never make the program read arguments it was not given.
std::wstring AfxFormatString(UINT nId, std::initializer_list<std::wstring> args);
