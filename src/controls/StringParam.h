#pragma once

#include "TarvoExport.h"

#include <memory>
#include <string>

// One argument of FormatResourceString: its own copy of a text, or of a
// number written in a radix.
class TARVO_API CStringParam
{
public:
    CStringParam(const char* pszText = "");
    CStringParam(const std::string& strText);
    CStringParam(long lValue, int nRadix);
    CStringParam(const CStringParam& other);
    CStringParam& operator=(const CStringParam& other);
    virtual ~CStringParam();

    const char* GetText() const { return m_pszText.get(); }

private:
    void Assign(const char* pszText);

    std::unique_ptr<char[]> m_pszText;
};

// Loads string resource nID (at most 1024 characters), fills its %1 ... %9
// with the texts and stores the result in strTarget. Returns 0 and leaves the
// target as it was when there is no such string.
TARVO_API int FormatResourceString(std::string& strTarget, unsigned int nID, const CStringParam& p1 = CStringParam(),
                                   const CStringParam& p2 = CStringParam(), const CStringParam& p3 = CStringParam(),
                                   const CStringParam& p4 = CStringParam(), const CStringParam& p5 = CStringParam(),
                                   const CStringParam& p6 = CStringParam(), const CStringParam& p7 = CStringParam(),
                                   const CStringParam& p8 = CStringParam(), const CStringParam& p9 = CStringParam());

// The same for the table's messages written with printf conversions: each
// "%s" or "%d" takes the next text (a number as CStringParam(n, 10)); "%%"
// gives "%" and any other "%" is copied as it is, so no text of the table can
// make it read past the texts given. A missing text counts as empty.
// Returns 0 and leaves the target as it was when there is no such string.
TARVO_API int FormatResourcePrintf(std::string& strTarget, unsigned int nID, const CStringParam& p1 = CStringParam(),
                                   const CStringParam& p2 = CStringParam(), const CStringParam& p3 = CStringParam(),
                                   const CStringParam& p4 = CStringParam(), const CStringParam& p5 = CStringParam(),
                                   const CStringParam& p6 = CStringParam(), const CStringParam& p7 = CStringParam(),
                                   const CStringParam& p8 = CStringParam(), const CStringParam& p9 = CStringParam());
