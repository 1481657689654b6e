#include "controls/MultiModuleEdit.h"

#include "afx/Clipboard.h"
#include "controls/NumModulEdit.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

namespace
{
const unsigned BEEP_SIMPLE = 0xFFFFFFFF;

// What the system's key translation does for a plain edit: the characters
// of a key press reach the control as WM_CHAR, its release as WM_KEYUP and a
// double click as WM_LBUTTONDBLCLK. Keys that only move the caret stay with
// the edit box; a paste goes to the fields, composed input goes in as typed
// characters; nothing else edits the text.
class CFieldKeyTranslator : public QObject
{
public:
    CFieldKeyTranslator(HWND hWnd, QObject* pParent) : QObject(pParent), m_hWnd(hWnd) {}

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        auto* pEdit = dynamic_cast<CMultiModuleEdit*>(CWnd::FromHandle(m_hWnd));
        if (!pEdit)
            return false;
        switch (pEvent->type())
        {
        case QEvent::KeyPress:
            return OnKeyPress(*pEdit, *static_cast<QKeyEvent*>(pEvent));
        case QEvent::KeyRelease:
            pEdit->SendMessage(WM_KEYUP, 0, 0);
            return false;
        case QEvent::MouseButtonDblClick:
            pEdit->SendMessage(WM_LBUTTONDBLCLK, 0, 0);
            return true;
        case QEvent::MouseButtonPress:
            // The middle button would paste the selection past the fields.
            return static_cast<QMouseEvent*>(pEvent)->button() == Qt::MiddleButton;
        case QEvent::InputMethod:
            for (QChar ch : static_cast<QInputMethodEvent*>(pEvent)->commitString())
                pEdit->SendMessage(WM_CHAR, ch.unicode(), 1);
            return true;
        case QEvent::DragEnter:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }

private:
    static bool OnKeyPress(CMultiModuleEdit& edit, QKeyEvent& event)
    {
        if (event.matches(QKeySequence::Paste))
        {
            edit.PasteText(AfxGetClipboardText());
            return true;
        }
        if (event.key() == Qt::Key_Backspace)
        {
            edit.SendMessage(WM_CHAR, VK_BACK, 1);
            return true;
        }
        if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        {
            edit.SendMessage(WM_CHAR, static_cast<WPARAM>(event.key() - Qt::Key_A + 1), 1);
            return true;
        }
        QString strText = event.text();
        if (strText.isEmpty() || strText.at(0) < QChar(' ') || strText.at(0) == QChar(0x7F))
            return false;
        for (QChar ch : strText)
            edit.SendMessage(WM_CHAR, ch.unicode(), 1);
        return true;
    }

    HWND m_hWnd;
};
} // namespace

BEGIN_MESSAGE_MAP(CMultiModuleEdit, CEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_VSCROLL, &CMultiModuleEdit::OnVScroll)
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CMultiModuleEdit::CMultiModuleEdit() = default;

CMultiModuleEdit::~CMultiModuleEdit()
{
    std::set<CModulEdit*> setModules(std::begin(m_arrSlots), std::end(m_arrSlots));
    setModules.erase(nullptr);
    for (CModulEdit* pModule : setModules)
        delete pModule;
}

void CMultiModuleEdit::AddModule(CModulEdit* pModule)
{
    if (!pModule)
        return;
    pModule->m_pPrevious = m_pLastModule;
    if (pModule->IsDelimiter())
        m_pLastDelimiter = pModule;
    else
    {
        m_pLastModule = pModule;
        if (m_pLastDelimiter)
            m_pLastDelimiter->m_pFollowing = pModule;
    }
    pModule->m_nStart = m_nPositions;
    int nWidth = pModule->GetWidth();
    int nClaimed = 0;
    for (int i = m_nPositions; i < MAX_POSITIONS && nClaimed < nWidth; ++i)
    {
        if (m_arrSlots[i])
            continue;
        m_arrSlots[i] = pModule;
        ++nClaimed;
    }
    m_nPositions += nClaimed;
}

void CMultiModuleEdit::NotifyParent()
{
    CWnd* pParent = GetParent();
    LRESULT nAnswer = pParent ? pParent->SendMessage(WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID()),
                                                     reinterpret_cast<LPARAM>(m_hWnd))
                              : 0;
    if (nAnswer != -1)
        MessageBeep(BEEP_SIMPLE);
}

std::string CMultiModuleEdit::GetText()
{
    std::string strText;
    for (int i = 0; i < m_nPositions; ++i)
        if (m_arrSlots[i] && (i == 0 || m_arrSlots[i - 1] != m_arrSlots[i]))
            strText += m_arrSlots[i]->GetText();
    return strText;
}

