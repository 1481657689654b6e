#include "ComboBox.h"

#include "ComboBoxWidget.h"
#include "ControlFactory.h"
#include "EditValidator.h"
#include "SimpleComboWidget.h"

#include <QLineEdit>

namespace
{
QString ToQ(LPCSTR s)
{
    return QString::fromUtf8(s ? s : "");
}

bool StartsWithNoCase(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

bool EqualsNoCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return AfxCreateControlWindow(*this, AFX_WC_COMBOBOX, "", dwStyle, rect, pParentWnd, nID);
}

QComboBox* CComboBox::Combo() const
{
    return qobject_cast<QComboBox*>(GetWidget());
}

CSimpleComboWidget* CComboBox::Simple() const
{
    return qobject_cast<CSimpleComboWidget*>(GetWidget());
}

bool CComboBox::IsSorted() const
{
    return (GetStyle() & CBS_SORT) != 0;
}

int CComboBox::GetCount() const
{
    if (QComboBox* combo = Combo())
        return combo->count();
    if (CSimpleComboWidget* simple = Simple())
        return simple->List()->count();
    return CB_ERR;
}

int CComboBox::GetCurSel() const
{
    if (QComboBox* combo = Combo())
        return combo->currentIndex();
    if (CSimpleComboWidget* simple = Simple())
        return simple->List()->currentRow();
    return CB_ERR;
}

int CComboBox::SetCurSel(int nSelect)
{
    if (nSelect >= GetCount())
        nSelect = -1;
    if (QComboBox* combo = Combo())
    {
        combo->setCurrentIndex(nSelect);
        if (nSelect < 0 && combo->isEditable())
            combo->setEditText(QString());
    }
    else if (CSimpleComboWidget* simple = Simple())
    {
        simple->List()->setCurrentRow(nSelect);
        simple->Edit()->setText(nSelect >= 0 ? simple->List()->item(nSelect)->text() : QString());
    }
    return nSelect < 0 ? CB_ERR : nSelect;
}

int CComboBox::GetLBText(int nIndex, std::string& rString) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CB_ERR;
    QString text = Combo() ? Combo()->itemText(nIndex) : Simple()->List()->item(nIndex)->text();
    rString = text.toUtf8().toStdString();
    return static_cast<int>(rString.size());
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    std::string text;
    return GetLBText(nIndex, text);
}

int CComboBox::AddString(LPCSTR lpszString)
{
    int index = GetCount();
    if (index < 0)
        return CB_ERR;
    if (IsSorted())
    {
        // Sorted lists keep their order ignoring case, as Win32 does.
        QString text = ToQ(lpszString);
        std::string item;
        for (index = 0; index < GetCount(); ++index)
        {
            GetLBText(index, item);
            if (QString::fromStdString(item).compare(text, Qt::CaseInsensitive) > 0)
                break;
        }
    }
    return InsertString(index, lpszString);
}

int CComboBox::InsertString(int nIndex, LPCSTR lpszString)
{
    int count = GetCount();
    if (count < 0 || nIndex > count)
        return CB_ERR;
    if (nIndex < 0)
        nIndex = count;
    if (QComboBox* combo = Combo())
    {
        // Inserting must not change the text of an editable combo.
        QString edit = combo->isEditable() ? combo->currentText() : QString();
        int current = combo->currentIndex();
        combo->insertItem(nIndex, ToQ(lpszString));
        if (current < 0)
            combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(edit);
    }
    else
        Simple()->List()->insertItem(nIndex, ToQ(lpszString));
    return nIndex;
}

int CComboBox::DeleteString(UINT nIndex)
{
    int count = GetCount();
    if (static_cast<int>(nIndex) >= count)
        return CB_ERR;
    if (QComboBox* combo = Combo())
        combo->removeItem(static_cast<int>(nIndex));
    else
        delete Simple()->List()->takeItem(static_cast<int>(nIndex));
    return count - 1;
}

