#include "controls/NumModulEdit.h"

#include "afx/Clipboard.h"

#include <algorithm>
#include <cstdlib>

namespace
{
const unsigned BEEP_SIMPLE = 0xFFFFFFFF;
} // namespace

CNumModulEdit::CNumModulEdit(int nMin, int nMax, int nWidth, int nStyle)
    : CModulEdit(nWidth, nStyle), m_nMax(nMax), m_nMin(nMin)
{
}

CNumModulEdit::~CNumModulEdit() = default;

// Backspace and the control characters of cut, copy and paste are refused
// like any other non-digit.
int CNumModulEdit::HandleChar(unsigned nChar, int nSelStart, int nSelEnd)
{
    if (nChar < '0' || nChar > '9')
    {
        MessageBeep(BEEP_SIMPLE);
        return 1;
    }
    std::string strCandidate = ComposeText(nChar, nSelStart, nSelEnd);
    int nValue = std::atoi(strCandidate.c_str());
    if (nValue < m_nMin || nValue > m_nMax)
    {
        MessageBeep(BEEP_SIMPLE);
        return 1;
    }
    SetText(strCandidate);
    return 1;
}

int CNumModulEdit::Spin(int nCode)
{
    if (nCode == 0)
        return Increment(1);
    if (nCode == 1)
        return Decrement(1);
    return 1;
}

int CNumModulEdit::Increment(int n)
{
    int nResult = 1;
    m_nValue += n;
    if (m_nValue > m_nMax)
    {
        m_nValue = m_nMin + m_nValue - m_nMax - 1;
        nResult = 2;
    }
    m_strText = std::to_string(m_nValue);
    return nResult;
}

int CNumModulEdit::Decrement(int n)
{
    int nResult = 1;
    m_nValue -= n;
    if (m_nValue < m_nMin)
    {
        m_nValue = m_nMax + m_nValue - m_nMin + 1;
        nResult = 3;
    }
    m_strText = std::to_string(m_nValue);
    return nResult;
}

std::string CNumModulEdit::GetText()
{
    if (IsFixedWidth() && static_cast<int>(m_strText.size()) < m_nWidth)
        m_strText.insert(0, static_cast<size_t>(m_nWidth) - m_strText.size(), '0');
    if (static_cast<int>(m_strText.size()) > m_nWidth)
    {
        m_nValue = m_nMin;
        m_strText = std::to_string(m_nMin);
    }
    return m_strText;
}

// Overwriting replaces the character under the caret; inserting puts the
// character before it.
std::string CNumModulEdit::ComposeText(unsigned nChar, int nSelStart, int nSelEnd)
{
    std::string strText = m_strText;
    int nOffset = nSelStart - m_nStart;
    int nLength = static_cast<int>(strText.size());
    char ch = static_cast<char>(nChar);
    if (IsFixedWidth() || nSelStart != nSelEnd)
    {
        if (nLength == 0)
            return std::string(1, ch);
        nOffset = nLength <= 1 ? 0 : std::clamp(nOffset, 0, nLength - 1);
        strText[static_cast<size_t>(nOffset)] = ch;
        return strText;
    }
    strText.insert(static_cast<size_t>(std::clamp(nOffset, 0, nLength)), 1, ch);
    return strText;
}

void CNumModulEdit::ClearAt(int nSelStart, int nSelEnd)
{
    SetText(ComposeText('#', nSelStart, nSelEnd));
}

std::string CNumModulEdit::GetValueText()
{
    return m_strText.find('#') == std::string::npos ? m_strText : std::string();
}

int CNumModulEdit::SetValue(int nValue)
{
    if (nValue < m_nMin || nValue > m_nMax)
        return 0;
    m_nValue = nValue;
    m_strText = std::to_string(nValue);
    return 1;
}

int CNumModulEdit::GetValue()
{
    return m_nValue;
}

void CNumModulEdit::SetText(const std::string& strText)
{
    m_strText = strText;
    m_nValue = std::atoi(m_strText.c_str());
}
