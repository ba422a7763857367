#include <gtest/gtest.h>

#include <string>

#include "StyleButton.h"

namespace
{
TEST(StyleButtonLink, LinkTargetKeepsAtMost259Characters)
{
    CStyleButton button;
    EXPECT_STREQ(L"", button.GetLinkTarget());
    EXPECT_EQ(0u, button.SetLinkTarget(L"https://example.invalid/x"));
    EXPECT_STREQ(L"https://example.invalid/x", button.GetLinkTarget());
    const std::wstring longTarget(300, L'a');
    EXPECT_EQ(0u, button.SetLinkTarget(longTarget.c_str()));
    EXPECT_EQ(std::wstring(259, L'a'), button.GetLinkTarget());
    EXPECT_EQ(0u, button.SetLinkTarget(nullptr));
    EXPECT_STREQ(L"", button.GetLinkTarget());
}
} // namespace
