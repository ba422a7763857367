#include <gtest/gtest.h>

#include <vector>

#include "HovraLaunchDlg.h"
#include "Languages.h"

namespace
{
TEST(DocumentationLanguage, FollowsTheFoldersOnTheMedia)
{
    struct Case
    {
        const char* name;
        std::vector<int> present;
        wchar_t interface;
        wchar_t documentation;
    };
    const std::vector<Case> cases = {
        {"InterfaceLanguagePresent", {0, 2}, L'G', L'G'},
        {"EnglishWhenOwnMissing", {0, 1}, L'G', L'A'},
        {"FirstPresentWithoutEnglish", {1, 11}, L'G', L'F'}, // only fr_fr and ru_ru
        {"OnlyFrenchOnFrench", {1}, L'F', L'F'},
        {"NothingPresent", {}, L'J', L'J'},
    };
    for (const Case& c : cases)
    {
        for (LanguageRow& row : LanguageTable)
            row.nPresent = 0;
        for (int i : c.present)
            LanguageTable[i].nPresent = 1;
        EXPECT_EQ(c.documentation, ChooseDocumentationLanguage(c.interface)) << c.name;
    }
    for (LanguageRow& row : LanguageTable)
        row.nPresent = 0;
}
} // namespace
