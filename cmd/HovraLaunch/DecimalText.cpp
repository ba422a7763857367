#include "DecimalText.h"

std::wstring DecimalText(std::int64_t value)
{
    // Digits from the last, into the end of a buffer that holds the longest: 19 digits and a sign.
    wchar_t szDigits[20];
    wchar_t* p = szDigits + 20;
    // The magnitude as unsigned, so that the most negative value has one too.
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do
    {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = L'-';
    return std::wstring(p, szDigits + 20);
}
