#pragma once

#include "TarvoExport.h"
#include "afx/AfxTypes.h"

#include <QFont>
#include <string>

class CWnd;

// The mix-in of CBaseDialog: the dialog's layout language and face name, and
// the bold, normal and large fonts its dialogs draw with. On a Japanese system
// a dialog with a Western font gives its text controls a Japanese face.
class TARVO_API CDlgExt
{
public:
    CDlgExt(BOOL bReadOnly, DWORD dwOptions);
    virtual ~CDlgExt();

    // 1 Western, 3 Japanese.
    int GetLayoutLanguage() const { return m_nLanguage; }
    const std::string& GetFaceName() const { return m_strFaceName; }
    const QFont& GetBoldFont() const { return m_fontBold; }
    const QFont& GetNormalFont() const { return m_fontNormal; }
    const QFont& GetLargeFont() const { return m_fontLarge; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    DWORD GetOptions() const { return m_dwOptions; }

protected:
    // From the dialog's OnInitDialog, once its controls exist.
    void InitDlgExt(CWnd* pDialog);

private:
    void CreateFonts();
    void GiveTextControlsFont(CWnd* pDialog, const QFont& font);

    BOOL m_bReadOnly;
    DWORD m_dwOptions;
    int m_nLanguage = 1;
    std::string m_strFaceName;
    bool m_bFontsCreated = false;
    QFont m_fontBold;
    QFont m_fontNormal;
    QFont m_fontLarge;
    QFont m_fontLargeJapanese;
};
