#include "Menu.h"

#include "DebugOutput.h"
#include "Resource.h"

#include <QMenu>
#include <cstring>
#include <set>

struct AFX_MENU_ENTRY
{
    std::string strText;
    UINT nID = 0;
    UINT nFlags = MF_STRING;
    std::shared_ptr<AFX_MENU_DATA> pPopup;
};

// A menu's items; its address is the menu's handle while it lives.
struct AFX_MENU_DATA : std::enable_shared_from_this<AFX_MENU_DATA>
{
    AFX_MENU_DATA() { Live().insert(this); }
    ~AFX_MENU_DATA() { Live().erase(this); }
    AFX_MENU_DATA(const AFX_MENU_DATA&) = delete;
    AFX_MENU_DATA& operator=(const AFX_MENU_DATA&) = delete;

    static std::set<const AFX_MENU_DATA*>& Live()
    {
        // Never destroyed: a static CMenu may outlive any other static.
        static auto* live = new std::set<const AFX_MENU_DATA*>;
        return *live;
    }
    static AFX_MENU_DATA* FromHandle(HMENU hMenu)
    {
        auto* data = reinterpret_cast<AFX_MENU_DATA*>(hMenu);
        return Live().count(data) ? data : nullptr;
    }

    std::vector<AFX_MENU_ENTRY> items;
};

namespace
{
const UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED;

AFX_POPUPMENU_HANDLER& PopupMenuHandler()
{
    static AFX_POPUPMENU_HANDLER handler;
    return handler;
}

std::shared_ptr<AFX_MENU_DATA> Build(const std::vector<AFX_MENU_ITEM>& items)
{
    auto data = std::make_shared<AFX_MENU_DATA>();
    for (const AFX_MENU_ITEM& item : items)
        data->items.push_back(
            {item.strText, item.nID, item.nFlags, (item.nFlags & MF_POPUP) ? Build(item.popup) : nullptr});
    return data;
}

AFX_MENU_ENTRY* FindCommand(AFX_MENU_DATA& data, UINT nID)
{
    for (AFX_MENU_ENTRY& entry : data.items)
    {
        if (entry.pPopup)
        {
            if (AFX_MENU_ENTRY* found = FindCommand(*entry.pPopup, nID))
                return found;
        }
        else if (entry.nID == nID && !(entry.nFlags & MF_SEPARATOR))
            return &entry;
    }
    return nullptr;
}

UINT ChangeState(AFX_MENU_ENTRY* pEntry, UINT nMask, UINT nState)
{
    if (!pEntry)
        return static_cast<UINT>(-1);
    UINT previous = pEntry->nFlags & nMask;
    pEntry->nFlags = (pEntry->nFlags & ~nMask) | (nState & nMask);
    return previous;
}

void Fill(QMenu& menu, const AFX_MENU_DATA& data)
{
    for (const AFX_MENU_ENTRY& entry : data.items)
    {
        bool bEnabled = !(entry.nFlags & (MF_GRAYED | MF_DISABLED));
        // Win32 and Qt agree on "&" for mnemonics and a tab before the shortcut text.
        QString text = QString::fromUtf8(entry.strText.c_str());
        if (entry.nFlags & MF_SEPARATOR)
            menu.addSeparator();
        else if (entry.pPopup)
        {
            QMenu* sub = menu.addMenu(text);
            sub->setEnabled(bEnabled);
            Fill(*sub, *entry.pPopup);
        }
        else
        {
            QAction* action = menu.addAction(text);
            action->setData(entry.nID);
            action->setEnabled(bEnabled);
            action->setCheckable(entry.nFlags & MF_CHECKED);
            action->setChecked(entry.nFlags & MF_CHECKED);
        }
    }
}
} // namespace

CMenu::CMenu() = default;

CMenu::~CMenu() = default;

void CMenu::Attach(std::shared_ptr<AFX_MENU_DATA> pData)
{
    m_mapSubMenus.clear();
    m_pData = std::move(pData);
    m_hMenu = reinterpret_cast<HMENU>(m_pData.get());
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const AFX_MENU_TEMPLATE* tmpl = AfxFindMenuTemplate(nIDResource);
    if (!tmpl)
    {
        OutputDebugStringA(("CMenu::LoadMenu: no menu resource " + std::to_string(nIDResource) + "\n").c_str());
        return FALSE;
    }
    Attach(Build(tmpl->items));
    return TRUE;
}

