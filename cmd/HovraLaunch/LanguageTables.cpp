#include "LanguageTables.h"

LanguageRow LanguageTable[kLanguageCount] = {
    {110, L"en_us", L'A', 0, 120, 0x0409}, {111, L"fr_fr", L'F', 0, 121, 0x040C},
    {112, L"de_de", L'G', 0, 122, 0x0407}, {113, L"it_it", L'I', 0, 123, 0x0410},
    {114, L"ja_jp", L'J', 0, 124, 0x0411}, {115, L"ko_kr", L'K', 0, 125, 0x0412},
    {116, L"pt_br", L'B', 0, 126, 0x0416}, {119, L"zh_tw", L'T', 0, 129, 0x0404},
    {118, L"es_es", L'S', 0, 128, 0x040A}, {117, L"zh_cn", L'Z', 0, 127, 0x0804},
    {500, L"hu_hu", L'H', 0, 504, 0x040E}, {501, L"ru_ru", L'R', 0, 505, 0x0419},
    {502, L"pl_pl", L'P', 0, 506, 0x0415}, {503, L"cs_cz", L'C', 0, 507, 0x0405},
};

const LocaleCodeRow LocaleCodeTable[kLanguageCount] = {
    {0x0409, 9, L"A"},  {0x040C, 12, L"F"}, {0x0407, 7, L"G"},  {0x0410, 16, L"I"}, {0x0411, 17, L"J"},
    {0x0412, 18, L"K"}, {0x0416, 22, L"B"}, {0x0804, 4, L"Z"},  {0x040A, 10, L"S"}, {0x0404, 4, L"T"},
    {0x040E, 14, L"H"}, {0x0419, 25, L"R"}, {0x0415, 21, L"P"}, {0x0405, 5, L"C"},
};

int FindLocaleCodeByLanguage(std::uint32_t lcid)
{
    for (int i = 0; i < kLanguageCount; ++i)
        if (LocaleCodeTable[i].nLangId == lcid)
            return i;
    return -1;
}

int FindLocaleCodeByPrimaryLanguage(std::uint16_t wPrimaryLanguage)
{
    for (int i = 0; i < kLanguageCount; ++i)
        if (LocaleCodeTable[i].wPrimaryLanguage == wPrimaryLanguage)
            return i;
    return -1;
}

int FindLanguageRowByCode(wchar_t chCode)
{
    for (int i = 0; i < kLanguageCount; ++i)
        if (LanguageTable[i].chCode == chCode)
            return i;
    return -1;
}

int ChooseInterfaceLanguage(const LocaleInputs& inputs)
{
    int nRow = FindLocaleCodeByLanguage(inputs.lcidUser);
    if (nRow < 0)
        nRow = FindLocaleCodeByLanguage(inputs.lcidSystem);
    for (std::uint32_t lcid : {inputs.lcidUser, inputs.lcidSystem})
    {
        if (nRow >= 0)
            break;
        const int nCandidate = FindLocaleCodeByPrimaryLanguage(static_cast<std::uint16_t>(lcid & 0x3FF));
        if (nCandidate >= 0 && inputs.isInstalled(LocaleCodeTable[nCandidate].nLangId))
            nRow = nCandidate;
    }
    return nRow >= 0 ? nRow : 0;
}
