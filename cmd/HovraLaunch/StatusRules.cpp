#include "StatusRules.h"

#include "DecimalText.h"
#include "resource.h"

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
    switch (nAnswer)
    {
    case kNetworkAnswerYes:
        return {IDI_WARNING_SIGN, 388};
    case kNetworkAnswerNo:
        return {IDI_INFORMATION_SIGN, 391};
    default:
        return {IDI_WARNING_SIGN, 393};
    }
}

IconAndText SummaryOfNetworkAnswer(std::int32_t nAnswer)
{
    switch (nAnswer)
    {
    case kNetworkAnswerYes:
        return {IDI_WARNING_SIGN, 395};
    case kNetworkAnswerNo:
        return {IDI_INFORMATION_SIGN, 396};
    default:
        return {IDI_INFORMATION_SIGN, 397};
    }
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
