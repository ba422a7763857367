// The decimal parse of registry values against two references: the digits summed in 64-bit
// arithmetic, and the digits compared as text with the largest 32-bit value.
//
// Input: a first byte chooses how wide each character is made (one byte, a 16-bit unit, or a full
// wchar_t, which on Windows cannot occur but must not be taken for a digit either); the text ends
// at the end of the input or at a zero character.
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "LeadingNumber.h"

namespace
{
constexpr std::uint32_t kLargest = std::numeric_limits<std::uint32_t>::max();

std::wstring MakeText(const std::uint8_t* pData, std::size_t size)
{
    const std::size_t nWidth = size == 0 ? 1 : std::size_t{1} << (pData[0] % 3); // 1, 2 or 4 bytes
    std::wstring text;
    for (std::size_t i = 1; i + nWidth <= size; i += nWidth)
    {
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < nWidth; ++b)
            value |= static_cast<std::uint32_t>(pData[i + b]) << (8 * b);
        const auto ch = static_cast<wchar_t>(value);
        if (ch == L'\0')
            break;
        text += ch;
    }
    return text;
}

std::wstring LeadingDigits(const std::wstring& text)
{
    std::size_t n = 0;
    while (n < text.size() && text[n] >= L'0' && text[n] <= L'9')
        ++n;
    return text.substr(0, n);
}

// Digit by digit in 64 bits, stopping once past the 32-bit range.
std::uint32_t ReferenceWide(const std::wstring& digits)
{
    std::uint64_t value = 0;
    for (wchar_t ch : digits)
    {
        value = value * 10 + static_cast<std::uint64_t>(ch - L'0');
        if (value > kLargest)
            return kLargest;
    }
    return static_cast<std::uint32_t>(value);
}

std::wstring WithoutLeadingZeros(const std::wstring& digits)
{
    const std::size_t nFirst = digits.find_first_not_of(L'0');
    return nFirst == std::wstring::npos ? std::wstring() : digits.substr(nFirst);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size)
{
    const std::wstring text = MakeText(pData, size);
    // The text and its terminator alone in an allocation: a read past the terminator is out of
    // bounds.
    std::unique_ptr<wchar_t[]> exact(new wchar_t[text.size() + 1]);
    std::memcpy(exact.get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));

    const std::uint32_t value = ParseLeadingNumber(exact.get());
    const std::wstring digits = LeadingDigits(text);
    FUZZ_CHECK(value == ReferenceWide(digits));

    // As text: without leading zeros, more than ten digits never fit and ten fit unless they sort
    // after the largest value; a value that fits reads back as its digits.
    const std::wstring significant = WithoutLeadingZeros(digits);
    if (significant.size() > 10 || (significant.size() == 10 && significant > L"4294967295"))
        FUZZ_CHECK(value == kLargest);
    else
        FUZZ_CHECK(std::to_wstring(value) == (significant.empty() ? L"0" : significant));
    return 0;
}
