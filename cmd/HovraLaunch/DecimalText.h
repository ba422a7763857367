// Whole numbers written as decimal text. Standard C++ only, so that it also builds natively for
// the fuzz tests (fuzz/); and small, where the standard library's conversion brings in a whole
// formatted-output engine.
#pragma once

#include <cstdint>
#include <string>

// "0", "1033", "-1": the digits of value, with a minus sign when it is negative.
std::wstring DecimalText(std::int64_t value);
