#include "GridModel.h"

int CGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int CGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_vecNames.size());
}

QVariant CGridModel::data(const QModelIndex& index, int nRole) const
{
    if (!index.isValid() || (nRole != Qt::DisplayRole && nRole != Qt::EditRole))
        return QVariant();
    return QString::fromStdString(GetText(index.column(), index.row()));
}

QVariant CGridModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (nRole == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (nRole != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return nSection >= 0 && nSection < columnCount() ? QString::fromStdString(GetColumnName(nSection)) : QVariant();
    return m_bRowNumbers ? QVariant(QString::number(nSection + 1)) : QVariant(QString());
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return m_bReadOnly ? flags : flags | Qt::ItemIsEditable;
}

bool CGridModel::setData(const QModelIndex& index, const QVariant& value, int nRole)
{
    if (!index.isValid() || nRole != Qt::EditRole || m_bReadOnly)
        return false;
    std::string strText = value.toString().toStdString();
    if (strText == GetText(index.column(), index.row()))
        return true;
    SetText(index.column(), index.row(), strText);
    if (m_onEdited)
        m_onEdited(index.row(), index.column());
    return true;
}

void CGridModel::Clear()
{
    beginResetModel();
    m_vecNames.clear();
    m_nRows = 0;
    m_reader = nullptr;
    m_mapTexts.clear();
    endResetModel();
}

void CGridModel::InsertColumn(int nPosition, const std::string& strName)
{
    beginInsertColumns(QModelIndex(), nPosition, nPosition);
    m_vecNames.insert(m_vecNames.begin() + nPosition, strName);
    std::map<std::pair<int, int>, std::string> mapMoved;
    for (auto& text : m_mapTexts)
    {
        int nColumn = text.first.second >= nPosition ? text.first.second + 1 : text.first.second;
        mapMoved[{text.first.first, nColumn}] = std::move(text.second);
    }
    m_mapTexts.swap(mapMoved);
    endInsertColumns();
}

// Rows come and go as a range: no view keeps anything per row.
void CGridModel::SetRowCount(int nRows)
{
    if (nRows > m_nRows)
    {
        beginInsertRows(QModelIndex(), m_nRows, nRows - 1);
        m_nRows = nRows;
        endInsertRows();
    }
    else if (nRows < m_nRows)
    {
        beginRemoveRows(QModelIndex(), nRows, m_nRows - 1);
        m_mapTexts.erase(m_mapTexts.lower_bound({nRows, 0}), m_mapTexts.end());
        m_nRows = nRows;
        endRemoveRows();
    }
}

void CGridModel::SetReader(AFX_GRID_CELL_READER reader)
{
    m_reader = std::move(reader);
    m_mapTexts.clear();
    if (m_nRows > 0 && !m_vecNames.empty())
        emit dataChanged(index(0, 0), index(m_nRows - 1, columnCount() - 1));
}

std::string CGridModel::GetText(int nColumn, int nRow) const
{
    auto it = m_mapTexts.find({nRow, nColumn});
    if (it != m_mapTexts.end())
        return it->second;
    std::string strText;
    if (!m_reader || !m_reader(nColumn, nRow, strText))
        strText.clear();
    return strText;
}

void CGridModel::SetText(int nColumn, int nRow, const std::string& strText)
{
    m_mapTexts[{nRow, nColumn}] = strText;
    QModelIndex cell = index(nRow, nColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

std::vector<std::pair<int, int>> CGridModel::GetSetCells() const
{
    std::vector<std::pair<int, int>> vecCells;
    for (const auto& text : m_mapTexts)
        vecCells.push_back(text.first);
    return vecCells;
}
