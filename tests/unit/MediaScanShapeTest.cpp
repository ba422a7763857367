#include <gtest/gtest.h>

#include <string>

#include "Languages.h"

namespace
{
// The scan asks the file system only for names shaped like "en_us"; a language whose folder had
// another shape would never be found.
TEST(MediaScanShape, EveryLanguageFolderIsTwoLettersUnderscoreTwoLetters)
{
    for (const LanguageRow& row : LanguageTable)
    {
        const std::wstring folder = row.szFolder;
        EXPECT_EQ(5u, folder.size()) << row.nLangId;
        EXPECT_EQ(L'_', folder.size() == 5 ? folder[2] : L'?') << row.nLangId;
    }
}
} // namespace
