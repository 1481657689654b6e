#pragma once

#include "DataFile.h"
#include "ParamValue.h"

#include <vector>

// Values of data-file parameters: a column of the current row ("Table"), or
// whole rows of chosen columns ("TTable"). "SelectNextRow" decides how the row
// moves: "Sequential" from the first data row with wrap-around, "Random"
// uniformly, "Unique" through the Vuser's "SimAllocatedRange" (1-based rows
// first-last; all rows when empty) with "OutOfRangePolicy" past its end, or
// "Same line as <name>" on the row of that parameter.
class CRowValue : public CParamValue
{
public:
    CRowValue(const SValueSetup& setup, bool bWholeRows);

    long GetRow() const override;

protected:
    bool OnStartVuser(const SVuserStart& start) override;
    int Step() override;
    int Current(std::string& value) override;

private:
    enum class ESelect
    {
        Sequential,
        Random,
        Unique,
        SameLine
    };

    bool LoadColumns(const SValueSetup& setup);
    bool ParseRange(const std::string& text);
    long long RandomRow();
    std::string RowText(size_t row) const;

    bool m_bWholeRows;
    CDataFile m_file;
    std::vector<size_t> m_arrColumns;
    ESelect m_eSelect = ESelect::Sequential;
    std::string m_strAnchor;
    EOutOfRange m_eOutOfRange;
    std::string m_strDelimiter;
    std::string m_strRowDelimiter;
    long long m_nRowsPerValue = 1;
    bool m_bOnlyExistingRows = false;
    long long m_nFirst = 0;
    long long m_nLast = 0;
    long long m_nRow = 0;
    std::mt19937_64* m_pRandom;
    std::function<CParamValue*(const std::string&)> m_fnFindValue;
};
