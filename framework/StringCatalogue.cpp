#include "StringCatalogue.h"

#include "WinApp.h"

namespace
{
LANGID g_interfaceLanguage = 0;

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

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

std::wstring AfxFormatString(UINT nId, std::initializer_list<std::wstring> args)
{
    std::wstring format;
    AfxLoadString(nId, format);
    return catalogue::FormatText(format, args);
}

namespace catalogue
{
bool FindStringInBlock(const void* pData, size_t cbData, unsigned nIndex, std::wstring& text)
{
    if (pData == nullptr || nIndex > 15)
        return false;
    const auto* pWords = static_cast<const WCHAR*>(pData);
    const size_t nWords = cbData / sizeof(WCHAR);
    size_t pos = 0;
    for (unsigned i = 0; i < nIndex; ++i)
    {
        if (pos >= nWords)
            return false;
        pos += 1 + static_cast<size_t>(pWords[pos]);
    }
    if (pos >= nWords)
        return false;
    const size_t nLength = pWords[pos];
    if (nLength == 0 || nLength > nWords - pos - 1)
        return false;
    text.assign(pWords + pos + 1, nLength);
    return true;
}

LANGID ChooseLanguage(const std::vector<LANGID>& available, LANGID wanted)
{
    for (LANGID lang : available)
        if (lang == wanted)
            return lang;
    for (LANGID lang : available)
        if (PRIMARYLANGID(lang) == PRIMARYLANGID(wanted))
            return lang;
    for (LANGID lang : available)
        if (lang == kEnglish)
            return lang;
    return 0;
}

std::wstring FormatText(const std::wstring& format, std::initializer_list<std::wstring> args)
{
    std::wstring result;
    result.reserve(format.size());
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i)
    {
        if (format[i] == L'%' && i + 1 < format.size())
        {
            if (format[i + 1] == L'%')
            {
                result += L'%';
                ++i;
                continue;
            }
            if (format[i + 1] == L's' && next != args.end())
            {
                result += *next++;
                ++i;
                continue;
            }
        }
        result += format[i];
    }
    return result;
}
} // namespace catalogue
