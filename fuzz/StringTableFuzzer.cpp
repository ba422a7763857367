// The string-table logic against references written over copies: the block walk (with the block
// in an allocation of exactly its size, aligned and not), the choice of a table's language and the
// filling of "%s" places.
//
// Input: a first byte chooses what is fuzzed, the rest is the block (after a byte with the entry's
// index) or the material for the language choice or the text.
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "StringTable.h"

namespace
{
static_assert(std::endian::native == std::endian::little, "the references read little-endian units");

// The entries of a block, read from a copy with checked access: each complete entry in order, up
// to the first that does not fit in the data.
std::vector<std::u16string> ReferenceEntries(const std::uint8_t* pBytes, std::size_t cb)
{
    std::vector<std::uint16_t> units;
    for (std::size_t i = 0; i + 1 < cb; i += 2)
        units.push_back(static_cast<std::uint16_t>(pBytes[i] | pBytes[i + 1] << 8));
    std::vector<std::u16string> entries;
    std::size_t pos = 0;
    while (entries.size() < 16 && pos < units.size())
    {
        const std::size_t nLength = units.at(pos);
        if (nLength > units.size() - pos - 1)
            break;
        entries.emplace_back(units.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                             units.begin() + static_cast<std::ptrdiff_t>(pos + 1 + nLength));
        pos += 1 + nLength;
    }
    return entries;
}

template <class Char>
void CheckFind(const void* pBlock, std::size_t cb, unsigned nIndex,
               const std::vector<std::u16string>& entries)
{
    const std::basic_string<Char> sentinel(3, static_cast<Char>('?'));
    std::basic_string<Char> text = sentinel;
    const bool bFound = catalogue::FindStringInBlock(pBlock, cb, nIndex, text);
    const bool bExpected = nIndex < entries.size() && !entries[nIndex].empty();
    FUZZ_CHECK(bFound == bExpected);
    if (!bFound)
    {
        FUZZ_CHECK(text == sentinel);
        return;
    }
    const std::u16string& expected = entries[nIndex];
    FUZZ_CHECK(text.size() == expected.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        FUZZ_CHECK(static_cast<std::uint32_t>(text[i]) == expected[i]); // no sign extension either
}

void FuzzBlock(const std::uint8_t* pData, std::size_t size)
{
    if (size == 0)
        return;
    const unsigned nIndex = pData[0] < 224 ? pData[0] % 17 : pData[0]; // mostly 0..16, now and then more
    const std::uint8_t* pBytes = pData + 1;
    const std::size_t cb = size - 1;
    const std::vector<std::u16string> entries = ReferenceEntries(pBytes, cb);

    // The block alone in an allocation of its size: any read past it is out of bounds.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[cb]);
    std::memcpy(exact.get(), pBytes, cb);
    CheckFind<char16_t>(exact.get(), cb, nIndex, entries);
    CheckFind<wchar_t>(exact.get(), cb, nIndex, entries);
    // The same at an odd address, ending where its allocation ends.
    std::unique_ptr<std::uint8_t[]> shifted(new std::uint8_t[cb + 1]);
    std::memcpy(shifted.get() + 1, pBytes, cb);
    CheckFind<char16_t>(shifted.get() + 1, cb, nIndex, entries);

    catalogue::BlockEntry entry{};
    if (catalogue::LocateStringInBlock(exact.get(), cb, nIndex, entry))
        FUZZ_CHECK(entry.nLength > 0 && entry.nFirst >= 1 && entry.nFirst + entry.nLength <= cb / 2);
    std::u16string text;
    FUZZ_CHECK(!catalogue::FindStringInBlock(nullptr, cb, nIndex, text));
}

void FuzzLanguageChoice(FuzzedDataProvider& provider)
{
    const auto wanted = provider.ConsumeIntegral<std::uint16_t>();
    std::vector<std::uint16_t> available;
    while (available.size() < 32 && provider.remaining_bytes() >= 2)
        available.push_back(provider.ConsumeIntegral<std::uint16_t>());

    // The documented steps: the same language, else the first of the same primary language, else
    // English, else none (0).
    std::optional<std::uint16_t> chosen;
    for (std::uint16_t lang : available)
        if (!chosen && lang == wanted)
            chosen = lang;
    for (std::uint16_t lang : available)
        if (!chosen && lang % 1024 == wanted % 1024)
            chosen = lang;
    for (std::uint16_t lang : available)
        if (!chosen && lang == 0x0409)
            chosen = lang;
    const std::uint16_t expected = chosen.value_or(0);
    FUZZ_CHECK(catalogue::ChooseLanguage(available, wanted) == expected);
}

// Fills the text by searching for each '%' in turn, rather than stepping through every character.
std::wstring ReferenceFormat(const std::wstring& format, const std::vector<std::wstring>& args)
{
    std::wstring result;
    std::size_t nNext = 0, from = 0;
    for (;;)
    {
        const std::size_t percent = format.find(L'%', from);
        if (percent == std::wstring::npos)
            return result + format.substr(from);
        result += format.substr(from, percent - from);
        if (percent + 1 == format.size())
            return result + L'%';
        const wchar_t chAfter = format[percent + 1];
        std::size_t nTaken = 2;
        if (chAfter == L'%')
            result += L'%';
        else if (chAfter == L's' && nNext < args.size())
            result += args[nNext++];
        else
        {
            result += L'%'; // kept as written; what follows it is read as text
            nTaken = 1;
        }
        from = percent + nTaken;
    }
}

std::wstring Format(const std::wstring& format, const std::vector<std::wstring>& args)
{
    switch (args.size())
    {
    case 0:
        return catalogue::FormatText(format, {});
    case 1:
        return catalogue::FormatText(format, {args[0]});
    case 2:
        return catalogue::FormatText(format, {args[0], args[1]});
    default:
        return catalogue::FormatText(format, {args[0], args[1], args[2]});
    }
}

void FuzzFormat(FuzzedDataProvider& provider)
{
    std::vector<std::wstring> args(provider.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (std::wstring& arg : args)
        arg = ConsumeText(provider, 8);
    const std::wstring format = ConsumeText(provider, 64);
    const std::wstring result = Format(format, args);
    FUZZ_CHECK(result == ReferenceFormat(format, args));
    std::size_t nArgsSize = 0;
    for (const std::wstring& arg : args)
        nArgsSize += arg.size();
    FUZZ_CHECK(result.size() <= format.size() + nArgsSize);
    if (format.find(L'%') == std::wstring::npos)
        FUZZ_CHECK(result == format);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t size)
{
    if (size == 0)
        return 0;
    FuzzedDataProvider provider(pData + 1, size - 1);
    switch (pData[0] % 3)
    {
    case 0:
        FuzzBlock(pData + 1, size - 1);
        break;
    case 1:
        FuzzLanguageChoice(provider);
        break;
    default:
        FuzzFormat(provider);
        break;
    }
    return 0;
}
