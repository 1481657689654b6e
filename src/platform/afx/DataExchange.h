#pragma once

// Dialog data exchange: moves values between a dialog's members and its
// controls (load), or reads and validates them back (save). A failed
// validation has shown its message and puts the focus on the control.

#include "AfxTypes.h"

#include <string>

class CWnd;

// Thrown by CDataExchange::Fail; UpdateData answers FALSE.
struct CUserException
{
};

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control with that id, remembered as the one a failure refers to.
    CWnd* PrepareCtrl(int nIDC);
    CWnd* PrepareEditCtrl(int nIDC);
    [[noreturn]] void Fail();
    CWnd* GetLastControl() const { return m_pLastControl; }

private:
    CWnd* m_pLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// value: index of the checked button of the group that starts at nIDC, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Loading selects the first item that starts with the value, ignoring case.
void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value);
// Loading selects the item equal to the value, ignoring case.
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxULong(CDataExchange* pDX, unsigned long value, unsigned long minVal, unsigned long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);

// The layer's own messages, as the string table of its resource module holds them.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_UINT 0xF116

// A string-table text with %1 ... %n replaced by the arguments.
std::string AfxFormatString(UINT nIDS, const std::string& s1, const std::string& s2 = std::string());
