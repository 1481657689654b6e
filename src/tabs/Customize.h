#pragma once

#include "TarvoExport.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// "Customization Properties": a value given directly, the description shown
// to whoever is asked for it, and, where the host offers them, the server
// and encrypted flags.
class TARVO_API CCustomize : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CCustomize(CTarvoMgr* pMgr);
    ~CCustomize() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);

    std::string m_strValue;
    std::string m_strPrompt;
    int m_nServer = 0;
    int m_nEncrypt = 0;
    unsigned long m_lOptions;

    DECLARE_MESSAGE_MAP()
};
