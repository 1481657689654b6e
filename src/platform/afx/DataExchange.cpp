#include "DataExchange.h"

#include "ComboBox.h"
#include "DebugOutput.h"
#include "Edit.h"
#include "MessageBox.h"
#include "Resource.h"
#include "Wnd.h"

#include <QAbstractButton>
#include <cerrno>
#include <cfloat>
#include <cstdio>
#include <cstdlib>

namespace
{
// The layer's own resource module sits at the bottom of the resource chain.
CResourceModule& LayerResources()
{
    static CResourceModule module("afx");
    static bool filled = []
    {
        module.AddString(AFX_IDP_PARSE_INT, "Please enter an integer.");
        module.AddString(AFX_IDP_PARSE_REAL, "Please enter a number.");
        module.AddString(AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2.");
        module.AddString(AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2.");
        module.AddString(AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters.");
        module.AddString(AFX_IDP_PARSE_UINT, "Please enter a positive integer.");
        return true;
    }();
    (void)filled;
    return module;
}
const CDynLinkLibrary s_layerEntry(LayerResources());

// Whole text is one number, blanks around it allowed.
template <typename T> bool Parse(const std::string& text, T& out, T (*convert)(const char*, char**))
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    T value = convert(start, &end);
    if (end == start || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    out = value;
    return true;
}

long ToLong(const char* s, char** end)
{
    return std::strtol(s, end, 10);
}
unsigned long ToULong(const char* s, char** end)
{
    return std::strtoul(s, end, 10);
}
double ToDouble(const char* s, char** end)
{
    return std::strtod(s, end);
}

bool HasMinus(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    return first != std::string::npos && text[first] == '-';
}

void FailWith(CDataExchange* pDX, const std::string& message)
{
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    pDX->Fail();
}

void FailWith(CDataExchange* pDX, UINT nIDS)
{
    FailWith(pDX, AfxLoadString(nIDS));
}

template <typename T>
void TextNumber(CDataExchange* pDX, int nIDC, T& value, const char* format, UINT nIDS,
                bool (*read)(const std::string&, T&))
{
    CWnd* ctrl = pDX->PrepareEditCtrl(nIDC);
    if (!ctrl)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        std::string text;
        ctrl->GetWindowText(text);
        if (!read(text, value))
            FailWith(pDX, nIDS);
        return;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    ctrl->SetWindowText(buffer);
}

template <typename T> std::string ToText(T value)
{
    return std::to_string(value);
}
std::string ToText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", DBL_DIG, value);
    return buffer;
}

template <typename T> void Range(CDataExchange* pDX, T value, T minVal, T maxVal, UINT nIDS)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailWith(pDX, AfxFormatString(nIDS, ToText(minVal), ToText(maxVal)));
}

bool IsGroupStart(CWnd* pWnd)
{
    return (pWnd->GetStyle() & WS_GROUP) != 0;
}
} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

CWnd* CDataExchange::PrepareCtrl(int nIDC)
{
    CWnd* ctrl = m_pDlgWnd->GetDlgItem(nIDC);
    if (!ctrl)
        OutputDebugStringA(("Dialog data exchange: no control with id " + std::to_string(nIDC) + "\n").c_str());
    m_pLastControl = ctrl;
    m_bEditLastControl = FALSE;
    return ctrl;
}

CWnd* CDataExchange::PrepareEditCtrl(int nIDC)
{
    CWnd* ctrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return ctrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_pLastControl && m_pLastControl->m_hWnd)
    {
        m_pLastControl->SetFocus();
        if (auto* edit = dynamic_cast<CEdit*>(m_pLastControl); edit && m_bEditLastControl)
            edit->SetSel(0, -1);
        else if (auto* combo = dynamic_cast<CComboBox*>(m_pLastControl); combo && m_bEditLastControl)
            combo->SetEditSel(0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    CWnd* ctrl = pDX->PrepareEditCtrl(nIDC);
    if (!ctrl)
        return;
    if (pDX->m_bSaveAndValidate)
        ctrl->GetWindowText(value);
    else
        ctrl->SetWindowText(value.c_str());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    TextNumber<int>(pDX, nIDC, value, "%d", AFX_IDP_PARSE_INT,
                    [](const std::string& text, int& out)
                    {
                        long v = 0;
                        if (!Parse<long>(text, v, ToLong) || v < INT32_MIN || v > INT32_MAX)
                            return false;
                        out = static_cast<int>(v);
                        return true;
                    });
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    TextNumber<UINT>(pDX, nIDC, value, "%u", AFX_IDP_PARSE_UINT,
                     [](const std::string& text, UINT& out)
                     {
                         unsigned long v = 0;
                         if (HasMinus(text) || !Parse<unsigned long>(text, v, ToULong) || v > UINT32_MAX)
                             return false;
                         out = static_cast<UINT>(v);
                         return true;
                     });
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    TextNumber<long>(pDX, nIDC, value, "%ld", AFX_IDP_PARSE_INT,
                     [](const std::string& text, long& out) { return Parse<long>(text, out, ToLong); });
}

void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value)
{
    TextNumber<unsigned long>(pDX, nIDC, value, "%lu", AFX_IDP_PARSE_UINT,
                              [](const std::string& text, unsigned long& out)
                              { return !HasMinus(text) && Parse<unsigned long>(text, out, ToULong); });
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    TextNumber<double>(pDX, nIDC, value, "%.15g", AFX_IDP_PARSE_REAL,
                       [](const std::string& text, double& out) { return Parse<double>(text, out, ToDouble); });
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    CWnd* ctrl = pDX->PrepareCtrl(nIDC);
    auto* button = ctrl ? qobject_cast<QAbstractButton*>(ctrl->GetWidget()) : nullptr;
    if (!button)
        return;
    if (pDX->m_bSaveAndValidate)
        value = button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    else
        button->setChecked(value == BST_CHECKED);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    CWnd* first = pDX->PrepareCtrl(nIDC);
    if (!first)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (CWnd* ctrl = first; ctrl; ctrl = ctrl->GetWindow(GW_HWNDNEXT))
    {
        if (ctrl != first && IsGroupStart(ctrl))
            break;
        auto* button = qobject_cast<QAbstractButton*>(ctrl->GetWidget());
        if (!button)
            continue;
        if (pDX->m_bSaveAndValidate)
        {
            if (button->isChecked())
                value = index;
        }
        else
            button->setChecked(index == value);
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* combo = dynamic_cast<CComboBox*>(pDX->PrepareCtrl(nIDC));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate)
        index = combo->GetCurSel();
    else
        combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value)
{
    auto* combo = dynamic_cast<CComboBox*>(pDX->PrepareEditCtrl(nIDC));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate)
        combo->GetWindowText(value);
    // An empty text is a prefix of every item: selecting by it would show the
    // first item, and the next exchange would take that item as the value.
    else if (value.empty() || combo->SelectString(-1, value.c_str()) == CB_ERR)
    {
        combo->SetCurSel(-1);
        combo->SetWindowText(value.c_str());
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, std::string& value)
{
    auto* combo = dynamic_cast<CComboBox*>(pDX->PrepareEditCtrl(nIDC));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate)
    {
        combo->GetWindowText(value);
        return;
    }
    int index = combo->FindStringExact(-1, value.c_str());
    if (index != CB_ERR)
        combo->SetCurSel(index);
    else
        combo->SetWindowText(value.c_str());
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    if (CWnd* ctrl = pDX->PrepareCtrl(nIDC))
        rControl.SubclassWindow(ctrl->m_hWnd);
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (static_cast<int>(value.size()) > nChars)
            FailWith(pDX, AfxFormatString(AFX_IDP_PARSE_STRING_SIZE, std::to_string(nChars)));
        return;
    }
    // Loading limits what the user can type into the control just exchanged.
    if (auto* edit = dynamic_cast<CEdit*>(pDX->GetLastControl()))
        edit->LimitText(nChars);
    else if (auto* combo = dynamic_cast<CComboBox*>(pDX->GetLastControl()))
        combo->LimitText(nChars);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    Range(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    Range(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    Range(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxULong(CDataExchange* pDX, unsigned long value, unsigned long minVal, unsigned long maxVal)
{
    Range(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal)
{
    Range(pDX, value, minVal, maxVal, AFX_IDP_PARSE_REAL_RANGE);
}

std::string AfxFormatString(UINT nIDS, const std::string& s1, const std::string& s2)
{
    std::string text = AfxLoadString(nIDS);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2'))
        {
            out += text[i + 1] == '1' ? s1 : s2;
            ++i;
        }
        else
            out += text[i];
    }
    return out;
}
