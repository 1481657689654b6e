#include "ValueTabFixture.h"

#include "UiDriver.h"

#include "afx/ComboBox.h"

namespace
{
const char* const LIST_SECTIONS[] = {"ParamDialogDates", "ParamDialogStringFormats", "ParamDialogIntFormats"};
} // namespace

ValueTabFixture::ValueTabFixture()
{
    m_strTypesPath = TARVO_SOURCE_DIR "/dat/param.dat";
    m_pApp = std::make_unique<CWinApp>("tarvo-value-tab-tests");
    for (const char* pszSection : LIST_SECTIONS)
        m_pApp->WriteProfileString(pszSection, nullptr, nullptr);
}

ValueTabFixture::~ValueTabFixture() = default;

std::string ValueTabFixture::Text(int nID)
{
    std::string strText;
    ActivePage()->GetDlgItemText(nID, strText);
    return strText;
}

void ValueTabFixture::Enter(int nID, const std::string& strText)
{
    ui::ReplaceText(Item(nID), strText);
    if (strText.empty())
        ui::PressKey(Item(nID), Qt::Key_Backspace);
}

int ValueTabFixture::CurSel(int nID)
{
    return static_cast<CComboBox&>(Item(nID)).GetCurSel();
}

void ValueTabFixture::Choose(int nID, int nIndex)
{
    ui::ChooseComboItem(static_cast<CComboBox&>(Item(nID)), nIndex);
}

Strings ValueTabFixture::Messages()
{
    Strings arrMessages;
    for (const AFX_MESSAGEBOX& box : m_boxes.Calls())
        arrMessages.push_back(box.strText + "|" + ((box.nType & MB_ICONMASK) == MB_ICONERROR ? "error" : "plain"));
    m_boxes.Clear();
    return arrMessages;
}
