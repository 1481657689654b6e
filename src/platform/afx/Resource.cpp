#include "Resource.h"

#include <algorithm>

namespace
{
std::vector<CResourceModule*>& Chain()
{
    static std::vector<CResourceModule*> chain;
    return chain;
}

template <typename T, typename F> const T* WalkChain(F find)
{
    const auto& chain = Chain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if (const T* found = find(**it))
            return found;
    return nullptr;
}

template <typename M> const typename M::mapped_type* Find(const M& map, UINT nID)
{
    auto it = map.find(nID);
    return it == map.end() ? nullptr : &it->second;
}
} // namespace

CResourceModule::CResourceModule(std::string name) : m_strName(std::move(name)) {}

HINSTANCE CResourceModule::GetHandle() const
{
    return reinterpret_cast<HINSTANCE>(const_cast<CResourceModule*>(this));
}

CResourceModule* CResourceModule::FromHandle(HINSTANCE h)
{
    return reinterpret_cast<CResourceModule*>(h);
}

void CResourceModule::AddString(UINT nID, std::string text)
{
    m_mapStrings[nID] = std::move(text);
}

void CResourceModule::AddDialog(AFX_DIALOG_TEMPLATE tmpl)
{
    UINT nID = tmpl.nID;
    m_mapDialogs[nID] = std::move(tmpl);
}

void CResourceModule::AddMenu(AFX_MENU_TEMPLATE menu)
{
    UINT nID = menu.nID;
    m_mapMenus[nID] = std::move(menu);
}

void CResourceModule::AddImage(UINT nID, QImage image)
{
    m_mapImages[nID] = std::move(image);
}

const std::string* CResourceModule::FindString(UINT nID) const
{
    return Find(m_mapStrings, nID);
}
const AFX_DIALOG_TEMPLATE* CResourceModule::FindDialog(UINT nID) const
{
    return Find(m_mapDialogs, nID);
}
const AFX_MENU_TEMPLATE* CResourceModule::FindMenu(UINT nID) const
{
    return Find(m_mapMenus, nID);
}
const QImage* CResourceModule::FindImage(UINT nID) const
{
    return Find(m_mapImages, nID);
}

CDynLinkLibrary::CDynLinkLibrary(CResourceModule& module) : m_module(module)
{
    Chain().push_back(&m_module);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    auto& chain = Chain();
    // Remove this entry only: the same module may sit in the chain more than once.
    auto it = std::find(chain.rbegin(), chain.rend(), &m_module);
    if (it != chain.rend())
        chain.erase(std::next(it).base());
}

BOOL AfxLoadString(UINT nID, std::string& strOut)
{
    const std::string* found = WalkChain<std::string>([nID](const CResourceModule& m) { return m.FindString(nID); });
    if (!found)
        return FALSE;
    strOut = *found;
    return TRUE;
}

std::string AfxLoadString(UINT nID)
{
    std::string text;
    AfxLoadString(nID, text);
    return text;
}

const AFX_DIALOG_TEMPLATE* AfxFindDialogTemplate(UINT nID)
{
    return WalkChain<AFX_DIALOG_TEMPLATE>([nID](const CResourceModule& m) { return m.FindDialog(nID); });
}

const AFX_MENU_TEMPLATE* AfxFindMenuTemplate(UINT nID)
{
    return WalkChain<AFX_MENU_TEMPLATE>([nID](const CResourceModule& m) { return m.FindMenu(nID); });
}

const QImage* AfxFindImage(UINT nID)
{
    return WalkChain<QImage>([nID](const CResourceModule& m) { return m.FindImage(nID); });
}
