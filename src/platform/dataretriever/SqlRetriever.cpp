#include "SqlRetriever.h"

#include "QueryDefinitionDlg.h"
#include "SqlRecordset.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>
#include <cctype>

namespace
{
DR_RETRIEVER_FACTORY g_factory;
DR_QUERY_DEFINITION_HANDLER g_definitionHandler;
std::string g_strLastError;

std::string Trimmed(const std::string& strText)
{
    size_t nFirst = strText.find_first_not_of(" \t");
    size_t nLast = strText.find_last_not_of(" \t");
    return nFirst == std::string::npos ? std::string() : strText.substr(nFirst, nLast - nFirst + 1);
}

QString Value(const std::map<std::string, std::string>& mapPairs, const char* pszKey)
{
    auto it = mapPairs.find(pszKey);
    return it == mapPairs.end() ? QString() : QString::fromStdString(it->second);
}

DRRESULT Fail(const QString& strText)
{
    g_strLastError = strText.toStdString();
    return DR_E_FAIL;
}
} // namespace

std::map<std::string, std::string> CSqlRetriever::ParseConnection(const std::string& strConnection)
{
    std::map<std::string, std::string> mapPairs;
    size_t nStart = 0;
    while (nStart <= strConnection.size())
    {
        size_t nEnd = std::min(strConnection.find(';', nStart), strConnection.size());
        std::string strPair = strConnection.substr(nStart, nEnd - nStart);
        size_t nEquals = strPair.find('=');
        if (nEquals != std::string::npos)
        {
            std::string strKey = Trimmed(strPair.substr(0, nEquals));
            std::transform(strKey.begin(), strKey.end(), strKey.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            mapPairs[strKey] = Trimmed(strPair.substr(nEquals + 1));
        }
        nStart = nEnd + 1;
    }
    return mapPairs;
}

DRRESULT CSqlRetriever::DefineQuery(std::string& strConnection, std::string& strQuery, int32_t* pnOptions)
{
    if (!pnOptions)
        return DR_E_INVALIDARG;
    if (g_definitionHandler)
        return g_definitionHandler(strConnection, strQuery);
    CQueryDefinitionDlg dlg(strConnection, strQuery);
    if (dlg.exec() != QDialog::Accepted)
        return DR_S_FALSE;
    strConnection = dlg.GetConnection();
    strQuery = dlg.GetQuery();
    return DR_S_OK;
}

DRRESULT CSqlRetriever::ExecuteQuery(const std::string& strConnection, const std::string& strQuery, int32_t,
                                     IDrResult** ppResult)
{
    if (!ppResult)
        return DR_E_INVALIDARG;
    *ppResult = nullptr;
    std::map<std::string, std::string> mapPairs = ParseConnection(strConnection);
    QString strDriver = Value(mapPairs, "driver");
    if (!QSqlDatabase::isDriverAvailable(strDriver))
        return Fail("no database driver \"" + strDriver + "\"");
    // SQLite would open an empty database in place of a missing file.
    if (strDriver == "QSQLITE" && !QFileInfo(Value(mapPairs, "database")).isFile())
        return Fail("no database file \"" + Value(mapPairs, "database") + "\"");
    static std::atomic<int> s_nConnections{0};
    QString strName = QString("tarvo-query-%1").arg(++s_nConnections);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(strDriver, strName);
        db.setDatabaseName(Value(mapPairs, "database"));
        db.setHostName(Value(mapPairs, "host"));
        if (!Value(mapPairs, "port").isEmpty())
            db.setPort(Value(mapPairs, "port").toInt());
        db.setUserName(Value(mapPairs, "user"));
        db.setPassword(Value(mapPairs, "password"));
        // SQLite would create a missing database file: a query never does.
        if (strDriver == "QSQLITE")
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
        QSqlQuery query(db);
        // Forward only: the driver keeps the current row, not every row read.
        query.setForwardOnly(true);
        if (db.open() && query.exec(QString::fromStdString(strQuery)))
        {
            *ppResult = new CSqlRecordset(std::move(query), strName);
            return DR_S_OK;
        }
        g_strLastError = (db.isOpen() ? query.lastError() : db.lastError()).text().toStdString();
    }
    QSqlDatabase::removeDatabase(strName);
    return DR_E_FAIL;
}

DRRESULT DrCreateRetriever(IDrRetriever** ppRetriever)
{
    if (!ppRetriever)
        return DR_E_INVALIDARG;
    *ppRetriever = nullptr;
    if (g_factory)
        return g_factory(ppRetriever);
    *ppRetriever = new CSqlRetriever;
    return DR_S_OK;
}

std::string DrGetLastErrorText()
{
    return g_strLastError;
}

void DrSetRetrieverFactory(DR_RETRIEVER_FACTORY factory)
{
    g_factory = std::move(factory);
}

void DrSetQueryDefinitionHandler(DR_QUERY_DEFINITION_HANDLER handler)
{
    g_definitionHandler = std::move(handler);
}
