#include "hovra_stdafx.h"

#include "Languages.h"

#include <type_traits>

// The tables hold Windows types as they are.
static_assert(std::is_same_v<WORD, std::uint16_t> && std::is_same_v<UINT, unsigned> &&
              std::is_same_v<INT32, std::int32_t> && sizeof(LCID) == sizeof(std::uint32_t));

std::wstring LanguageName(int nRow)
{
    return AfxLoadText(LanguageTable[nRow].nNameId);
}

std::wstring LanguageTransform(int nRow)
{
    return AfxLoadText(LanguageTable[nRow].nTransformId);
}

namespace
{
bool IsInstalledLocale(LCID lcid)
{
    return ::IsValidLocale(lcid, LCID_INSTALLED) != FALSE;
}
} // namespace

wchar_t SelectInterfaceLanguage()
{
    const LocaleInputs inputs{::GetUserDefaultLCID(), ::GetSystemDefaultLCID(), &IsInstalledLocale};
    const LocaleCodeRow& row = LocaleCodeTable[ChooseInterfaceLanguage(inputs)];
    ::SetThreadLocale(row.nLangId);
    AfxSetInterfaceLanguage(static_cast<LANGID>(row.nLangId));
    return row.szCode[0];
}
