// What the fuzz targets share: a check that stops the run, so that libFuzzer keeps the input and
// reports it as a finding, and the making of texts from the fuzzer's bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

[[noreturn]] inline void FuzzFail(const char* pszWhat, const char* pszFile, int nLine)
{
    std::fprintf(stderr, "%s:%d: does not hold: %s\n", pszFile, nLine, pszWhat);
    std::abort();
}

#define FUZZ_CHECK(condition) ((condition) ? (void)0 : FuzzFail(#condition, __FILE__, __LINE__))

// A text of up to nMaxLength characters, mostly one byte each (so quotes, backslashes, '%' and
// digits come up often), now and then a full 16-bit unit.
inline std::wstring ConsumeText(FuzzedDataProvider& provider, std::size_t nMaxLength = 64)
{
    std::wstring text;
    while (text.size() < nMaxLength && provider.remaining_bytes() > 0 && provider.ConsumeBool())
        text += provider.ConsumeBool() ? static_cast<wchar_t>(provider.ConsumeIntegral<unsigned char>())
                                       : static_cast<wchar_t>(provider.ConsumeIntegral<std::uint16_t>());
    return text;
}
