// The decimal number a registry text starts with. Standard C++ only, so that it also builds
// natively for the fuzz tests (fuzz/).
#pragma once

#include <cstdint>

// An unsigned decimal number from the start of a text: the digits '0' to '9' up to the first
// other character. 0 without leading digits; the largest value when it has more digits than fit.
std::uint32_t ParseLeadingNumber(const wchar_t* pszText);
