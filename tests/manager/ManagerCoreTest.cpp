#include "ManagerFixture.h"

#include "turb/Turb.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace
{
std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}
} // namespace

TEST_F(ManagerTest, TypeDefinitionsGiveDisplayNamesAndHiddenTypes)
{
    auto mgr = LoadedManager();
    std::vector<PARAM_SAMPLE_ROW> rows;
    ASSERT_TRUE(mgr->GetParamNamesAndSamples(&rows));
    ASSERT_EQ(rows.size(), 7u);
    std::map<std::string, std::string> typeNames;
    for (const PARAM_SAMPLE_ROW& row : rows)
        typeNames[row[0]] = row[1];
    EXPECT_EQ(typeNames["CustomerName"], "File");
    EXPECT_EQ(typeNames["Street"], "Table");
    EXPECT_EQ(typeNames["Amount"], "Random Number");
    EXPECT_EQ(typeNames["Hidden1"], "XML") << "a hidden type still has its display name";
    EXPECT_EQ(typeNames["Odd"], "") << "a type missing from ParameterTypes has no display name";
    EXPECT_EQ(typeNames["Gadget"], "") << "a section without TypeName gives no display name";

    EXPECT_TRUE(mgr->IsParameterTypeHidden("XML"));
    EXPECT_FALSE(mgr->IsParameterTypeHidden("Shy")) << "only \"True\" in exactly that case hides";
    EXPECT_FALSE(mgr->IsParameterTypeHidden("Odd"));
    EXPECT_FALSE(mgr->IsParameterTypeHidden("Table"));
}

TEST_F(ManagerTest, WithoutAnEngineEverythingFailsQuietly)
{
    CTestMgr mgr(m_dir.File("missing.dat").c_str());
    EXPECT_NE(m_strDebug.find("CTarvoMgr CTOR: failed to create parameter engine"), std::string::npos) << m_strDebug;
    EXPECT_EQ(mgr.GetTurbine(), nullptr);

    mgr.AddParamFile(m_strPrm.c_str(), "script");
    EXPECT_STREQ(mgr.GetActiveParamName(), "");
    EXPECT_FALSE(mgr.CreateNewParameter("New1", "File", "x"));
    EXPECT_FALSE(mgr.SaveChanges());
    std::vector<std::string> names{"untouched"};
    EXPECT_TRUE(mgr.EnumParamNames(&names));
    EXPECT_EQ(names, std::vector<std::string>{"untouched"});
}

TEST_F(ManagerTest, AddParamFileActivatesTheFirstVisibleParameterAndReloads)
{
    CTestMgr mgr(m_strTypes.c_str());
    CRecordingExt ext(&mgr);
    mgr.AddParamFile(m_strPrm.c_str(), "script");

    EXPECT_STREQ(mgr.GetActiveParamName(), "CustomerName") << "Hidden1 has a hidden type";
    EXPECT_STREQ(mgr.GetActiveParamFilePath(), m_strPrm.c_str());
    EXPECT_EQ(mgr.GetActiveParamFileName(), "script");
    ASSERT_EQ(ext.Codes(), std::vector<unsigned>{UPD_RELOAD});
    EXPECT_EQ(ext.m_arrHeard[0].strData, "<null>");
}

TEST_F(ManagerTest, AddParamFileTwiceKeepsOnlyTheSecondFile)
{
    auto mgr = LoadedManager();
    CRecordingExt ext(mgr.get());
    std::string other = m_dir.Write("script/other.prm", "[Only]\nType=Random\n");
    mgr->AddParamFile(other.c_str(), "other");

    EXPECT_EQ(ext.Codes(), (std::vector<unsigned>{UPD_RELOAD, UPD_RELOAD})) << "cleared, then loaded";
    EXPECT_EQ(mgr->GetParamFilesCount(), 1);
    EXPECT_EQ(mgr->GetParamFileName(0), "other");
    EXPECT_EQ(mgr->GetParamFilePath(0), other);
    EXPECT_EQ(mgr->GetParamFilePath(1), "") << "an index out of range gives nothing";
    EXPECT_EQ(Names(*mgr), std::vector<std::string>{"Only"});
    EXPECT_STREQ(mgr->GetActiveParamName(), "Only");
}

TEST_F(ManagerTest, AFileOfHiddenParametersLeavesNoneActive)
{
    CTestMgr mgr(m_strTypes.c_str());
    std::string hidden = m_dir.Write("hidden.prm", "[A]\nType=XML\n\n[B]\nType=XML\n");
    mgr.AddParamFile(hidden.c_str(), "hidden");
    EXPECT_STREQ(mgr.GetActiveParamName(), "");
    EXPECT_EQ(Names(mgr).size(), 2u);
}

