#include "controls/DlgExt.h"

#include "afx/Wnd.h"
#include "ketrin/Ketrin.h"

#include <QWidget>

namespace
{
const char* const WESTERN_FACE = "MS Sans Serif";
const char* const JAPANESE_FACE =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
// Only the first controls of a dialog are given the Japanese face.
const int MAX_FONT_CHILDREN = 200;

QFont MakeFont(const std::string& strFace, int nHeight, int nWeight)
{
    QFont font(QString::fromStdString(strFace));
    font.setPixelSize(nHeight);
    font.setWeight(static_cast<QFont::Weight>(nWeight));
    return font;
}

bool IsTextControl(const CWnd* pWnd)
{
    QWidget* pWidget = pWnd->GetWidget();
    const char* const kinds[] = {"QLineEdit", "QPlainTextEdit", "QListWidget", "QComboBox", "QLabel"};
    for (const char* pszKind : kinds)
        if (pWidget && pWidget->inherits(pszKind))
            return true;
    return false;
}
} // namespace

CDlgExt::CDlgExt(BOOL bReadOnly, DWORD dwOptions) : m_bReadOnly(bReadOnly), m_dwOptions(dwOptions) {}

CDlgExt::~CDlgExt() = default;

// Dialog fonts here carry no character set, so a dialog font is Western;
// the system's language decides the rest.
void CDlgExt::InitDlgExt(CWnd* pDialog)
{
    QWidget* pWidget = pDialog ? pDialog->GetWidget() : nullptr;
    bool bJapaneseSystem = os_get_os_lang() == OS_LANG_JAPANESE;
    m_nLanguage = pWidget ? OS_LANG_WESTERN : os_get_os_lang();
    m_strFaceName = pWidget ? pWidget->font().family().toStdString() : WESTERN_FACE;
    if ((!pWidget && m_nLanguage == OS_LANG_JAPANESE) || (pWidget && bJapaneseSystem))
        m_strFaceName = JAPANESE_FACE;
    CreateFonts();
    if (bJapaneseSystem && pWidget)
        GiveTextControlsFont(pDialog, m_fontLargeJapanese);
}

void CDlgExt::CreateFonts()
{
    if (m_bFontsCreated)
        return;
    m_bFontsCreated = true;
    m_fontBold = MakeFont(m_strFaceName, 8, 900);
    m_fontNormal = MakeFont(m_strFaceName, 8, 400);
    m_fontLarge = MakeFont(m_strFaceName, 13, 400);
    if (os_get_os_lang() == OS_LANG_JAPANESE)
        m_fontLargeJapanese = MakeFont(JAPANESE_FACE, 13, 400);
}

void CDlgExt::GiveTextControlsFont(CWnd* pDialog, const QFont& font)
{
    int nCount = 0;
    for (CWnd* pChild = pDialog->GetWindow(GW_CHILD); pChild && nCount < MAX_FONT_CHILDREN;
         pChild = pChild->GetWindow(GW_HWNDNEXT), ++nCount)
        if (IsTextControl(pChild))
            pChild->GetWidget()->setFont(font);
}
