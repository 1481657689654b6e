#include "dialogs/TreeControlEx.h"

#include "afx/Edit.h"
#include "afx/WndEventBridge.h"

namespace
{
const int LABEL_LIMIT = 255;
} // namespace

BEGIN_MESSAGE_MAP(CTreeControlEx, CTreeCtrl)
ON_WM_RBUTTONDOWN()
ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, &CTreeControlEx::OnBeginLabelEdit)
END_MESSAGE_MAP()

CTreeControlEx::~CTreeControlEx() = default;

// While a label is edited, the dialog around the tree must not take Enter,
// Escape, Delete or Ctrl shortcuts: they belong to the label editor.
BOOL CTreeControlEx::PreTranslateMessage(MSG* pMsg)
{
    if (GetEditControl() && pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_DELETE || pMsg->wParam == VK_ESCAPE ||
         GetKeyState(VK_CONTROL)))
    {
        TranslateMessage(pMsg);
        DispatchMessage(pMsg);
        return TRUE;
    }
    return CTreeCtrl::PreTranslateMessage(pMsg);
}

// Selects the item under the pointer; no default processing, so the right
// button never starts a drag. The context menu still comes as WM_CONTEXTMENU.
void CTreeControlEx::OnRButtonDown(UINT, CPoint point)
{
    UINT nFlags = 0;
    HTREEITEM hItem = HitTest(point, &nFlags);
    if (!hItem || !(nFlags & TVHT_ONITEM))
        return;
    if (CEdit* pEdit = GetEditControl())
        pEdit->DestroyWindow();
    SelectItem(hItem);
}

void CTreeControlEx::OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
{
    if (CEdit* pEdit = GetEditControl())
        pEdit->LimitText(LABEL_LIMIT);
    *pResult = FALSE;
}