BOOL CMultiModuleEdit::PasteText(const std::string& strText)
{
    ReadSelection();
    CModulEdit* pCurrent = GetCurrentModule();
    std::vector<CNumModulEdit*> arrFields;
    std::string strDelimiters;
    for (int i = 0; i < m_nPositions; ++i)
    {
        CModulEdit* pModule = m_arrSlots[i];
        if (i > 0 && m_arrSlots[i - 1] == pModule)
            continue;
        if (pModule->IsDelimiter())
            strDelimiters += pModule->m_strText;
        else if (auto* pField = dynamic_cast<CNumModulEdit*>(pModule); pField && pCurrent && i >= pCurrent->m_nStart)
            arrFields.push_back(pField);
    }
    std::vector<std::pair<CNumModulEdit*, int>> arrValues;
    std::string strDigits;
    auto fnTake = [&]
    {
        if (strDigits.empty() || arrValues.size() >= arrFields.size())
            return false;
        CNumModulEdit* pField = arrFields[arrValues.size()];
        int nValue = std::atoi(strDigits.c_str());
        strDigits.clear();
        if (nValue < pField->m_nMin || nValue > pField->m_nMax)
            return false;
        arrValues.emplace_back(pField, nValue);
        return true;
    };
    bool bFits = !strText.empty();
    for (size_t i = 0; bFits && i < strText.size(); ++i)
    {
        char ch = strText[i];
        if (ch >= '0' && ch <= '9')
        {
            size_t nField = arrValues.size();
            if (nField < arrFields.size() && static_cast<int>(strDigits.size()) == arrFields[nField]->GetWidth())
                bFits = fnTake();
            bFits = bFits && arrValues.size() < arrFields.size();
            strDigits += ch;
        }
        else
            bFits = strDelimiters.find(ch) != std::string::npos && fnTake();
    }
    if (bFits && !strDigits.empty())
        bFits = fnTake();
    if (!bFits || arrValues.empty())
    {
        MessageBeep(BEEP_SIMPLE);
        return FALSE;
    }
    for (auto& value : arrValues)
        value.first->SetValue(value.second);
    RefreshAndSelect(arrValues.back().first);
    return TRUE;
}

void CMultiModuleEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    if (QWidget* pWidget = GetWidget())
    {
        pWidget->setAcceptDrops(false);
        pWidget->installEventFilter(new CFieldKeyTranslator(m_hWnd, pWidget));
    }
    SetWindowText(GetText().c_str());
}

void CMultiModuleEdit::ReadSelection()
{
    if (m_hWnd)
        GetSel(m_nSelStart, m_nSelEnd);
}

// A caret on a delimiter belongs to a neighbouring field; at the end of the
// text it belongs to the last field.
CModulEdit* CMultiModuleEdit::GetCurrentModule()
{
    if (m_nPositions == 0)
        return nullptr;
    int nPos = m_nSelStart < m_nSelEnd ? m_nSelEnd - 1 : m_nSelStart;
    nPos = std::clamp(nPos, 0, m_nPositions - 1);
    CModulEdit* pModule = m_arrSlots[nPos];
    if (pModule && pModule->IsDelimiter())
        pModule = pModule->GetNeighbour(nPos);
    return pModule;
}

void CMultiModuleEdit::SelectModule(CModulEdit* pModule)
{
    if (pModule && m_hWnd)
        SetSel(pModule->m_nStart, pModule->m_nStart + pModule->GetWidth());
}

void CMultiModuleEdit::RefreshAndSelect(CModulEdit* pModule)
{
    if (!m_hWnd)
        return;
    SetWindowText(GetText().c_str());
    SelectModule(pModule);
}

void CMultiModuleEdit::SpinModule(CModulEdit* pModule, int nCode)
{
    int nResult = pModule->Spin(nCode);
    if (!pModule->m_pPrevious)
        return;
    if (nResult == 2)
        pModule->m_pPrevious->Increment(1);
    else if (nResult == 3)
        pModule->m_pPrevious->Decrement(1);
}

// The caret moves on whether or not the field took the character, and never
// stops on a delimiter.
void CMultiModuleEdit::OnChar(UINT nChar, UINT, UINT)
{
    ReadSelection();
    CModulEdit* pModule = GetCurrentModule();
    if (!pModule)
        return;
    pModule->HandleChar(nChar, m_nSelStart, m_nSelEnd);
    SetWindowText(GetText().c_str());
    int nCaret = m_nSelStart + 1;
    CModulEdit* pOwner = m_arrSlots[std::clamp(nCaret, 0, m_nPositions - 1)];
    if (pOwner && pOwner->IsDelimiter())
        nCaret = pOwner->m_nStart + pOwner->GetWidth();
    SetSel(nCaret, nCaret);
}

void CMultiModuleEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != VK_UP && nChar != VK_DOWN && nChar != VK_DELETE)
    {
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    ReadSelection();
    CModulEdit* pModule = GetCurrentModule();
    if (!pModule)
        return;
    if (nChar == VK_DELETE)
        pModule->ClearAt(m_nSelStart, m_nSelEnd);
    else
        SpinModule(pModule, nChar == VK_UP ? SB_LINEUP : SB_LINEDOWN);
    RefreshAndSelect(pModule);
}

// From a buddy spin button: line up or line down on the field under the caret.
LRESULT CMultiModuleEdit::OnVScroll(WPARAM wParam, LPARAM)
{
    SetFocus();
    ReadSelection();
    CModulEdit* pModule = GetCurrentModule();
    if (!pModule)
        return 0;
    SpinModule(pModule, LOWORD(wParam));
    RefreshAndSelect(pModule);
    return 0;
}

void CMultiModuleEdit::OnLButtonDblClk(UINT, CPoint)
{
    ReadSelection();
    SelectModule(GetCurrentModule());
}
