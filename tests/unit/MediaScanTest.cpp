// The scan of the media's Readmes folder at start-up: only folders named exactly like a language's
// documentation folder (in any case) count, however many other entries there are and whatever
// their names.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "HovraLaunchDlg.h"
#include "Languages.h"

namespace
{
class MediaScan : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szTemp[MAX_PATH];
        m_root = std::filesystem::path(std::wstring(szTemp, ::GetTempPathW(MAX_PATH, szTemp))) /
                 (L"hovra-scan-" + std::to_wstring(::GetCurrentProcessId()));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root / L"Readmes");
        wchar_t szCurrent[MAX_PATH];
        m_saved.assign(szCurrent, ::GetCurrentDirectoryW(MAX_PATH, szCurrent));
        ResetPresent();
    }
    void TearDown() override
    {
        ::SetCurrentDirectoryW(m_saved.c_str());
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
        ResetPresent();
        AfxSetInterfaceLanguage(0x0409);
    }
    static void ResetPresent()
    {
        for (LanguageRow& row : LanguageTable)
            row.nPresent = 0;
    }
    void Folder(const std::wstring& name) { std::filesystem::create_directories(m_root / L"Readmes" / name); }
    void File(const std::wstring& name)
    {
        HANDLE h = ::CreateFileW((m_root / L"Readmes" / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << std::filesystem::path(name).string();
        ::CloseHandle(h);
    }
    // The codes of the languages the launchpad finds documented when started in the media root.
    std::wstring Scan()
    {
        EXPECT_TRUE(::SetCurrentDirectoryW(m_root.c_str()));
        CHovraLaunchDlg dlg; // the scan runs while the dialog is constructed
        std::wstring codes;
        for (const LanguageRow& row : LanguageTable)
            if (row.nPresent)
                codes += row.chCode;
        return codes;
    }
    std::filesystem::path m_root;
    std::wstring m_saved;
};

TEST_F(MediaScan, CountsOnlyLanguageFoldersAmongThousandsOfEntries)
{
    for (int i = 0; i < 3000; ++i)
        File(L"note" + std::to_wstring(i) + L".txt");
    for (int i = 0; i < 300; ++i)
        Folder(L"folder" + std::to_wstring(i));
    File(L"de_de");            // a file with a folder's name
    File(L"Readme_it_it.TXT"); // a document, not a folder
    Folder(L"FR_FR");          // any case
    Folder(L"zh_cn");
    Folder(L"es_es.old"); // a longer name
    Folder(L"pt_b");      // a shorter one
    Folder(L"ab_cd");     // shaped like a language folder, but none
    Folder(L"en_u_");
    Folder(L"ja_jp~1");
    Folder(L"日本語");
    Folder(L"ru ru");
    Folder(L"%s%s%n");
    Folder(std::wstring(200, L'k'));
    EXPECT_EQ(L"FZ", Scan()); // in table order: French (row 1), Simplified Chinese (row 9)
}

TEST_F(MediaScan, NoReadmesFolderOrAnEmptyOneDocumentsNothing)
{
    EXPECT_EQ(L"", Scan());
    std::filesystem::remove_all(m_root / L"Readmes");
    EXPECT_EQ(L"", Scan());
    File(L"../Readmes"); // Readmes is a file
    EXPECT_EQ(L"", Scan());
}
} // namespace
