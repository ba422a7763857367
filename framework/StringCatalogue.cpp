#include "StringCatalogue.h"

#include "WinApp.h"

#include <type_traits>
#include <vector>

namespace
{
LANGID g_interfaceLanguage = 0;

static_assert(std::is_same_v<LANGID, std::uint16_t>, "catalogue::ChooseLanguage takes LANGIDs as they are");

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam)
{
    reinterpret_cast<std::vector<LANGID>*>(lParam)->push_back(wLanguage);
    return TRUE;
}

// The data of string block nBlock in the table that serves the interface language.
bool FindBlock(UINT nBlock, const void*& pData, size_t& cbData)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    LPCWSTR pszBlock = MAKEINTRESOURCEW(nBlock);
    std::vector<LANGID> languages;
    ::EnumResourceLanguagesW(hInstance, RT_STRING, pszBlock, &CollectLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
    const LANGID langId = catalogue::ChooseLanguage(languages, AfxGetInterfaceLanguage());
    if (langId == 0)
        return false;
    HRSRC hResource = ::FindResourceExW(hInstance, RT_STRING, pszBlock, langId);
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    pData = hData != nullptr ? ::LockResource(hData) : nullptr;
    cbData = pData != nullptr ? ::SizeofResource(hInstance, hResource) : 0;
    return pData != nullptr;
}
} // namespace

void AfxSetInterfaceLanguage(LANGID langId)
{
    g_interfaceLanguage = langId;
}

LANGID AfxGetInterfaceLanguage()
{
    if (g_interfaceLanguage == 0)
        g_interfaceLanguage = LANGIDFROMLCID(::GetThreadLocale());
    return g_interfaceLanguage;
}

bool AfxLoadString(UINT nId, std::wstring& text)
{
    const void* pData = nullptr;
    size_t cbData = 0;
    if (nId > 0xFFFF || !FindBlock(nId / 16 + 1, pData, cbData))
        return false;
    return catalogue::FindStringInBlock(pData, cbData, nId % 16, text);
}

std::wstring AfxLoadText(UINT nId)
{
    std::wstring text;
    AfxLoadString(nId, text);
    return text;
}

std::wstring AfxFormatString(UINT nId, std::initializer_list<std::wstring> args)
{
    return catalogue::FormatText(AfxLoadText(nId), args);
}
