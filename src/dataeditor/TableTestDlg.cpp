#include "dataeditor/TableTestDlg.h"

#include "resources/DataEditorDialogs.h"
#include "resources/StringIds.h"

#include <cstdio>
#include <vector>

CTableTestDlg::CTableTestDlg(int nRowsInTable, int nRowsPerIteration, int nFirstLine, CWnd* pParentWnd)
    : CDialog(IDD_TABLE_INFO, pParentWnd), m_nRowsInTable(nRowsInTable), m_nRowsPerIteration(nRowsPerIteration),
      m_nFirstLine(nFirstLine)
{
}

BOOL CTableTestDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemInt(IDC_TABLE_INFO_ROWS, static_cast<UINT>(m_nRowsInTable), TRUE);
    SetDlgItemInt(IDC_TABLE_INFO_ROWS_PER_ITERATION, static_cast<UINT>(m_nRowsPerIteration), TRUE);
    SetDlgItemInt(IDC_TABLE_INFO_FIRST_LINE, static_cast<UINT>(m_nFirstLine), TRUE);
    long long nIterations = 0;
    long long nSkipped = 0;
    if (m_nRowsInTable > 0 && m_nRowsPerIteration > 0)
    {
        nIterations = (static_cast<long long>(m_nRowsInTable) - m_nFirstLine + 1) / m_nRowsPerIteration;
        nSkipped = m_nRowsInTable - static_cast<long long>(m_nRowsPerIteration) * nIterations;
    }
    std::string strFormat = AfxLoadString(nSkipped != 0 ? IDS_LINES_SKIPPED : IDS_LINES_ENOUGH);
    std::vector<char> text(strFormat.size() + 64);
    snprintf(text.data(), text.size(), strFormat.c_str(), static_cast<int>(nIterations), static_cast<int>(nSkipped));
    SetDlgItemText(IDC_TABLE_INFO_TEXT, text.data());
    return TRUE;
}
