#pragma once

#include "DataRetriever.h"

#include <QSqlQuery>
#include <QString>

// The rows of a Qt SQL query on a connection of its own, which goes with it.
// The query reads forward only; going back to the first record runs it again.
class CSqlRecordset : public IDrRecordset
{
public:
    // Takes the executed forward-only query and the name of its connection.
    CSqlRecordset(QSqlQuery query, QString strConnectionName);
    ~CSqlRecordset() override;
    CSqlRecordset(const CSqlRecordset&) = delete;
    CSqlRecordset& operator=(const CSqlRecordset&) = delete;

    bool IsBOF() const override { return m_bBOF; }
    bool IsEOF() const override { return m_bEOF; }
    DRRESULT MoveFirst() override;
    DRRESULT MoveNext() override;
    int GetFieldCount() const override { return m_nFieldCount; }
    std::string GetFieldName(int nField) const override;
    bool GetFieldValue(int nField, std::string& strValue) const override;

private:
    QSqlQuery m_query;
    QString m_strConnectionName;
    int m_nFieldCount;
    int m_nRow = -1; // the current record's number; -1 before the first
    bool m_bBOF = true;
    bool m_bEOF = true;
};
