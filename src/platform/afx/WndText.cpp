// CWnd: window texts and the dialog-item helpers over them.

#include "Wnd.h"

#include "WidgetText.h"

#include <QAbstractButton>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

// Text

void CWnd::SetWindowText(LPCSTR lpszString)
{
    AfxSetWidgetText(GetWidget(), lpszString ? lpszString : "");
}

void CWnd::GetWindowText(std::string& rString) const
{
    rString = AfxGetWidgetText(GetWidget());
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    if (!lpszStringBuf || nMaxCount <= 0)
        return 0;
    std::string text = AfxGetWidgetText(GetWidget());
    size_t n = std::min(text.size(), static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpszStringBuf, text.data(), n);
    lpszStringBuf[n] = '\0';
    return static_cast<int>(n);
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(AfxGetWidgetText(GetWidget()).size());
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, std::string& rString) const
{
    rString.clear();
    if (CWnd* item = GetDlgItem(nID))
        item->GetWindowText(rString);
    return static_cast<int>(rString.size());
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    std::string text;
    GetDlgItemText(nID, text);
    const char* p = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    char* end = nullptr;
    long long value = std::strtoll(p, &end, 10);
    bool bOk = end != p && *end == '\0' && (bSigned || value >= 0);
    if (lpTrans)
        *lpTrans = bOk ? TRUE : FALSE;
    return bOk ? static_cast<UINT>(value) : 0;
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    std::string text = bSigned ? std::to_string(static_cast<int>(nValue)) : std::to_string(nValue);
    SetDlgItemText(nID, text.c_str());
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    if (CWnd* item = GetDlgItem(nIDButton))
        if (auto* button = qobject_cast<QAbstractButton*>(item->GetWidget()))
            button->setChecked(nCheck == BST_CHECKED);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    CWnd* item = GetDlgItem(nIDButton);
    auto* button = item ? qobject_cast<QAbstractButton*>(item->GetWidget()) : nullptr;
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(id, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (IsDlgButtonChecked(id))
            return id;
    return 0;
}
