#pragma once

// The query component: DefineQuery lets the author define a query (a
// connection text and the query text), ExecuteQuery runs it and hands back
// the result, which is a recordset for a query that returns rows. Results
// are HRESULT-style values: 0 success, 1 the author cancelled, negative a
// failure.
//
// The connection text holds "key=value" pairs separated by ';': "driver"
// (the Qt SQL driver, "QSQLITE", "QPSQL", ...), "database", "host", "port",
// "user", "password".

#include <cstdint>
#include <functional>
#include <string>

typedef int32_t DRRESULT;

#define DR_S_OK ((DRRESULT)0)
#define DR_S_FALSE ((DRRESULT)1)
#define DR_E_NOINTERFACE ((DRRESULT)0x80004002u)
#define DR_E_FAIL ((DRRESULT)0x80004005u)
#define DR_E_INVALIDARG ((DRRESULT)0x80070057u)
#define DR_E_OUTOFMEMORY ((DRRESULT)0x8007000Eu)

class IDrRecordset;

// What ExecuteQuery hands back; the caller deletes it.
class IDrResult
{
public:
    virtual ~IDrResult() = default;
    // The result as a recordset; null when it is none.
    virtual IDrRecordset* GetRecordset() = 0;
};

// Records in order, one current record at a time. An empty recordset is at
// its start and at its end at once.
class IDrRecordset : public IDrResult
{
public:
    IDrRecordset* GetRecordset() override { return this; }

    virtual bool IsBOF() const = 0;
    virtual bool IsEOF() const = 0;
    virtual DRRESULT MoveFirst() = 0;
    virtual DRRESULT MoveNext() = 0;
    virtual int GetFieldCount() const = 0;
    virtual std::string GetFieldName(int nField) const = 0;
    // The current record's field as text (UTF-8); false for a database null
    // or a value that has no text.
    virtual bool GetFieldValue(int nField, std::string& strValue) const = 0;
};

class IDrRetriever
{
public:
    virtual ~IDrRetriever() = default;
    // *pnOptions is given as 1 and passed back to ExecuteQuery as it comes.
    virtual DRRESULT DefineQuery(std::string& strConnection, std::string& strQuery, int32_t* pnOptions) = 0;
    virtual DRRESULT ExecuteQuery(const std::string& strConnection, const std::string& strQuery, int32_t nOptions,
                                  IDrResult** ppResult) = 0;
};

// Creates the component (the caller deletes it); DR_E_FAIL without one.
DRRESULT DrCreateRetriever(IDrRetriever** ppRetriever);
// The text of the last failure of ExecuteQuery, for the debug output.
std::string DrGetLastErrorText();

// Seams for tests and headless hosts. The factory replaces creation; the
// definition handler replaces the author's query definition window and
// answers like DefineQuery. Empty functions restore the defaults.
typedef std::function<DRRESULT(IDrRetriever** ppRetriever)> DR_RETRIEVER_FACTORY;
void DrSetRetrieverFactory(DR_RETRIEVER_FACTORY factory);
typedef std::function<DRRESULT(std::string& strConnection, std::string& strQuery)> DR_QUERY_DEFINITION_HANDLER;
void DrSetQueryDefinitionHandler(DR_QUERY_DEFINITION_HANDLER handler);
