#pragma once

#include "DataRetriever.h"

#include <map>
#include <string>

// The component over Qt SQL: the query is defined in the query definition
// window and run on a connection opened for it alone.
class CSqlRetriever : public IDrRetriever
{
public:
    DRRESULT DefineQuery(std::string& strConnection, std::string& strQuery, int32_t* pnOptions) override;
    DRRESULT ExecuteQuery(const std::string& strConnection, const std::string& strQuery, int32_t nOptions,
                          IDrResult** ppResult) override;

    // The pairs of a connection text; keys in lower case.
    static std::map<std::string, std::string> ParseConnection(const std::string& strConnection);
};
