#include "ManagerFixture.h"

#include "afx/DebugOutput.h"

namespace
{
const char* const TYPES_TEXT = R"([ParameterTypes]
Table=TypeTable
TTable=TypeTTable
Random=TypeRandom
Custom=TypeCustom
XML=TypeXML
Shy=TypeShy
Plugged=TypePlugged

[TypeTable]
TypeName=File
DisplayUI=FileTab
Hidden=False

[TypeTTable]
TypeName=Table
DisplayUI=TableTab

[TypeRandom]
TypeName=Random Number
DisplayUI=RandomTab

[TypeCustom]
TypeName=Custom
DisplayUI=CustomTab

[TypeXML]
TypeName=XML
Hidden=True

[TypeShy]
TypeName=Shy
Hidden=true

[TypePlugged]
DisplayUI=DLL:)" MANAGER_TEST_PLUGIN_PATH R"(

[EngineTypes]
Table=OriginalValue,TableLocation,Table,ColumnName,StartRow,Delimiter,SelectNextRow,GenerateNewVal,Prompt
TTable=OriginalValue,Table,ColumnName,Delimiter,SelectNextRow
Random=OriginalValue,Format,MinValue,MaxValue
Custom=OriginalValue,CurrentValue,Prompt,IsServer,IsEncrypt
XML=OriginalValue,SelectNextRow
Shy=OriginalValue
Plugged=OriginalValue
Odd=OriginalValue
)";

const char* const PRM_TEXT = R"([Hidden1]
Type=XML
OriginalValue=h

[CustomerName]
Type=Table
Table=customers.dat
ColumnName=Col 1
Delimiter=,
StartRow=1
SelectNextRow=Random
OriginalValue=Smith
Prompt=Who

[City]
Type=Table
Table=customers.dat
Delimiter=;
SelectNextRow=Same line as CustomerName

[Street]
Type=TTable
Table=customers.dat
SelectNextRow=Same line as CustomerName

[Amount]
Type=Random
MinValue=5
OriginalValue=42

[Odd]
Type=Odd

[Gadget]
Type=Plugged
)";
} // namespace

int CRecordingExt::OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData)
{
    SHeard heard{nCode, pszData ? pszData : "<null>", ""};
    if (pszData && (nCode == UPD_RENAMED || nCode == UPD_DELETED))
        heard.strSecond = pszData + heard.strData.size() + 1;
    m_arrHeard.push_back(heard);
    m_arrSenders.push_back(pSender);
    if (m_fnOnHear)
        m_fnOnHear(nCode);
    return m_nAnswer;
}

std::vector<unsigned> CRecordingExt::Codes() const
{
    std::vector<unsigned> arrCodes;
    for (const SHeard& heard : m_arrHeard)
        arrCodes.push_back(heard.nCode);
    return arrCodes;
}

const SHeard* CRecordingExt::Find(unsigned nCode) const
{
    for (const SHeard& heard : m_arrHeard)
        if (heard.nCode == nCode)
            return &heard;
    return nullptr;
}

ManagerTest::ManagerTest()
{
    m_strTypes = m_dir.Write("param.dat", TYPES_TEXT);
    m_strPrm = m_dir.Write("script/script.prm", PRM_TEXT);
    AfxSetDebugOutputSink([this](const std::string& text) { m_strDebug += text; });
}

ManagerTest::~ManagerTest()
{
    AfxSetDebugOutputSink(nullptr);
}

std::unique_ptr<CTestMgr> ManagerTest::LoadedManager()
{
    auto mgr = std::make_unique<CTestMgr>(m_strTypes.c_str());
    mgr->AddParamFile(m_strPrm.c_str(), "script");
    return mgr;
}

std::vector<std::string> ManagerTest::Names(CTarvoMgr& mgr)
{
    std::vector<std::string> arrNames;
    mgr.EnumParamNames(&arrNames);
    return arrNames;
}
