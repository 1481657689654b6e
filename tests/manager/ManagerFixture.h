#pragma once

#include "TempDir.h"

#include "manager/TarvoMgr.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The manager with its protected parts within the tests' reach.
class CTestMgr : public CTarvoMgr
{
public:
    using CTarvoMgr::CTarvoMgr;
    using CTarvoMgr::HandleSyntax;
    const std::string& InstallDir() const { return m_strInstallDir; }
    void* DatasetEngine(const std::string& strName) const
    {
        auto it = m_mapDatasets.find(strName);
        return it == m_mapDatasets.end() ? nullptr : it->second;
    }
};

// One broadcast as an extension heard it: the code, the data ("<null>" for
// none) and, for the codes that carry two texts, the second one.
struct SHeard
{
    unsigned nCode;
    std::string strData;
    std::string strSecond;
};

// An extension that records what it hears and answers as told.
class CRecordingExt : public CTarvoMgrExt
{
public:
    explicit CRecordingExt(CTarvoMgr* pMgr, int nAnswer = 1) : CTarvoMgrExt(pMgr), m_nAnswer(nAnswer) {}

    int OnUpdateUIMgr(CTarvoMgrExt* pSender, unsigned nCode, const char* pszData) override;

    std::vector<unsigned> Codes() const;
    // The data heard with the first broadcast of the code.
    const SHeard* Find(unsigned nCode) const;

    int m_nAnswer;
    std::vector<SHeard> m_arrHeard;
    std::vector<CTarvoMgrExt*> m_arrSenders;
    // Runs inside the broadcast, after recording.
    std::function<void(unsigned nCode)> m_fnOnHear;
};

// A script directory with the type definitions and a parameter file:
//   Hidden1 (XML, a hidden type), CustomerName (File, the anchor of City and
//   Street), City (File), Street (Table), Amount (Random), Odd (a type with
//   no entry in "ParameterTypes"), Gadget (a plug-in type without a display
//   name).
class ManagerTest : public ::testing::Test
{
protected:
    ManagerTest();
    ~ManagerTest() override;

    // The manager over the fixture with script.prm loaded.
    std::unique_ptr<CTestMgr> LoadedManager();
    std::vector<std::string> Names(CTarvoMgr& mgr);

    CTempDir m_dir;
    std::string m_strTypes;
    std::string m_strPrm;
    std::string m_strDebug; // the debugger output while the test runs
};
