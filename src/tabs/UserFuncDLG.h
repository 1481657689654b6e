#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// "User Defined Function Properties": the function that gives the value and
// the library that holds it on each platform. The Unix library names follow
// the Windows one ("Crypto.dll" gives "libCrypto.so", ".sl", ".a") until the
// author types one of them.
class TARVO_API CUserFuncDLG : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CUserFuncDLG(CTarvoMgr* pMgr);
    ~CUserFuncDLG() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void UseDefaults() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnBrowse();
    void OnUpdateNTLibrary();
    void OnChangeSOLibrary();
    void OnChangeVXLibrary();
    void OnChangeAXLibrary();
    void OnSize(UINT nType, int cx, int cy);

    CComboBox m_cbPolicy;
    std::string m_strFunctionName;
    std::string m_strNTLibrary;
    std::string m_strSOLibrary;
    std::string m_strVXLibrary;
    std::string m_strAXLibrary;
    int m_nPolicy = -1;
    // Whether the author typed the Unix name, so it no longer follows.
    bool m_bSOEdited = false;
    bool m_bVXEdited = false;
    bool m_bAXEdited = false;

    DECLARE_MESSAGE_MAP()

private:
    // The Unix fields that have not been typed take names from the Windows library.
    void DeriveUnixNames();
    void PushControls();
    BOOL Refuse(int nID, UINT nIDPrompt);

    bool m_bPushing = false;
};
