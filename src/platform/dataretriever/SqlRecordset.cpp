#include "SqlRecordset.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QVariant>

CSqlRecordset::CSqlRecordset(QSqlQuery query, QString strConnectionName)
    : m_query(std::move(query)), m_strConnectionName(std::move(strConnectionName))
{
    MoveFirst();
}

CSqlRecordset::~CSqlRecordset()
{
    // The connection can go only once no query uses it.
    m_query = QSqlQuery();
    QSqlDatabase::database(m_strConnectionName, false).close();
    QSqlDatabase::removeDatabase(m_strConnectionName);
}

DRRESULT CSqlRecordset::MoveFirst()
{
    bool bAny = m_query.isSelect() && m_query.first();
    m_bBOF = !bAny;
    m_bEOF = !bAny;
    return DR_S_OK;
}

DRRESULT CSqlRecordset::MoveNext()
{
    if (m_bEOF)
        return DR_E_FAIL;
    m_bBOF = false;
    m_bEOF = !m_query.next();
    return DR_S_OK;
}

int CSqlRecordset::GetFieldCount() const
{
    return m_query.record().count();
}

std::string CSqlRecordset::GetFieldName(int nField) const
{
    return m_query.record().fieldName(nField).toStdString();
}

bool CSqlRecordset::GetFieldValue(int nField, std::string& strValue) const
{
    strValue.clear();
    if (m_bEOF || nField < 0 || nField >= GetFieldCount())
        return false;
    QVariant value = m_query.value(nField);
    if (value.isNull() || !value.canConvert<QString>())
        return false;
    strValue = value.toString().toStdString();
    return true;
}