TEST_F(ManagerTest, ActiveFileMatchesIgnoringCaseAndKeepsTheGivenSpelling)
{
    auto mgr = LoadedManager();
    std::string shouted = Upper(m_strPrm);
    EXPECT_TRUE(mgr->SetActiveParamFilePath(shouted.c_str()));
    EXPECT_STREQ(mgr->GetActiveParamFilePath(), shouted.c_str());
    EXPECT_EQ(mgr->GetActiveParamFileName(), "script");

    EXPECT_FALSE(mgr->SetActiveParamFilePath("/elsewhere/script.prm"));
    EXPECT_FALSE(mgr->SetActiveParamFilePath(nullptr));
    EXPECT_STREQ(mgr->GetActiveParamFilePath(), shouted.c_str());
}

TEST_F(ManagerTest, ActiveParameterMustExist)
{
    auto mgr = LoadedManager();
    EXPECT_TRUE(mgr->SetActiveParamName("Amount"));
    EXPECT_EQ(mgr->GetActiveParamType(), "Random");
    EXPECT_EQ(mgr->GetActiveParamAttrib("MinValue"), "5");

    EXPECT_FALSE(mgr->SetActiveParamName("amount"));
    EXPECT_FALSE(mgr->SetActiveParamName(nullptr));
    EXPECT_STREQ(mgr->GetActiveParamName(), "Amount");
}

TEST_F(ManagerTest, DefaultTypeIsFileUnlessNamed)
{
    CTestMgr mgr(m_strTypes.c_str());
    EXPECT_EQ(mgr.GetDefaultParameterType(), "File");
    EXPECT_TRUE(mgr.SetDefaultParameterType("No Such Type"));
    EXPECT_EQ(mgr.GetDefaultParameterType(), "No Such Type") << "not checked against the known types";
    EXPECT_TRUE(mgr.SetDefaultParameterType(""));
    EXPECT_EQ(mgr.GetDefaultParameterType(), "File");
}

TEST_F(ManagerTest, HiddenWindowAndInstallationRoot)
{
    CTestMgr mgr(m_strTypes.c_str());
    ASSERT_TRUE(mgr.Create(nullptr));
    EXPECT_TRUE(IsWindow(mgr.GetSafeHwnd()));
    EXPECT_FALSE(mgr.IsWindowVisible());
    std::string caption;
    mgr.GetWindowText(caption);
    EXPECT_EQ(caption, "Tarvo Manager");

    mgr.GetInstallationDir();
    EXPECT_EQ(mgr.InstallDir(), std::filesystem::canonical(TARVO_BINARY_DIR).string())
        << "the folder above lib/libtarvo.so";
}

TEST_F(ManagerTest, SaveChangesWritesTheParameterFile)
{
    auto mgr = LoadedManager();
    ASSERT_TRUE(mgr->SetParamAttrib("Amount", "MaxValue", "99"));
    ASSERT_TRUE(mgr->SaveChanges());

    CTestMgr reread(m_strTypes.c_str());
    reread.AddParamFile(m_strPrm.c_str(), "script");
    EXPECT_EQ(reread.GetParamAttrib("Amount", "MaxValue"), "99");
    EXPECT_EQ(Names(reread), Names(*mgr));
}

TEST_F(ManagerTest, ClearParamListEmptiesFilesAndEngineButKeepsTheActiveFile)
{
    auto mgr = LoadedManager();
    CRecordingExt ext(mgr.get());
    mgr->ClearParamList();
    EXPECT_EQ(ext.Codes(), std::vector<unsigned>{UPD_RELOAD});
    EXPECT_EQ(mgr->GetParamFilesCount(), 0);
    std::vector<std::string> names{"kept"};
    mgr->EnumParamNames(&names);
    EXPECT_EQ(names, std::vector<std::string>{"kept"}) << "no parameters: the list is left as it was";
    EXPECT_STREQ(mgr->GetActiveParamFilePath(), m_strPrm.c_str());
}

TEST_F(ManagerTest, ExtensionsOutlivingTheManagerLetGoOfIt)
{
    auto mgr = std::make_unique<CTestMgr>(m_strTypes.c_str());
    CRecordingExt ext(mgr.get());
    EXPECT_EQ(ext.GetTarvoManager(), mgr.get());
    EXPECT_EQ(ext.GetTurbine(), mgr->GetTurbine());
    mgr.reset();
    EXPECT_EQ(ext.GetTarvoManager(), nullptr);
    EXPECT_EQ(ext.GetTurbine(), nullptr);
    EXPECT_EQ(ext.UpdateAllUIExt(UPD_RELOAD, nullptr), 1);
}
