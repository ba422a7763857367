#include "StatusRules.h"

#include "DecimalText.h"
#include "resource.h"

#include <iterator>

namespace
{
// Each answer's explanation on the network panel and its summary on the installation panel.
struct AnswerViews
{
    std::int32_t nAnswer;
    IconAndText explanation;
    IconAndText summary;
};

constexpr AnswerViews kAnswerViews[] = {
    {kNetworkAnswerYes, {IDI_WARNING_SIGN, 388}, {IDI_WARNING_SIGN, 395}},
    {kNetworkAnswerNo, {IDI_INFORMATION_SIGN, 391}, {IDI_INFORMATION_SIGN, 396}},
    {kNetworkAnswerDontKnow, {IDI_WARNING_SIGN, 393}, {IDI_INFORMATION_SIGN, 397}},
};

const AnswerViews& ViewsOfAnswer(std::int32_t nAnswer)
{
    for (const AnswerViews& views : kAnswerViews)
        if (views.nAnswer == nAnswer)
            return views;
    return kAnswerViews[std::size(kAnswerViews) - 1]; // any other answer reads as don't know
}
} // namespace

PrerequisiteView ViewOfTestResult(std::int32_t nResult, unsigned nDescriptionId, unsigned nAltDescriptionId)
{
    switch (nResult)
    {
    case kStatusSatisfied:
        if (nDescriptionId != kUnsupportedLevelTextId)
            return {kStatusSatisfied, 311, StatusLight::Green};
        // A matching Windows at a level the product does not support.
        return {kStatusIncorrectLevel, nAltDescriptionId == 0 ? 313u : 316u, StatusLight::Red};
    case kStatusNotInstalled:
        return {nResult, 312, StatusLight::Red};
    case kStatusPartial:
        return {nResult, 315, StatusLight::Red};
    case kStatusIncorrectLevel:
        return {nResult, 313, StatusLight::Red};
    default: // 2, 3 and anything unknown
        return {nResult, 314, StatusLight::Red};
    }
}

IconAndText ExplanationOfNetworkAnswer(std::int32_t nAnswer)
{
    return ViewsOfAnswer(nAnswer).explanation;
}

IconAndText SummaryOfNetworkAnswer(std::int32_t nAnswer)
{
    return ViewsOfAnswer(nAnswer).summary;
}

SoftwareSummary SummaryOfSoftware(const std::vector<PrerequisiteState>& items, TextLoader loadText)
{
    std::wstring strMissing;
    int nCounter = 1;
    for (const PrerequisiteState& item : items)
    {
        if (item.nStatus == kStatusSatisfied)
            continue;
        strMissing += L"\n" + DecimalText(nCounter) + L") " + loadText(item.nNameId);
        ++nCounter;
    }
    if (strMissing.empty())
        return {IDI_INFORMATION_SIGN, loadText(330) + L"\n"};
    return {IDI_WARNING_SIGN, loadText(331) + L"\n" + strMissing};
}
