// What the panels show for the state of the pre-installation checks: a prerequisite's test result
// as a status word and a light, the network answer as an icon and a text, and the installation
// panel's summary of both. Standard C++ only, so that it also builds natively (fuzz/); the panels
// load the texts and icons and set them into their controls.
#pragma once

#include <cstdint>

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
constexpr unsigned kUnsupportedLevelTextId = 340;

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
