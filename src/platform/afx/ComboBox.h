#pragma once

#include "Wnd.h"

// The id of the edit field inside an editable or simple combo box, as in Win32.
#define IDC_COMBO_EDIT 1001

class QComboBox;
class CSimpleComboWidget;

// A combo box: a drop-down list (CBS_DROPDOWNLIST), an editable drop-down
// (CBS_DROPDOWN) or a "simple" one whose list is always shown (CBS_SIMPLE);
// sorted with CBS_SORT. Items may carry a number of the program's own.
class CComboBox : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int GetCurSel() const;
    // Selects the item (-1 clears the selection); no CBN_SELCHANGE, as in Win32.
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, std::string& rString) const;
    int GetLBTextLen(int nIndex) const;
    int AddString(LPCSTR lpszString);
    int InsertString(int nIndex, LPCSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    // First item after nStartAfter starting with the text, ignoring case.
    int FindString(int nStartAfter, LPCSTR lpszString) const;
    // First item after nStartAfter equal to the text, ignoring case.
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    // Selects FindString's item; CB_ERR leaves the selection as it was.
    int SelectString(int nStartAfter, LPCSTR lpszString);
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);
    BOOL LimitText(int nMaxChars);
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    // The extended user interface of a drop-down: Up or Down on the closed
    // box opens the list instead of changing the selection, and the wheel
    // leaves it alone; a choice counts only when the list closes with one.
    int SetExtendedUI(BOOL bExtended = TRUE);
    BOOL GetExtendedUI() const;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    QComboBox* Combo() const;
    CSimpleComboWidget* Simple() const;
    bool IsSorted() const;
};
