#pragma once

#include "TempDir.h"

#include <string>

// A script directory for simulations: a ".usr" file with its configuration
// and run logic, a parameter file and the data files the test writes, and an
// installation root with the type definitions the allocation reads.
class CSimScript
{
public:
    CSimScript();
    ~CSimScript();

    // A data-file parameter over the file, with the extra attribute lines.
    static std::string Param(const std::string& strName, const std::string& strFile, const std::string& strExtra);
    // A file with a header "Value" and the rows v1 ... vN.
    void WriteRows(const std::string& strFile, int nRows) const;
    void WriteParams(const std::string& strText) const { m_script.Write("s.prm", strText); }

    std::string DatFile() const { return m_root.File("dat/param.dat"); }
    std::string ParamFile() const { return m_script.File("s.prm"); }
    std::string UsrFile() const { return m_script.File("s.usr"); }
    const CTempDir& Dir() const { return m_script; }

private:
    CTempDir m_root;
    CTempDir m_script;
};
