#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "StringCatalogue.h"

namespace
{
constexpr LANGID kEnglishUs = 0x0409;

// Restores the interface language after each test.
class Catalogue : public testing::Test
{
protected:
    void SetUp() override { AfxSetInterfaceLanguage(kEnglishUs); }
    void TearDown() override { AfxSetInterfaceLanguage(kEnglishUs); }
};

// A string block as the resource compiler stores it: 16 entries, each a length and that many
// characters.
std::vector<WCHAR> MakeBlock(const std::vector<std::wstring>& entries)
{
    std::vector<WCHAR> block;
    for (size_t i = 0; i < 16; ++i)
    {
        const std::wstring text = i < entries.size() ? entries[i] : std::wstring();
        block.push_back(static_cast<WCHAR>(text.size()));
        block.insert(block.end(), text.begin(), text.end());
    }
    return block;
}

TEST_F(Catalogue, WalksABlockToTheEntry)
{
    const auto block = MakeBlock(
        {L"zero", L"", L"two", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"fifteen"});
    const size_t cb = block.size() * sizeof(WCHAR);
    std::wstring text = L"unchanged";
    EXPECT_TRUE(catalogue::FindStringInBlock(block.data(), cb, 0, text));
    EXPECT_EQ(L"zero", text);
    EXPECT_TRUE(catalogue::FindStringInBlock(block.data(), cb, 2, text));
    EXPECT_EQ(L"two", text);
    EXPECT_TRUE(catalogue::FindStringInBlock(block.data(), cb, 15, text));
    EXPECT_EQ(L"fifteen", text);

    text = L"unchanged";
    EXPECT_FALSE(catalogue::FindStringInBlock(block.data(), cb, 1, text));  // empty entry
    EXPECT_FALSE(catalogue::FindStringInBlock(block.data(), cb, 16, text)); // not a position
    EXPECT_EQ(L"unchanged", text);
}

TEST_F(Catalogue, NeverReadsPastATruncatedOrCorruptBlock)
{
    // Each case is given exactly its bytes in a buffer of their own size, so a read past the end
    // would be a read outside the allocation.
    struct Case
    {
        std::vector<WCHAR> words;
        unsigned index;
    };
    const std::vector<Case> cases = {
        {{}, 0},                      // no data at all
        {{5, L'a', L'b'}, 0},         // length larger than the data
        {{0xFFFF}, 0},                // absurd length
        {{2, L'a', L'b'}, 1},         // block ends before entry 1
        {{1, L'a', 0xFFFF, L'x'}, 2}, // a corrupt length skips past the end
        {{3, L'a', L'b'}, 3},         // truncated inside the first entry
    };
    for (const Case& c : cases)
    {
        std::unique_ptr<WCHAR[]> exact(new WCHAR[c.words.size() + 1]);
        std::memcpy(exact.get(), c.words.data(), c.words.size() * sizeof(WCHAR));
        std::wstring text = L"unchanged";
        EXPECT_FALSE(
            catalogue::FindStringInBlock(exact.get(), c.words.size() * sizeof(WCHAR), c.index, text));
        EXPECT_EQ(L"unchanged", text);
    }
    // An odd byte count ignores the half character.
    const WCHAR words[] = {1, L'q'};
    std::wstring text;
    EXPECT_FALSE(catalogue::FindStringInBlock(words, 3, 0, text));
    EXPECT_TRUE(catalogue::FindStringInBlock(words, 4, 0, text));
    EXPECT_EQ(L"q", text);
}

TEST_F(Catalogue, ChoosesExactThenPrimaryThenEnglish)
{
    struct Case
    {
        std::vector<LANGID> available;
        LANGID wanted;
        LANGID chosen;
    };
    const std::vector<Case> cases = {
        {{0x0407, 0x0409, 0x0C0A}, 0x0407, 0x0407}, // exact
        {{0x0407, 0x0409, 0x0C0A}, 0x040A, 0x0C0A}, // Spanish asked as 0x040A, stored as 0x0C0A
        {{0x0407, 0x0409}, 0x0807, 0x0407},         // German (Switzerland) reads German
        {{0x0407, 0x0409}, 0x0411, 0x0409},         // no Japanese: English
        {{0x0404, 0x0409, 0x0804}, 0x0804, 0x0804}, // exact wins over an earlier primary match
        {{0x0407}, 0x0411, 0},                      // nothing serves
        {{}, 0x0409, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.chosen, catalogue::ChooseLanguage(c.available, c.wanted)) << "wanted " << c.wanted;
}

TEST_F(Catalogue, FormatsOnlyPercentS)
{
    EXPECT_EQ(L"Please insert 'Disk'.", catalogue::FormatText(L"Please insert '%s'.", {L"Disk"}));
    EXPECT_EQ(L"Software Requirements for A on B",
              catalogue::FormatText(L"Software Requirements for %s on %s", {L"A", L"B"}));
    // Arguments are not formats themselves.
    EXPECT_EQ(L"x %s y", catalogue::FormatText(L"x %s y", {L"%s"}));
    // Missing arguments and other sequences stay as written; nothing else is read.
    EXPECT_EQ(L"a %s %d %n 100% 5%", catalogue::FormatText(L"%s %s %d %n 100%% 5%", {L"a"}));
    EXPECT_EQ(L"", catalogue::FormatText(L"", {L"a"}));
}

TEST_F(Catalogue, LoadsEnglishTextsByIdentifier)
{
    std::wstring text;
    EXPECT_TRUE(AfxLoadString(365, text));
    EXPECT_EQ(L"Configuring Corvane Velto for Windows domain users", text);
    EXPECT_TRUE(AfxLoadString(103, text));
    EXPECT_EQ(L"Corvane Velto Version 9.3", text);
    EXPECT_TRUE(AfxLoadString(480, text));
    EXPECT_EQ(L"Unable to open Installation Guide PDF.\nThere is no associated viewer.", text);
    EXPECT_TRUE(AfxLoadString(223, text));
    EXPECT_EQ(L"\"\"", text);
    EXPECT_TRUE(AfxLoadString(407, text));
    EXPECT_EQ(L"Software Requirements ", text);
    EXPECT_EQ(L"Please ensure that the correct media is inserted for 'Corvane Velto (R), 9.3'.",
              AfxFormatString(310, {L"Corvane Velto (R), 9.3"}));
}

TEST_F(Catalogue, UndefinedIdentifiersLeaveTheStringUnchanged)
{
    for (UINT id : {102u, 105u, 300u - 1, 617u, 2000u, 2002u, 4095u, 65535u, 70000u})
    {
        std::wstring text = L"unchanged";
        EXPECT_FALSE(AfxLoadString(id, text)) << id;
        EXPECT_EQ(L"unchanged", text) << id;
    }
}

TEST_F(Catalogue, LoadTextGivesTheTextOrNothing)
{
    const struct
    {
        UINT id;
        const wchar_t* expected;
    } cases[] = {
        {365, L"Configuring Corvane Velto for Windows domain users"}, // the first entry of its block
        {407, L"Software Requirements "},                             // a trailing space is kept
        {223, L"\"\""},                                               // two quote marks, not empty
        {102, L""},                                                   // no such entry
        {2000, L""},                                                  // next to 2001, which exists
        {65535, L""},                                                 // the last identifier there can be
        {70000, L""},                                                 // beyond any string block
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, AfxLoadText(c.id)) << c.id;
}

BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR lParam)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(lParam)->push_back(
            static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

TEST_F(Catalogue, EnglishTableDefinesExactly322Texts)
{
    std::vector<UINT> blocks;
    ::EnumResourceNamesW(nullptr, RT_STRING, &CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    std::vector<UINT> englishBlocks;
    int nTexts = 0;
    for (UINT block : blocks)
    {
        HRSRC hRes = ::FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(block), kEnglishUs);
        if (hRes == nullptr)
            continue;
        englishBlocks.push_back(block);
        for (UINT id = (block - 1) * 16; id < block * 16; ++id)
        {
            std::wstring text;
            if (AfxLoadString(id, text))
                ++nTexts;
        }
    }
    std::vector<UINT> expectedBlocks;
    for (UINT b : {7u, 8u, 9u, 14u, 15u, 16u, 17u})
        expectedBlocks.push_back(b);
    for (UINT b = 19; b <= 39; ++b)
        expectedBlocks.push_back(b);
    expectedBlocks.push_back(126);
    EXPECT_EQ(expectedBlocks, englishBlocks);
    EXPECT_EQ(322, nTexts);
}

// The ids that have a text in a block, read straight from the block stored in that language.
std::vector<UINT> IdsInBlock(UINT block, LANGID language)
{
    std::vector<UINT> ids;
    HRSRC hRes = ::FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(block), language);
    HGLOBAL hData = hRes != nullptr ? ::LoadResource(nullptr, hRes) : nullptr;
    const void* pData = hData != nullptr ? ::LockResource(hData) : nullptr;
    if (pData == nullptr)
        return {UINT(-1)}; // no block at all
    for (unsigned i = 0; i < 16; ++i)
    {
        std::wstring text;
        if (catalogue::FindStringInBlock(pData, ::SizeofResource(nullptr, hRes), i, text))
            ids.push_back((block - 1) * 16 + i);
    }
    return ids;
}

// Every language the program carries has every block of the English table, with a text for
// exactly the ids the English has: a table that lost an id cannot reach a user.
TEST_F(Catalogue, EveryLanguageDefinesExactlyTheEnglishIds)
{
    const LANGID languages[] = {0x0404, 0x0405, 0x0407, 0x040C, 0x040E, 0x0410, 0x0411,
                                0x0412, 0x0415, 0x0416, 0x0419, 0x0804, 0x0C0A};
    std::vector<UINT> blocks;
    ::EnumResourceNamesW(nullptr, RT_STRING, &CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    for (LANGID language : languages)
    {
        size_t nTexts = 0;
        for (UINT block : blocks)
        {
            if (::FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(block), kEnglishUs) == nullptr)
                continue;
            const std::vector<UINT> ids = IdsInBlock(block, language);
            EXPECT_EQ(IdsInBlock(block, kEnglishUs), ids) << "language " << language << ", block " << block;
            nTexts += ids.size();
        }
        EXPECT_EQ(322u, nTexts) << "language " << language;
    }
}

// The table is chosen by exact language, then by primary language, then English; the texts of one
// request never mix languages. The test program adds a Dutch block 7 with the title alone.
TEST_F(Catalogue, FollowsTheInterfaceLanguageWithFallbacks)
{
    struct Case
    {
        LANGID language;
        UINT id;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0x0407, 110, L"Englisch"},
        {0x0807, 110, L"Englisch"}, // German (Switzerland): same primary language
        {0x040A, 110, L"Inglés"},   // Spanish selected as 1034 reads the table stored as 3082
        {0x0C0A, 110, L"Inglés"},
        {0x0411, 110, L"英語"},                     // Japanese
        {0x0804, 110, L"英语"},                     // Simplified Chinese exactly
        {0x0404, 110, L"英文"},                     // Traditional Chinese exactly
        {0x041D, 110, L"English"},                  // Swedish: no table, English
        {0x0413, 103, L"Corvane Velto versie 9.3"}, // the test's Dutch block
    };
    for (const Case& c : cases)
    {
        AfxSetInterfaceLanguage(c.language);
        std::wstring text;
        EXPECT_TRUE(AfxLoadString(c.id, text)) << c.language << "/" << c.id;
        EXPECT_EQ(c.text, text) << c.language << "/" << c.id;
    }
    // A text the Dutch block lacks is not taken from another language.
    AfxSetInterfaceLanguage(0x0413);
    std::wstring text = L"unchanged";
    EXPECT_FALSE(AfxLoadString(104, text));
    EXPECT_EQ(L"unchanged", text);
}
} // namespace
