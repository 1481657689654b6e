#include "manager/TarvoMgrWndMsgExt.h"

#include "afx/Wnd.h"

#include <cstring>

namespace
{
// Registered once, when the library loads.
const UINT s_nNotifyMsg = RegisterWindowMessageA(TARVO_NOTIFY_MESSAGE);

// The text after the first NUL of a record.
const char* SecondText(const char* pszData)
{
    return pszData + std::strlen(pszData) + 1;
}
} // namespace

CTarvoMgrWndMsgExt::CTarvoMgrWndMsgExt(CTarvoMgr* pMgr, HWND hNotifyWnd) : CTarvoMgrExt(pMgr), m_hNotifyWnd(hNotifyWnd)
{
}

int CTarvoMgrWndMsgExt::OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char* pszData)
{
    // A host window destroyed without unregistering is skipped.
    if (!m_hNotifyWnd || !IsWindow(m_hNotifyWnd) || !pszData)
        return 1;
    ParamNotifyRecord record = {};
    INT_PTR nKind = 0;
    switch (nCode)
    {
    case UPD_ADDED:
        record.pszName = pszData;
        nKind = NOTIFY_ADDED;
        break;
    case UPD_DELETED:
        record.pszName = pszData;
        record.pszOriginalValue = SecondText(pszData);
        nKind = NOTIFY_DELETED;
        break;
    case UPD_RENAMED:
        record.pszNewName = pszData;
        record.pszName = SecondText(pszData);
        nKind = NOTIFY_RENAMED;
        break;
    default:
        return 1;
    }
    // The host may unregister inside the call and so delete this object:
    // nothing of it is touched afterwards.
    ::SendMessage(m_hNotifyWnd, s_nNotifyMsg, static_cast<WPARAM>(nKind), reinterpret_cast<LPARAM>(&record));
    return 1;
}
