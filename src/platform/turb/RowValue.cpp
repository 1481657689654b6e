#include "RowValue.h"

#include "turb/Turb.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace
{
const char SAME_LINE[] = "Same line as ";
const size_t SAME_LINE_LENGTH = sizeof SAME_LINE - 1;
// More rows per value than this would make one value take minutes and
// gigabytes to build (and overflow the row arithmetic); such a definition is
// not valid.
const long long MAX_ROWS_PER_VALUE = 1000000;

// A whole decimal number, or false.
bool ParseNumber(const std::string& text, long long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0';
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
} // namespace

CRowValue::CRowValue(const SValueSetup& setup, bool bWholeRows)
    : CParamValue(ParseUpdate(setup.fnAttrib("GenerateNewVal"), EUpdate::EachIteration)), m_bWholeRows(bWholeRows),
      m_eOutOfRange(ParseOutOfRange(setup.fnAttrib("OutOfRangePolicy"))), m_pRandom(setup.pRandom),
      m_fnFindValue(setup.fnFindValue)
{
    std::string select = setup.fnAttrib("SelectNextRow");
    if (strcasecmp(select.c_str(), "Random") == 0)
        m_eSelect = ESelect::Random;
    else if (strcasecmp(select.c_str(), "Unique") == 0)
        m_eSelect = ESelect::Unique;
    else if (strncasecmp(select.c_str(), SAME_LINE, SAME_LINE_LENGTH) == 0)
    {
        m_eSelect = ESelect::SameLine;
        m_strAnchor = select.substr(SAME_LINE_LENGTH);
    }

    long long startRow = 1;
    std::string startText = Trim(setup.fnAttrib("StartRow"));
    m_strDelimiter = setup.fnAttrib("Delimiter");
    if (m_strDelimiter.empty())
        m_strDelimiter = ",";
    m_strRowDelimiter = setup.fnAttrib("RowDelimiter");
    bool bRowsValid = true;
    if (bWholeRows)
    {
        long long rows = 1;
        if (ParseNumber(Trim(setup.fnAttrib("RowsInInstance")), rows) && rows > 1)
            m_nRowsPerValue = rows;
        bRowsValid = m_nRowsPerValue <= MAX_ROWS_PER_VALUE;
        m_bOnlyExistingRows = strcasecmp(setup.fnAttrib("NotEnoughRowsPolicy").c_str(), "OnlyExistingRows") == 0;
    }
    bool bReadable = (startText.empty() || ParseNumber(startText, startRow)) && !setup.strDataFile.empty() &&
                     m_file.Load(setup.strDataFile, m_strDelimiter, startRow < 1 ? 1 : startRow);
    if (!bRowsValid || !bReadable || m_file.GetRowCount() == 0 || !LoadColumns(setup))
        InvalidateDefinition();
}

bool CRowValue::LoadColumns(const SValueSetup& setup)
{
    size_t count = m_file.GetColumnNames().size();
    if (!m_bWholeRows)
    {
        std::string column = setup.fnAttrib("ColumnName");
        long long number = 0;
        long index = -1;
        if (column.size() >= 5 && strncasecmp(column.c_str(), "Col ", 4) == 0 && ParseNumber(column.substr(4), number))
            index = number >= 1 && static_cast<size_t>(number) <= count ? number - 1 : -1;
        else
            index = m_file.FindColumn(column);
        if (index < 0)
            return false;
        m_arrColumns.push_back(static_cast<size_t>(index));
        return true;
    }
    // An empty list takes every column; otherwise 1-based column numbers.
    std::string list = Trim(setup.fnAttrib("ColumnIndexesList"));
    for (size_t i = 0; list.empty() && i < count; ++i)
        m_arrColumns.push_back(i);
    size_t start = 0;
    while (start < list.size())
    {
        size_t comma = list.find(',', start);
        long long number = 0;
        std::string item = Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!ParseNumber(item, number) || number < 1 || static_cast<size_t>(number) > count)
            return false;
        m_arrColumns.push_back(static_cast<size_t>(number - 1));
        start = comma == std::string::npos ? list.size() : comma + 1;
    }
    return !m_arrColumns.empty();
}

long CRowValue::GetRow() const
{
    return m_eSelect == ESelect::SameLine ? -1 : static_cast<long>(m_nRow);
}

bool CRowValue::OnStartVuser(const SVuserStart& start)
{
    m_nFirst = 0;
    m_nLast = static_cast<long long>(m_file.GetRowCount()) - 1;
    if (m_eSelect == ESelect::Unique && !ParseRange(Trim(start.strAllocatedRange)))
        return false;
    m_nRow = m_eSelect == ESelect::Random ? RandomRow() : m_nFirst;
    return true;
}

bool CRowValue::ParseRange(const std::string& text)
{
    if (text.empty())
        return true;
    size_t dash = text.find('-');
    long long first = 0, last = 0;
    if (!ParseNumber(Trim(text.substr(0, dash)), first))
        return false;
    if (dash == std::string::npos)
        last = first;
    else if (!ParseNumber(Trim(text.substr(dash + 1)), last))
        return false;
    // Rows past the end of the file are not there to hand out.
    if (first < 1 || first > last || first - 1 > m_nLast)
        return false;
    m_nFirst = first - 1;
    m_nLast = std::min(last - 1, m_nLast);
    return true;
}

long long CRowValue::RandomRow()
{
    std::uniform_int_distribution<long long> draw(0, static_cast<long long>(m_file.GetRowCount()) - 1);
    return draw(*m_pRandom);
}

int CRowValue::Step()
{
    switch (m_eSelect)
    {
    case ESelect::Sequential:
        m_nRow = (m_nRow + m_nRowsPerValue) % static_cast<long long>(m_file.GetRowCount());
        return TURB_OK;
    case ESelect::Random:
        m_nRow = RandomRow();
        return TURB_OK;
    case ESelect::Unique:
        return StepInRange(m_nRow, m_nRowsPerValue, m_nFirst, m_nLast, m_eOutOfRange) ? TURB_OK : TURB_E_OUT_OF_VALUES;
    case ESelect::SameLine:
        return TURB_OK; // moves with its anchor
    }
    return TURB_OK;
}

int CRowValue::Current(std::string& value)
{
    long long row = m_nRow;
    if (m_eSelect == ESelect::SameLine)
    {
        CParamValue* anchor = m_fnFindValue ? m_fnFindValue(m_strAnchor) : nullptr;
        row = anchor && anchor->IsValid() ? anchor->GetRow() : -1;
        if (row < 0 || static_cast<size_t>(row) >= m_file.GetRowCount())
            return TURB_E_NO_VALUE;
    }
    if (!m_bWholeRows)
    {
        value = m_file.GetCell(static_cast<size_t>(row), m_arrColumns.front());
        return TURB_OK;
    }
    long long count = static_cast<long long>(m_file.GetRowCount());
    for (long long i = 0; i < m_nRowsPerValue; ++i)
    {
        if (row + i >= count && m_bOnlyExistingRows)
            break;
        if (i > 0)
            value += m_strRowDelimiter;
        value += RowText(static_cast<size_t>((row + i) % count));
    }
    return TURB_OK;
}

std::string CRowValue::RowText(size_t row) const
{
    std::string text;
    for (size_t i = 0; i < m_arrColumns.size(); ++i)
    {
        if (i > 0)
            text += m_strDelimiter;
        text += m_file.GetCell(row, m_arrColumns[i]);
    }
    return text;
}
