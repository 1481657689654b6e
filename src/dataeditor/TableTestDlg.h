#pragma once

#include "TarvoExport.h"
#include "afx/Dialog.h"

// "Table Information": how many iterations a data file feeds, given its
// rows, the rows each iteration takes and the first data line.
class TARVO_API CTableTestDlg : public CDialog
{
public:
    CTableTestDlg(int nRowsInTable, int nRowsPerIteration, int nFirstLine, CWnd* pParentWnd = nullptr);

    BOOL OnInitDialog() override;

    int m_nRowsInTable;
    int m_nRowsPerIteration;
    int m_nFirstLine;
};
