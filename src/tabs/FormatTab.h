#pragma once

#include "TarvoExport.h"
#include "afx/ComboBox.h"
#include "afx/Edit.h"
#include "controls/ResizePropertyPage.h"
#include "manager/TarvoMgrExt.h"

#include <string>

// "Format properties" of a parameter whose value is a short text (Vuser ID,
// load generator, group name, and every type without a tab of its own): a
// printf-style format with one string conversion, picked from the author's
// list or typed, and the sample it gives. The format is stored as typed.
class TARVO_API CFormatTab : public CResizePropertyPage, public CTarvoMgrExt
{
public:
    explicit CFormatTab(CTarvoMgr* pMgr);
    ~CFormatTab() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void UseDefaults() override;

    // What the sample shows the format applied to; the host sets it.
    std::string m_strSampleValue = "1";

    // How a twin tab differs: its template, its profile section, its
    // built-in list and its check of the format.
    struct FORMAT_TAB_KIND
    {
        UINT nIDTemplate;
        const char* pszSection;
        const char* const* ppszBuiltIn;
        int nBuiltIn;
        int (*pfnSample)(const std::string& strFormat, const std::string& strSample, std::string& strOutput);
    };

protected:
    CFormatTab(CTarvoMgr* pMgr, const FORMAT_TAB_KIND& kind);

    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelChangeFormat();
    void OnEditChangeFormat();
    void OnAddFormat();
    void OnDeleteFormat();
    void OnResetFormats();
    void OnSize(UINT nType, int cx, int cy);

    CComboBox m_cbFormats;
    CEdit m_edSample;
    std::string m_strFormat;

    DECLARE_MESSAGE_MAP()

private:
    void RefreshSample();
    std::string FirstListedFormat() const;
    void WriteFormat();

    const FORMAT_TAB_KIND& m_kind;
};
