#include "LanguageTables.h"

#include "resource.h"

LanguageRow LanguageTable[kLanguageCount] = {
    {IDS_LANGUAGE_ENGLISH, L"en_us", L'A', 0, IDS_TRANSFORM_ENGLISH, 0x0409},
    {IDS_LANGUAGE_FRENCH, L"fr_fr", L'F', 0, IDS_TRANSFORM_FRENCH, 0x040C},
    {IDS_LANGUAGE_GERMAN, L"de_de", L'G', 0, IDS_TRANSFORM_GERMAN, 0x0407},
    {IDS_LANGUAGE_ITALIAN, L"it_it", L'I', 0, IDS_TRANSFORM_ITALIAN, 0x0410},
    {IDS_LANGUAGE_JAPANESE, L"ja_jp", L'J', 0, IDS_TRANSFORM_JAPANESE, 0x0411},
    {IDS_LANGUAGE_KOREAN, L"ko_kr", L'K', 0, IDS_TRANSFORM_KOREAN, 0x0412},
    {IDS_LANGUAGE_PORTUGUESE_BRAZILIAN, L"pt_br", L'B', 0, IDS_TRANSFORM_PORTUGUESE_BRAZILIAN, 0x0416},
    {IDS_LANGUAGE_CHINESE_TRADITIONAL, L"zh_tw", L'T', 0, IDS_TRANSFORM_CHINESE_TRADITIONAL, 0x0404},
    {IDS_LANGUAGE_SPANISH, L"es_es", L'S', 0, IDS_TRANSFORM_SPANISH, 0x040A},
    {IDS_LANGUAGE_CHINESE_SIMPLIFIED, L"zh_cn", L'Z', 0, IDS_TRANSFORM_CHINESE_SIMPLIFIED, 0x0804},
    {IDS_LANGUAGE_HUNGARIAN, L"hu_hu", L'H', 0, IDS_TRANSFORM_HUNGARIAN, 0x040E},
    {IDS_LANGUAGE_RUSSIAN, L"ru_ru", L'R', 0, IDS_TRANSFORM_RUSSIAN, 0x0419},
    {IDS_LANGUAGE_POLISH, L"pl_pl", L'P', 0, IDS_TRANSFORM_POLISH, 0x0415},
    {IDS_LANGUAGE_CZECH, L"cs_cz", L'C', 0, IDS_TRANSFORM_CZECH, 0x0405},
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
