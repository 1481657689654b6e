#pragma once

#include "PropertiesFixture.h"
#include "UiDriver.h"

#include "afx/WinApp.h"
#include "resources/ValueTabDialogs.h"

#include <memory>

// The value tabs inside the properties host, over the installation's own
// parameter types, with a host application whose profile holds no lists.
class ValueTabFixture : public PropertiesFixture
{
protected:
    ValueTabFixture();
    ~ValueTabFixture() override;

    template <class TTab> TTab* Tab() { return dynamic_cast<TTab*>(ActivePage()); }
    CWnd& Item(int nID) { return *ActivePage()->GetDlgItem(nID); }
    std::string Text(int nID);
    // Replaces the field's text as a user would; an empty text erases it.
    void Enter(int nID, const std::string& strText);
    void Click(int nID) { ui::Click(Item(nID)); }
    bool Checked(int nID) { return ActivePage()->IsDlgButtonChecked(nID) == BST_CHECKED; }
    bool Enabled(int nID) { return Item(nID).IsWindowEnabled(); }
    int CurSel(int nID);
    void Choose(int nID, int nIndex);
    // The message boxes shown since the last call, as "text|icon".
    Strings Messages();

    std::unique_ptr<CWinApp> m_pApp;
};
