#pragma once

#include "Point.h"
#include "Wnd.h"

#include <string>

class CEdit;
class CImageList;
class CTreeWidget;

// A tree view control (SysTreeView32). Items are named by HTREEITEM handles
// that never name another item once theirs is deleted. The parent hears of
// every selection move, the program's own included (TVN_SELCHANGING may
// refuse it), of keys, clicks, deletions and label edits.
//
// Label editing inside a dialog: the dialog's Enter and Escape handling sees
// the editor's keys first (PreTranslateMessage) and would end the dialog. A
// subclass that wants Enter to commit and Escape to cancel passes them on
// while GetEditControl() is not null:
//     TranslateMessage(pMsg); DispatchMessage(pMsg); return TRUE;
class CTreeCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    UINT GetCount() const;

    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    BOOL ItemHasChildren(HTREEITEM hItem) const;

    // Selects the item (null: none); FALSE when the parent refused.
    BOOL SelectItem(HTREEITEM hItem);
    std::string GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    // Expands the item's parents and scrolls it into view.
    BOOL EnsureVisible(HTREEITEM hItem);
    // Sorts the item's children (TVI_ROOT: the top level) by label, ignoring case.
    BOOL SortChildren(HTREEITEM hItem);

    // The item's whole line, or its label only; FALSE inside a collapsed parent.
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;

    // Only TVSIL_NORMAL is drawn. The list's images are taken when it is set.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageListType) const;

    // Opens the label editor (null when TVN_BEGINLABELEDIT refused): Enter
    // commits, Escape cancels, losing the focus commits. TVN_ENDLABELEDIT
    // answering TRUE keeps the new text; its handler may call EditLabel again.
    CEdit* EditLabel(HTREEITEM hItem);
    CEdit* GetEditControl() const;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CTreeWidget* Tree() const;
};
