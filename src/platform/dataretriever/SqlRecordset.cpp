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

void AppendUtf8(std::string& strOut, const QString& strText)
{
    const size_t nStart = strOut.size();
    strOut.resize(nStart + static_cast<size_t>(strText.size()));
    char* pOut = strOut.data() + nStart;
    for (QChar c : strText)
    {
        if (c.unicode() >= 0x80)
        {
            strOut.resize(nStart);
            strOut += strText.toUtf8().toStdString();
            return;
        }
        *pOut++ = static_cast<char>(c.unicode());
    }
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
    if (value.isNull())
        return false;
    // Whole numbers and texts are the commonest values: they are written
    // out without a copy through QString and its UTF-8 bytes.
    switch (value.typeId())
    {
    case QMetaType::Int:
    case QMetaType::LongLong:
        AppendNumber(strValue, value.toLongLong());
        return true;
    case QMetaType::QString:
        AppendUtf8(strValue, *static_cast<const QString*>(value.constData()));
        return true;
    default:
        if (!value.canConvert<QString>())
            return false;
        AppendUtf8(strValue, value.toString());
        return true;
    }
}
