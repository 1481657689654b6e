#pragma once

// The cells behind a grid control: column names, a row count, and texts read
// on demand through a reader (an open data table, say), with the texts set
// since kept beside it. No object exists per row or per cell, so a grid of
// millions of rows costs what its columns and changed cells cost.

#include <QAbstractTableModel>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Reads one cell's text; false when the cell has none (it shows empty).
typedef std::function<bool(int nColumn, int nRow, std::string& strText)> AFX_GRID_CELL_READER;

class CGridModel : public QAbstractTableModel
{
public:
    explicit CGridModel(QObject* pParent) : QAbstractTableModel(pParent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation, int nRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A user's edit: kept, then reported through m_onEdited.
    bool setData(const QModelIndex& index, const QVariant& value, int nRole) override;

    void Clear();
    void InsertColumn(int nPosition, const std::string& strName);
    const std::string& GetColumnName(int nColumn) const { return m_vecNames[static_cast<size_t>(nColumn)]; }
    // Rows added are empty unless the reader has them; rows removed lose their texts.
    void SetRowCount(int nRows);
    void SetReader(AFX_GRID_CELL_READER reader);
    std::string GetText(int nColumn, int nRow) const;
    void SetText(int nColumn, int nRow, const std::string& strText);
    // Cells whose text was set since the reader came, as (row, column), in order.
    std::vector<std::pair<int, int>> GetSetCells() const;
    void SetReadOnly(bool bReadOnly) { m_bReadOnly = bReadOnly; }
    bool IsReadOnly() const { return m_bReadOnly; }
    void SetRowNumbers(bool bRowNumbers) { m_bRowNumbers = bRowNumbers; }

    std::function<void(int nRow, int nColumn)> m_onEdited;

private:
    std::vector<std::string> m_vecNames;
    int m_nRows = 0;
    AFX_GRID_CELL_READER m_reader;
    std::map<std::pair<int, int>, std::string> m_mapTexts; // (row, column) set since the reader came
    bool m_bReadOnly = false;
    bool m_bRowNumbers = false;
};
