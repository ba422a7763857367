// What the panels show for the state of the pre-installation checks: a prerequisite's test result
// as a status word and a light, the network answer as an icon and a text, and the installation
// panel's summary of both. Standard C++ only, so that it also builds natively (fuzz/); the panels
// load the texts and icons and set them into their controls.
#pragma once

#include "resource.h"

#include <cstdint>
#include <string>
#include <vector>

// Status of a prerequisite item, and the result of its test function.
enum PrerequisiteStatus : std::int32_t
{
    kStatusSatisfied = 1,
    kStatusError = 2,
    kStatusErrorUnevaluated = 3,
    kStatusNotInstalled = 4,
    kStatusPartial = 5,
    kStatusIncorrectLevel = 6,
};

// The description of a catalogue entry for a Windows at a level the product does not support.
constexpr unsigned kUnsupportedLevelTextId = IDS_UNSUPPORTED_OS;

// The light beside a prerequisite's status word.
enum class StatusLight
{
    Red,
    Green
};

// How a test result is shown: the status kept in the item, the status word's text and the light.
struct PrerequisiteView
{
    std::int32_t nStatus;
    unsigned nWordId;
    StatusLight light;
};

// The view of a result of the test of an item with the given description texts. Only a satisfied
// result of a supported item is green (OK); a satisfied result of an item whose description is
// the unsupported level's is kept as an incorrect level, worded "Not 64 Bit" when the item has an
// alternative description. Every other result keeps its value; 2, 3 and unknown ones read Error.
PrerequisiteView ViewOfTestResult(std::int32_t nResult, unsigned nDescriptionId, unsigned nAltDescriptionId);

// The answers to the network panel's question: the ids of its three buttons. The main dialog keeps
// the one last given.
constexpr std::int32_t kNetworkAnswerYes = 1101;
constexpr std::int32_t kNetworkAnswerNo = 1102;
constexpr std::int32_t kNetworkAnswerDontKnow = 1103;

// An icon and the text beside it: the ids of both resources.
struct IconAndText
{
    unsigned nIconId;
    unsigned nTextId;
};

// The network panel's explanation of an answer: the information sign for no, a warning for yes
// and for don't know, which is also what any other answer reads as.
IconAndText ExplanationOfNetworkAnswer(std::int32_t nAnswer);

// The installation panel's network block: a warning for yes, the information sign for the rest;
// any answer but yes and no has the text of don't know.
IconAndText SummaryOfNetworkAnswer(std::int32_t nAnswer);

// What the installation panel's software block reads of a prerequisite: its status and its name.
struct PrerequisiteState
{
    std::int32_t nStatus;
    unsigned nNameId;
};

// Text nId of the catalogue; empty when it cannot be loaded.
using TextLoader = std::wstring (*)(unsigned nId);

struct SoftwareSummary
{
    unsigned nIconId;
    std::wstring strText;
};

// The installation panel's software block. With every item satisfied (or none at all): the
// information sign and "all installed" and a line break. Else a warning and "some missing", a line
// break, and "\n1) name" for each item not satisfied, numbered from 1 in their order (an item
// without a name has the number alone).
SoftwareSummary SummaryOfSoftware(const std::vector<PrerequisiteState>& items, TextLoader loadText);
