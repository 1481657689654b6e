#pragma once

#include <string>
#include <vector>

// A delimited data file as the value generator reads it: the first line names
// the columns, every further non-empty line is a row. A field that starts with
// a double quote runs to the next lone double quote ("" stands for one), so it
// may hold the delimiter. A leading UTF-8 byte-order mark is skipped.
class CDataFile
{
public:
    // Reads the file; firstDataLine 1 is the first line after the names.
    // False when the file cannot be read.
    bool Load(const std::string& path, const std::string& delimiter, long firstDataLine);

    const std::vector<std::string>& GetColumnNames() const { return m_arrNames; }
    size_t GetRowCount() const { return m_arrRows.size(); }
    // Empty for a cell the row lacks.
    const std::string& GetCell(size_t row, size_t column) const;
    // Index of the column with that name, ignoring case; -1 when none.
    long FindColumn(const std::string& name) const;

private:
    std::vector<std::string> Split(const std::string& line) const;

    std::string m_strDelimiter;
    std::vector<std::string> m_arrNames;
    std::vector<std::vector<std::string>> m_arrRows;
};
