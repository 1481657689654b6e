#pragma once

#include <string>
#include <vector>

// A delimited data file as the value generator reads it, through the
// data-table library: the first line names the columns, every further
// non-empty line is a row, quoted fields may hold delimiters, quotes and line
// breaks.
class CDataFile
{
public:
    // Reads the file; firstDataLine 1 is the first line after the names.
    // False when the file cannot be read or is no valid data file.
    bool Load(const std::string& path, const std::string& delimiter, long firstDataLine);

    const std::vector<std::string>& GetColumnNames() const { return m_arrNames; }
    size_t GetRowCount() const { return m_arrRows.size(); }
    // Empty for a cell the row lacks.
    const std::string& GetCell(size_t row, size_t column) const;
    // Index of the column with that name, ignoring case; -1 when none.
    long FindColumn(const std::string& name) const;

private:
    std::vector<std::string> m_arrNames;
    std::vector<std::vector<std::string>> m_arrRows;
};
