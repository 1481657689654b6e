#include "SimScript.h"

#include "sendrel/Sendrel.h"

CSimScript::CSimScript()
{
    m_root.Write("dat/param.dat", ReadFileBytes(std::string(TARVO_SOURCE_DIR) + "/dat/param.dat"));
    Sendrel_SetInstallRoot(m_root.Path().c_str());
    m_script.Write("s.usr", "[General]\nParameterFile=s.prm\nDefaultCfg=default.cfg\n");
    m_script.Write("default.cfg", "[General]\nDefaultRunLogic=default.run\n");
    m_script.Write("default.run", "[RunLogicRunRoot]\nRunLogicNumOfIterations=3\n");
}

CSimScript::~CSimScript()
{
    Sendrel_SetInstallRoot(nullptr);
}

std::string CSimScript::Param(const std::string& strName, const std::string& strFile, const std::string& strExtra)
{
    return "[" + strName + "]\nType=Table\nTable=" + strFile + "\nColumnName=Value\nDelimiter=,\nStartRow=1\n" +
           strExtra;
}

void CSimScript::WriteRows(const std::string& strFile, int nRows) const
{
    std::string strText = "Value\n";
    for (int i = 1; i <= nRows; ++i)
        strText += "v" + std::to_string(i) + "\n";
    m_script.Write(strFile, strText);
}
