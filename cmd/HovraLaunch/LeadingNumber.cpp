#include "LeadingNumber.h"

#include <limits>

std::uint32_t ParseLeadingNumber(const wchar_t* pszText)
{
    constexpr std::uint32_t kLargest = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t value = 0;
    for (const wchar_t* p = pszText; *p >= L'0' && *p <= L'9'; ++p)
    {
        const auto digit = static_cast<std::uint32_t>(*p - L'0');
        if (value > (kLargest - digit) / 10)
            return kLargest;
        value = value * 10 + digit;
    }
    return value;
}
