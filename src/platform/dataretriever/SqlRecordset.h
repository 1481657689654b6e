#pragma once

#include "DataRetriever.h"

#include <QSqlQuery>
#include <QString>

// The rows of a Qt SQL query on a connection of its own, which goes with it.
class CSqlRecordset : public IDrRecordset
{
public:
    // Takes the executed query and the name of its connection.
    CSqlRecordset(QSqlQuery query, QString strConnectionName);
    ~CSqlRecordset() override;
    CSqlRecordset(const CSqlRecordset&) = delete;
    CSqlRecordset& operator=(const CSqlRecordset&) = delete;

    bool IsBOF() const override { return m_bBOF; }
    bool IsEOF() const override { return m_bEOF; }
    DRRESULT MoveFirst() override;
    DRRESULT MoveNext() override;
    int GetFieldCount() const override;
    std::string GetFieldName(int nField) const override;
    bool GetFieldValue(int nField, std::string& strValue) const override;

private:
    QSqlQuery m_query;
    QString m_strConnectionName;
    bool m_bBOF = true;
    bool m_bEOF = true;
};
