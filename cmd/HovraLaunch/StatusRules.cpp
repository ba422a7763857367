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
    {kNetworkAnswerYes,
     {IDI_WARNING_SIGN, IDS_NETWORK_EXPLAIN_YES},
     {IDI_WARNING_SIGN, IDS_NETWORK_SUMMARY_YES}},
    {kNetworkAnswerNo,
     {IDI_INFORMATION_SIGN, IDS_NETWORK_EXPLAIN_NO},
     {IDI_INFORMATION_SIGN, IDS_NETWORK_SUMMARY_NO}},
    {kNetworkAnswerDontKnow,
     {IDI_WARNING_SIGN, IDS_NETWORK_EXPLAIN_DONT_KNOW},
     {IDI_INFORMATION_SIGN, IDS_NETWORK_SUMMARY_DONT_KNOW}},
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
            return {kStatusSatisfied, IDS_STATUS_OK, StatusLight::Green};
        // A matching Windows at a level the product does not support.
        return {kStatusIncorrectLevel,
                static_cast<unsigned>(nAltDescriptionId == 0 ? IDS_STATUS_INCORRECT_LEVEL
                                                             : IDS_STATUS_NOT_64_BIT),
                StatusLight::Red};
    case kStatusNotInstalled:
        return {nResult, IDS_STATUS_NOT_INSTALLED, StatusLight::Red};
    case kStatusPartial:
        return {nResult, IDS_STATUS_PARTIAL_INSTALL, StatusLight::Red};
    case kStatusIncorrectLevel:
        return {nResult, IDS_STATUS_INCORRECT_LEVEL, StatusLight::Red};
    default: // 2, 3 and anything unknown
        return {nResult, IDS_STATUS_ERROR, StatusLight::Red};
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
        return {IDI_INFORMATION_SIGN, loadText(IDS_SUMMARY_ALL_INSTALLED) + L"\n"};
    return {IDI_WARNING_SIGN, loadText(IDS_SUMMARY_SOME_MISSING) + L"\n" + strMissing};
}
