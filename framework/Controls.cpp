#include "Controls.h"

bool CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return false;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return true;
}

std::wstring CComboBox::GetLBText(int nIndex) const
{
    LRESULT nLength = ::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (nLength == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(nLength) + 1, L'\0');
    LRESULT nCopied = ::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(nCopied == CB_ERR ? 0 : static_cast<size_t>(nCopied));
    return text;
}
