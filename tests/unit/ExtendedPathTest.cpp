#include <gtest/gtest.h>

#include <windows.h>

#include <io.h>
#include <string>

#include "FilePath.h"

namespace
{
TEST(ExtendedPath, PrefixesOnlyLongFullPaths)
{
    const std::wstring deep(300, L'd');
    struct Case
    {
        std::wstring path;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"E:\\media\\MSI\\setup.exe", L"E:\\media\\MSI\\setup.exe"}, // short: as it is
        {L"E:\\\\docs\\help", L"E:\\\\docs\\help"}, // short drive root: the system cleans up
        {L"C:\\" + deep + L"\\a.pdf", L"\\\\?\\C:\\" + deep + L"\\a.pdf"},
        {L"C:\\\\" + deep + L"\\\\a.pdf", L"\\\\?\\C:\\" + deep + L"\\a.pdf"}, // a drive-root media
        {L"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + deep},
        {L"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + deep}, // prefixed already
        {L"relative\\" + deep, L"relative\\" + deep},   // nothing to anchor a prefix to
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, AfxExtendedPath(c.path)) << c.path.size();
}

// A file whose full path is far beyond 260 characters is found through the extended path, and a
// missing one next to it is not.
TEST(ExtendedPath, ReachesFilesBeyondTheClassicLimit)
{
    wchar_t szTemp[MAX_PATH];
    std::wstring folder(szTemp, ::GetTempPathW(MAX_PATH, szTemp));
    folder = L"\\\\?\\" + folder + L"hovra-deep-" + std::to_wstring(::GetCurrentProcessId());
    std::wstring path = folder;
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    for (int i = 0; i < 6; ++i)
    {
        path += L"\\" + std::wstring(60, static_cast<wchar_t>(L'a' + i));
        ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    }
    const std::wstring file = path + L"\\velto_qsg.pdf";
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    ::CloseHandle(h);

    const std::wstring plain = file.substr(4); // as the launchpad builds it: no prefix
    ASSERT_GT(plain.size(), 400u);
    EXPECT_EQ(0, _waccess(AfxExtendedPath(plain).c_str(), 4));
    EXPECT_NE(0, _waccess(AfxExtendedPath(plain + L"x").c_str(), 4));
    WIN32_FIND_DATAW data{};
    HANDLE hFind =
        ::FindFirstFileW(AfxExtendedPath(plain.substr(0, plain.size() - 13) + L"*.pdf").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    EXPECT_STREQ(L"velto_qsg.pdf", data.cFileName);
    ::FindClose(hFind);

    ::DeleteFileW(file.c_str());
    for (int i = 0; i < 6; ++i)
    {
        ::RemoveDirectoryW(path.c_str());
        path.resize(path.find_last_of(L'\\'));
    }
    ::RemoveDirectoryW(folder.c_str());
}
} // namespace
