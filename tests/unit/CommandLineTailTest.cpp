#include <gtest/gtest.h>

#include "WinApp.h"

#include <string>

namespace
{
struct TailCase
{
    const wchar_t* commandLine;
    const wchar_t* tail;
};

class CommandLineTail : public testing::TestWithParam<TailCase>
{
};

TEST_P(CommandLineTail, IsTheTextAfterTheProgramName)
{
    EXPECT_EQ(std::wstring(GetParam().tail), std::wstring(AfxCommandLineTail(GetParam().commandLine)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTail,
    testing::Values(TailCase{L"HovraLaunch.exe", L""}, TailCase{L"HovraLaunch.exe   ", L""},
                    TailCase{L"\"E:\\media dir\\HovraLaunch.exe\" INSTALL", L"INSTALL"},
                    TailCase{L"\"E:\\media dir\\HovraLaunch.exe\"INSTALL", L"INSTALL"},
                    TailCase{L"E:\\HovraLaunch.exe \t ADDLOCAL=Server  X ", L"ADDLOCAL=Server  X "},
                    // Quotes and backslashes in the tail are kept exactly.
                    TailCase{L"a.exe \"C:\\dir with space\\\\\" \\\"x\\\"",
                             L"\"C:\\dir with space\\\\\" \\\"x\\\""},
                    TailCase{L"a.exe Привет 日本語", L"Привет 日本語"},
                    // An unterminated quoted name swallows the whole line.
                    TailCase{L"\"E:\\broken name.exe x y", L""}, TailCase{L"", L""}));
} // namespace