void CComboBox::ResetContent()
{
    if (QComboBox* combo = Combo())
    {
        combo->clear();
        if (combo->isEditable())
            combo->setEditText(QString());
    }
    else if (CSimpleComboWidget* simple = Simple())
    {
        simple->List()->clear();
        simple->Edit()->clear();
    }
}

int CComboBox::FindString(int nStartAfter, LPCSTR lpszString) const
{
    int count = GetCount();
    QString prefix = ToQ(lpszString);
    std::string item;
    for (int n = 1; n <= count; ++n)
    {
        int i = (nStartAfter + n + count) % count;
        GetLBText(i, item);
        if (StartsWithNoCase(QString::fromStdString(item), prefix))
            return i;
    }
    return CB_ERR;
}

int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    int count = GetCount();
    QString wanted = ToQ(lpszFind);
    std::string item;
    for (int n = 1; n <= count; ++n)
    {
        int i = (nIndexStart + n + count) % count;
        GetLBText(i, item);
        if (EqualsNoCase(QString::fromStdString(item), wanted))
            return i;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int nStartAfter, LPCSTR lpszString)
{
    int index = FindString(nStartAfter, lpszString);
    return index == CB_ERR ? CB_ERR : SetCurSel(index);
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CB_ERR;
    QVariant data = QVariant::fromValue<qulonglong>(dwItemData);
    if (QComboBox* combo = Combo())
        combo->setItemData(nIndex, data);
    else
        Simple()->List()->item(nIndex)->setData(Qt::UserRole, data);
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return static_cast<DWORD_PTR>(CB_ERR);
    QVariant data = Combo() ? Combo()->itemData(nIndex) : Simple()->List()->item(nIndex)->data(Qt::UserRole);
    return static_cast<DWORD_PTR>(data.toULongLong());
}

DWORD CComboBox::GetEditSel() const
{
    QLineEdit* edit = Combo() ? Combo()->lineEdit() : (Simple() ? Simple()->Edit() : nullptr);
    if (!edit)
        return static_cast<DWORD>(CB_ERR);
    int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    int end = edit->hasSelectedText() ? edit->selectionEnd() : start;
    return static_cast<DWORD>(MAKELONG(start, end));
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    QLineEdit* edit = Combo() ? Combo()->lineEdit() : (Simple() ? Simple()->Edit() : nullptr);
    if (!edit)
        return FALSE;
    int length = static_cast<int>(edit->text().size());
    if (nStartChar < 0)
        edit->deselect();
    else
    {
        int end = nEndChar < 0 ? length : std::min(nEndChar, length);
        edit->setSelection(std::min(nStartChar, length), end - std::min(nStartChar, length));
    }
    return TRUE;
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    QLineEdit* edit = Combo() ? Combo()->lineEdit() : (Simple() ? Simple()->Edit() : nullptr);
    auto* validator = edit ? qobject_cast<CEditValidator*>(const_cast<QValidator*>(edit->validator())) : nullptr;
    if (!validator)
        return FALSE;
    validator->SetLimit(nMaxChars);
    return TRUE;
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    if (QComboBox* combo = Combo())
    {
        if (bShowIt)
            combo->showPopup();
        else
            combo->hidePopup();
    }
}

BOOL CComboBox::GetDroppedState() const
{
    auto* combo = dynamic_cast<CComboBoxWidget*>(Combo());
    return combo && combo->IsDropped();
}

int CComboBox::SetExtendedUI(BOOL bExtended)
{
    return static_cast<int>(SendMessage(CB_SETEXTENDEDUI, bExtended, 0));
}

BOOL CComboBox::GetExtendedUI() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, CB_GETEXTENDEDUI, 0, 0));
}

// The switch lives on the widget, so every wrapper of the window sees it.
LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* combo = dynamic_cast<CComboBoxWidget*>(Combo());
    switch (message)
    {
    case CB_SETEXTENDEDUI:
        if (!combo)
            return CB_ERR;
        combo->SetExtendedUI(wParam != 0);
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return combo && combo->IsExtendedUI();
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
