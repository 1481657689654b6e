#include "SqlRecordset.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QVariant>
#include <charconv>

namespace
{
void AppendNumber(std::string& strOut, long long nValue)
{
    char szDigits[24];
    auto result = std::to_chars(szDigits, szDigits + sizeof(szDigits), nValue);
    strOut.append(szDigits, result.ptr);
}
} // namespace

CSqlRecordset::CSqlRecordset(QSqlQuery query, QString strConnectionName)
    : m_query(std::move(query)), m_strConnectionName(std::move(strConnectionName)),
      m_nFieldCount(m_query.record().count())
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
    if (m_nRow == 0)
        return DR_S_OK;
    if (m_nRow > 0 && !m_query.exec(m_query.lastQuery()))
        return DR_E_FAIL;
    bool bAny = m_query.isSelect() && m_query.next();
    m_nRow = bAny ? 0 : -1;
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
    ++m_nRow;
    return DR_S_OK;
}

std::string CSqlRecordset::GetFieldName(int nField) const
{
    return m_query.record().fieldName(nField).toStdString();
}

bool CSqlRecordset::GetFieldValue(int nField, std::string& strValue) const
{
    strValue.clear();
    if (m_bEOF || nField < 0 || nField >= m_nFieldCount)
        return false;
    QVariant value = m_query.value(nField);
    if (value.isNull() || !value.canConvert<QString>())
        return false;
    // Whole numbers are the commonest values: their digits need no QString.
    switch (value.typeId())
    {
    case QMetaType::Int:
    case QMetaType::LongLong:
        AppendNumber(strValue, value.toLongLong());
        return true;
    default:
        break;
    }
    QByteArray utf8 = value.toString().toUtf8();
    strValue.assign(utf8.constData(), static_cast<size_t>(utf8.size()));
    return true;
}
