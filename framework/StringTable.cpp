#include "StringTable.h"

namespace catalogue
{
namespace
{
constexpr std::uint16_t kEnglish = 0x0409;

constexpr std::uint16_t PrimaryLanguage(std::uint16_t language)
{
    return static_cast<std::uint16_t>(language & 0x3FF);
}
} // namespace

bool LocateStringInBlock(const void* pData, std::size_t cbData, unsigned nIndex, BlockEntry& entry)
{
    if (pData == nullptr || nIndex > 15)
        return false;
    const std::size_t nUnits = cbData / sizeof(std::uint16_t);
    std::size_t pos = 0;
    for (unsigned i = 0; i < nIndex; ++i)
    {
        if (pos >= nUnits)
            return false;
        pos += 1 + static_cast<std::size_t>(ReadBlockUnit(pData, pos));
    }
    if (pos >= nUnits)
        return false;
    const std::size_t nLength = ReadBlockUnit(pData, pos);
    if (nLength == 0 || nLength > nUnits - pos - 1)
        return false;
    entry = BlockEntry{pos + 1, nLength};
    return true;
}

std::uint16_t ChooseLanguage(const std::vector<std::uint16_t>& available, std::uint16_t wanted)
{
    for (std::uint16_t lang : available)
        if (lang == wanted)
            return lang;
    for (std::uint16_t lang : available)
        if (PrimaryLanguage(lang) == PrimaryLanguage(wanted))
            return lang;
    for (std::uint16_t lang : available)
        if (lang == kEnglish)
            return lang;
    return 0;
}

std::wstring FormatText(const std::wstring& format, std::initializer_list<std::wstring> args)
{
    std::wstring result;
    result.reserve(format.size());
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i)
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
