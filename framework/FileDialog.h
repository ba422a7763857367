// CFileDialog: the system's open-file dialog, explorer style.
#pragma once

#include "Wnd.h"

#include <commdlg.h>

#include <string>

class CFileDialog
{
public:
    // pszFilter is in the "Description|pattern|Description|pattern" form.
    CFileDialog(const std::wstring& strInitialFile, const std::wstring& strFilter, DWORD dwFlags,
                CWnd* pParent);

    // Shows the dialog; IDOK when a file was chosen, IDCANCEL otherwise.
    INT_PTR DoModal();
    const std::wstring& GetPathName() const { return m_strPath; }

    // "A|b|C|d" as the system wants it: "A\0b\0C\0d\0\0".
    static std::wstring MakeFilter(const std::wstring& strFilter);

private:
    std::wstring m_strPath;
    std::wstring m_strFilter;
    DWORD m_dwFlags;
    CWnd* m_pParent;
};
