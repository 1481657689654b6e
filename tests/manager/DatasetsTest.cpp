#include "ManagerFixture.h"

#include "turb/Turb.h"

namespace
{
const char* const DATASET_TEXT = "[Anchor]\nType=Table\nSelectNextRow=Sequential\nOriginalValue=%s\n\n"
                                 "[Follower]\nType=Table\nSelectNextRow=Same line as Anchor\n";

std::string DatasetText(const std::string& strValue)
{
    std::string text = DATASET_TEXT;
    return text.replace(text.find("%s"), 2, strValue);
}

// An attribute as another dataset's engine instance holds it; "<none>" when unreadable.
std::string EngineAttrib(void* hInstance, const char* pszName, const char* pszAttrib)
{
    char* pszText = nullptr;
    int nLength = 0;
    if (Param_GetAttribByNameExt(hInstance, pszName, pszAttrib, &pszText, &nLength) != TURB_OK)
        return "<none>";
    std::string value(pszText, static_cast<size_t>(nLength));
    Param_GetAttribFree(hInstance, &pszText);
    return value;
}

// Datasets a (the file in use) and b side by side in one script directory.
class DatasetsTest : public ManagerTest
{
protected:
    DatasetsTest()
    {
        m_strA = m_dir.Write("ds/a.prm", DatasetText("in a"));
        m_strB = m_dir.Write("ds/b.prm", DatasetText("in b") + "\n[OnlyInB]\nType=Random\n");
        m_dir.Write("ds/notes.txt", "not a dataset");
        m_mgr.Custom_AddOptions(OPT_DATASETS);
    }

    void* OtherEngine() const { return m_mgr.DatasetEngine("b"); }

    CTestMgr m_mgr{m_strTypes.c_str()};
    std::string m_strA;
    std::string m_strB;
};
} // namespace

TEST_F(DatasetsTest, AddParamFileLoadsTheOtherDatasets)
{
    CRecordingExt ext(&m_mgr);
    m_mgr.AddParamFile(m_strA.c_str(), "a");

    ASSERT_EQ(m_mgr.GetParamFilesCount(), 2);
    EXPECT_EQ(m_mgr.GetParamFileName(1), "b.prm");
    EXPECT_EQ(m_mgr.GetParamFilePath(1), m_strB);
    EXPECT_EQ(m_mgr.DatasetEngine("a"), m_mgr.GetTurbine());
    ASSERT_NE(OtherEngine(), nullptr);
    EXPECT_NE(OtherEngine(), m_mgr.GetTurbine());
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Anchor", "OriginalValue"), "in b");
    ASSERT_EQ(ext.Codes(), (std::vector<unsigned>{UPD_RELOAD, UPD_DATASET_CHANGED}));
    EXPECT_EQ(ext.m_arrHeard[1].strData, "a");

    m_mgr.AddParamFile(m_strA.c_str(), "a");
    EXPECT_EQ(m_mgr.GetParamFilesCount(), 2) << "loading again replaces the earlier datasets";
}

TEST_F(DatasetsTest, CreationRenamingAndDeletionReachEveryDataset)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    ASSERT_TRUE(m_mgr.CreateNewParameter("Both", "Custom", R"(x\\y)"));
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Both", "Type"), "Custom");
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Both", "OriginalValue"), R"(x\y)") << "stored form in every dataset";

    ASSERT_TRUE(m_mgr.SetActiveParamName("Anchor"));
    ASSERT_TRUE(m_mgr.RenameActiveParam("Lead"));
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Anchor", "Type"), "<none>");
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Lead", "OriginalValue"), "in b") << "each dataset keeps its own values";
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Follower", "SelectNextRow"), "Same line as Lead");

    ASSERT_TRUE(m_mgr.DeleteParameter("Follower", 0, 0));
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Follower", "Type"), "<none>");
}

TEST_F(DatasetsTest, ADatasetRefusingTheNameEndsCreationButTheCurrentOneKeepsIt)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    EXPECT_FALSE(m_mgr.CreateNewParameter("OnlyInB", "File", "v"));
    EXPECT_TRUE(m_mgr.IsExistingParamName("OnlyInB"));
    EXPECT_EQ(EngineAttrib(OtherEngine(), "OnlyInB", "Type"), "Random");
}

TEST_F(DatasetsTest, APathWithoutADotNamesNoDataset)
{
    std::string plain = m_dir.Write("ds/plain", DatasetText("plain"));
    CRecordingExt ext(&m_mgr);
    m_mgr.AddParamFile(plain.c_str(), "plain");
    const SHeard* pChanged = ext.Find(UPD_DATASET_CHANGED);
    ASSERT_NE(pChanged, nullptr);
    EXPECT_EQ(pChanged->strData, "");
    EXPECT_EQ(m_mgr.GetParamFilesCount(), 3) << "a and b are other datasets of that directory";
}
