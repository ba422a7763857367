#include "FileDialog.h"

#include "SystemLibrary.h"

#include <commdlg.h>
#include <vector>

CFileDialog::CFileDialog(const std::wstring& strInitialFile, const std::wstring& strFilter, DWORD dwFlags,
                         CWnd* pParent)
    : m_strPath(strInitialFile), m_strFilter(MakeFilter(strFilter)), m_dwFlags(dwFlags), m_pParent(pParent)
{
}

std::wstring CFileDialog::MakeFilter(const std::wstring& strFilter)
{
    std::wstring filter = strFilter;
    for (wchar_t& ch : filter)
        if (ch == L'|')
            ch = L'\0';
    if (filter.empty() || filter.back() != L'\0')
        filter += L'\0';
    filter += L'\0';
    return filter;
}

INT_PTR CFileDialog::DoModal()
{
    // Room for long paths; the initial name is cut to what fits.
    std::vector<wchar_t> buffer(32768, L'\0');
    m_strPath.copy(buffer.data(), std::min(m_strPath.size(), buffer.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_pParent != nullptr ? m_pParent->m_hWnd : nullptr;
    ofn.lpstrFilter = m_strFilter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = m_dwFlags;
    if (!AfxGetOpenFileName(&ofn))
        return IDCANCEL;
    m_strPath = buffer.data();
    return IDOK;
}