BOOL CMenu::CreatePopupMenu()
{
    Attach(std::make_shared<AFX_MENU_DATA>());
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_pData)
        return FALSE;
    Attach(nullptr);
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    if (!m_pData)
        return FALSE;
    AFX_MENU_ENTRY entry;
    entry.nFlags = nFlags & ~MF_BYPOSITION;
    entry.strText = (nFlags & MF_SEPARATOR) || !lpszNewItem ? "" : lpszNewItem;
    if (nFlags & MF_POPUP)
    {
        AFX_MENU_DATA* popup = AFX_MENU_DATA::FromHandle(reinterpret_cast<HMENU>(nIDNewItem));
        if (!popup || popup == m_pData.get())
            return FALSE;
        entry.pPopup = popup->shared_from_this();
    }
    else
        entry.nID = static_cast<UINT>(nIDNewItem);
    m_pData->items.push_back(std::move(entry));
    return TRUE;
}

int CMenu::GetMenuItemCount() const
{
    return m_pData ? static_cast<int>(m_pData->items.size()) : -1;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    AFX_MENU_ENTRY* entry = FindItem(static_cast<UINT>(nPos), MF_BYPOSITION);
    if (!entry || !entry->pPopup)
        return nullptr;
    std::unique_ptr<CMenu>& sub = m_mapSubMenus[entry->pPopup.get()];
    if (!sub)
    {
        sub = std::make_unique<CMenu>();
        sub->Attach(entry->pPopup);
    }
    return sub.get();
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    AFX_MENU_ENTRY* entry = FindItem(static_cast<UINT>(nPos), MF_BYPOSITION);
    if (!entry || entry->pPopup)
        return static_cast<UINT>(-1);
    return (entry->nFlags & MF_SEPARATOR) ? 0 : entry->nID;
}

AFX_MENU_ENTRY* CMenu::FindItem(UINT nID, UINT nFlags) const
{
    if (!m_pData)
        return nullptr;
    if (!(nFlags & MF_BYPOSITION))
        return FindCommand(*m_pData, nID);
    return nID < m_pData->items.size() ? &m_pData->items[nID] : nullptr;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    AFX_MENU_ENTRY* entry = FindItem(nID, nFlags);
    if (!entry)
        return static_cast<UINT>(-1);
    UINT state = entry->nFlags & (kStateBits | MF_SEPARATOR | MF_POPUP);
    // A sub-menu's state carries its item count in the high byte, as in Win32.
    return entry->pPopup ? state | static_cast<UINT>(entry->pPopup->items.size() << 8) : state;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return ChangeState(FindItem(nIDEnableItem, nEnable), MF_GRAYED | MF_DISABLED, nEnable);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return ChangeState(FindItem(nIDCheckItem, nCheck), MF_CHECKED, nCheck);
}

int CMenu::GetMenuString(UINT nIDItem, std::string& rString, UINT nFlags) const
{
    AFX_MENU_ENTRY* entry = FindItem(nIDItem, nFlags);
    rString = entry ? entry->strText : std::string();
    return static_cast<int>(rString.size());
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    std::string text;
    GetMenuString(nIDItem, text, nFlags);
    if (!lpString || nMaxCount <= 0)
        return static_cast<int>(text.size());
    size_t n = std::min(text.size(), static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpString, text.data(), n);
    lpString[n] = '\0';
    return static_cast<int>(n);
}

bool CMenu::IsChoosable(UINT nCommand) const
{
    AFX_MENU_ENTRY* entry = m_pData ? FindCommand(*m_pData, nCommand) : nullptr;
    return entry && !(entry->nFlags & (MF_GRAYED | MF_DISABLED));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    if (!m_pData)
        return FALSE;
    const AFX_POPUPMENU_HANDLER& handler = PopupMenuHandler();
    UINT command = handler ? handler(*this, x, y) : ShowMenu(nFlags, x, y, pWnd);
    if (command && !IsChoosable(command))
    {
        // No user can choose what the menu does not offer.
        OutputDebugStringA(
            ("CMenu::TrackPopupMenu: command " + std::to_string(command) + " cannot be chosen\n").c_str());
        command = 0;
    }
    if (nFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command && pWnd && !(nFlags & TPM_NONOTIFY))
        pWnd->PostMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return TRUE;
}

UINT CMenu::ShowMenu(UINT nFlags, int x, int y, CWnd* pWnd) const
{
    QMenu menu(pWnd ? pWnd->GetWidget() : nullptr);
    Fill(menu, *m_pData);
    QPoint at(x, y);
    if (nFlags & TPM_RIGHTALIGN)
        at.rx() -= menu.sizeHint().width();
    else if (nFlags & TPM_CENTERALIGN)
        at.rx() -= menu.sizeHint().width() / 2;
    QAction* chosen = menu.exec(at);
    return chosen ? chosen->data().toUInt() : 0;
}

void AfxSetPopupMenuHandler(AFX_POPUPMENU_HANDLER handler)
{
    PopupMenuHandler() = std::move(handler);
}
