// The logic of the string tables, over plain bytes and texts: walking a string block, choosing
// which language's table serves a request, and filling a text's "%s" places. Standard C++ only,
// so that it also builds natively for the fuzz tests (fuzz/); StringCatalogue finds the blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace catalogue
{
// Where an entry of a string block lies, in 16-bit units from the start of the block.
struct BlockEntry
{
    std::size_t nFirst;  // the entry's first character
    std::size_t nLength; // its number of characters, never 0
};

// A string block holds 16 entries, each a 16-bit length followed by that many UTF-16 units, in
// the machine's byte order. Finds entry nIndex (0..15) of a block of cbData bytes: false when the
// entry is empty or lies beyond the data (an odd last byte is ignored). Never reads past cbData,
// and the data need not be aligned.
bool LocateStringInBlock(const void* pData, std::size_t cbData, unsigned nIndex, BlockEntry& entry);

// The 16-bit unit at position nUnit of the data.
inline std::uint16_t ReadBlockUnit(const void* pData, std::size_t nUnit)
{
    std::uint16_t unit;
    std::memcpy(&unit, static_cast<const unsigned char*>(pData) + nUnit * sizeof unit, sizeof unit);
    return unit;
}

// The entry at nIndex as text, one character per UTF-16 unit: with a 16-bit wchar_t that is the
// text itself; a wider character type keeps a surrogate pair as two characters. False, and text
// unchanged, when LocateStringInBlock finds no entry.
template <class Char>
bool FindStringInBlock(const void* pData, std::size_t cbData, unsigned nIndex, std::basic_string<Char>& text)
{
    static_assert(std::numeric_limits<Char>::max() >= 0xFFFF, "each character holds a 16-bit unit");
    BlockEntry entry{};
    if (!LocateStringInBlock(pData, cbData, nIndex, entry))
        return false;
    std::basic_string<Char> found(entry.nLength, Char());
    for (std::size_t i = 0; i < entry.nLength; ++i)
        found[i] = static_cast<Char>(ReadBlockUnit(pData, entry.nFirst + i));
    text.swap(found);
    return true;
}

// Which of the languages a block is stored in serves a request for `wanted`: the same language,
// else the first with the same primary language (the low 10 bits), else English (0x0409). 0 when
// none does.
std::uint16_t ChooseLanguage(const std::vector<std::uint16_t>& available, std::uint16_t wanted);

// Replaces each "%s" in format with the next argument, in order, and "%%" with "%". Other "%"
// sequences and "%s" beyond the arguments are kept as they stand, and arguments are copied as
// they are, so a text can never make the program read arguments it was not given.
std::wstring FormatText(const std::wstring& format, std::initializer_list<std::wstring> args);
} // namespace catalogue
