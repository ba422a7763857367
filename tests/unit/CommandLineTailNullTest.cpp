#include <gtest/gtest.h>

#include "WinApp.h"

namespace
{
TEST(CommandLineTailNull, IsEmpty)
{
    EXPECT_STREQ(L"", AfxCommandLineTail(nullptr));
}
} // namespace
