#include "Notify.h"

#include "Wnd.h"

LRESULT AfxSendCommandNotify(HWND hControl, UINT nCode)
{
    CWnd* control = CWnd::FromHandle(hControl);
    CWnd* parent = control ? control->GetParent() : nullptr;
    if (!parent)
        return 0;
    return parent->SendMessage(WM_COMMAND, MAKEWPARAM(control->GetDlgCtrlID(), nCode),
                               reinterpret_cast<LPARAM>(hControl));
}

LRESULT AfxSendNotify(HWND hControl, UINT nCode, NMHDR* pHeader)
{
    CWnd* control = CWnd::FromHandle(hControl);
    CWnd* parent = control ? control->GetParent() : nullptr;
    if (!parent)
        return 0;
    pHeader->hwndFrom = hControl;
    pHeader->idFrom = static_cast<UINT_PTR>(control->GetDlgCtrlID());
    pHeader->code = nCode;
    return parent->SendMessage(WM_NOTIFY, pHeader->idFrom, reinterpret_cast<LPARAM>(pHeader));
}
