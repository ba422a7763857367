#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "StatusRules.h"
#include "resource.h"

namespace
{
// The status words.
constexpr unsigned kOk = 311;
constexpr unsigned kNotInstalled = 312;
constexpr unsigned kIncorrectLevel = 313;
constexpr unsigned kError = 314;
constexpr unsigned kPartial = 315;
constexpr unsigned kNot64Bit = 316;

constexpr unsigned kSupported = 595; // any description but the unsupported level's
constexpr unsigned kUnsupported = 340;

TEST(StatusRules, EachTestResultGivesItsStatusWordAndLight)
{
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const struct
    {
        std::int32_t nResult;
        unsigned nDescriptionId;
        unsigned nAltDescriptionId;
        std::int32_t nStatus;
        unsigned nWordId;
        StatusLight light;
    } cases[] = {
        {1, kSupported, 0, 1, kOk, StatusLight::Green},
        {1, kSupported, 585, 1, kOk, StatusLight::Green},
        {1, 0, 0, 1, kOk, StatusLight::Green}, // no description is not the unsupported one
        // Satisfied on a level the product does not support: kept as an incorrect level.
        {1, kUnsupported, 0, 6, kIncorrectLevel, StatusLight::Red},
        {1, kUnsupported, kSupported, 6, kNot64Bit, StatusLight::Red},
        // The unsupported description changes nothing but a satisfied result.
        {4, kUnsupported, kSupported, 4, kNotInstalled, StatusLight::Red},
        {6, kUnsupported, kSupported, 6, kIncorrectLevel, StatusLight::Red},
        {2, kSupported, 0, 2, kError, StatusLight::Red},
        {3, kSupported, 0, 3, kError, StatusLight::Red},
        {4, kSupported, 0, 4, kNotInstalled, StatusLight::Red},
        {5, kSupported, 0, 5, kPartial, StatusLight::Red},
        {6, kSupported, 0, 6, kIncorrectLevel, StatusLight::Red},
        // Results no test gives are errors and are kept as they came.
        {0, kSupported, 0, 0, kError, StatusLight::Red},
        {7, kUnsupported, 0, 7, kError, StatusLight::Red},
        {-1, kSupported, 0, -1, kError, StatusLight::Red},
        {kMin, kSupported, 0, kMin, kError, StatusLight::Red},
        {kMax, kSupported, 0, kMax, kError, StatusLight::Red},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "result " << c.nResult << ", description " << c.nDescriptionId
                                        << ", alt " << c.nAltDescriptionId);
        const PrerequisiteView view = ViewOfTestResult(c.nResult, c.nDescriptionId, c.nAltDescriptionId);
        EXPECT_EQ(c.nStatus, view.nStatus);
        EXPECT_EQ(c.nWordId, view.nWordId);
        EXPECT_EQ(c.light, view.light);
    }
}

TEST(StatusRules, EachNetworkAnswerHasItsExplanationAndItsSummary)
{
    const struct
    {
        std::int32_t nAnswer;
        IconAndText explanation; // on the network panel
        IconAndText summary;     // on the installation panel
    } cases[] = {
        {1101, {IDI_WARNING_SIGN, 388}, {IDI_WARNING_SIGN, 395}},
        {1102, {IDI_INFORMATION_SIGN, 391}, {IDI_INFORMATION_SIGN, 396}},
        // Don't know warns where it is given and only informs in the summary.
        {1103, {IDI_WARNING_SIGN, 393}, {IDI_INFORMATION_SIGN, 397}},
        // What the main dialog holds before the network panel has started, and answers no button
        // gives: each read as don't know.
        {0, {IDI_WARNING_SIGN, 393}, {IDI_INFORMATION_SIGN, 397}},
        {1100, {IDI_WARNING_SIGN, 393}, {IDI_INFORMATION_SIGN, 397}},
        {1104, {IDI_WARNING_SIGN, 393}, {IDI_INFORMATION_SIGN, 397}},
        {-1101, {IDI_WARNING_SIGN, 393}, {IDI_INFORMATION_SIGN, 397}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "answer " << c.nAnswer);
        const IconAndText explanation = ExplanationOfNetworkAnswer(c.nAnswer);
        EXPECT_EQ(c.explanation.nIconId, explanation.nIconId);
        EXPECT_EQ(c.explanation.nTextId, explanation.nTextId);
        const IconAndText summary = SummaryOfNetworkAnswer(c.nAnswer);
        EXPECT_EQ(c.summary.nIconId, summary.nIconId);
        EXPECT_EQ(c.summary.nTextId, summary.nTextId);
    }
}

// Texts as the tests know them: "T" and the id; none for id 0, as for a name the catalogue lacks.
std::wstring FakeText(unsigned nId)
{
    return nId == 0 ? std::wstring() : L"T" + std::to_wstring(nId);
}

TEST(StatusRules, TheSoftwareSummaryNumbersTheItemsNotSatisfied)
{
    const std::vector<PrerequisiteState> twelveMissing(12, PrerequisiteState{kStatusNotInstalled, 588});
    std::wstring twelveLines;
    for (int i = 1; i <= 12; ++i)
        twelveLines += L"\n" + std::to_wstring(i) + L") T588";
    const struct
    {
        const char* name;
        std::vector<PrerequisiteState> items;
        unsigned nIconId;
        std::wstring text;
    } cases[] = {
        {"None", {}, IDI_INFORMATION_SIGN, L"T330\n"},
        {"Satisfied", {{kStatusSatisfied, 588}}, IDI_INFORMATION_SIGN, L"T330\n"},
        {"AllSatisfied", {{1, 588}, {1, 593}, {1, 0}}, IDI_INFORMATION_SIGN, L"T330\n"},
        {"NotInstalled", {{kStatusNotInstalled, 588}}, IDI_WARNING_SIGN, L"T331\n\n1) T588"},
        // Only satisfied counts as installed: every other status is listed, unknown ones too.
        {"Unevaluated", {{kStatusErrorUnevaluated, 588}}, IDI_WARNING_SIGN, L"T331\n\n1) T588"},
        {"Zero", {{0, 588}}, IDI_WARNING_SIGN, L"T331\n\n1) T588"},
        {"Negative", {{-1, 588}}, IDI_WARNING_SIGN, L"T331\n\n1) T588"},
        {"Unnamed", {{kStatusErrorUnevaluated, 0}}, IDI_WARNING_SIGN, L"T331\n\n1) "},
        // Numbered in order over the missing ones alone.
        {"SomeOfMany",
         {{kStatusSatisfied, 501},
          {kStatusPartial, 502},
          {kStatusSatisfied, 503},
          {kStatusIncorrectLevel, 504},
          {kStatusError, 505}},
         IDI_WARNING_SIGN,
         L"T331\n\n1) T502\n2) T504\n3) T505"},
        {"TwoDigitNumbers", twelveMissing, IDI_WARNING_SIGN, L"T331\n" + twelveLines},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const SoftwareSummary summary = SummaryOfSoftware(c.items, FakeText);
        EXPECT_EQ(c.nIconId, summary.nIconId);
        EXPECT_EQ(c.text, summary.strText);
    }
}
} // namespace
