#include "FileSizeLimit.h"
#include "ManagerFixture.h"
#include "UiSeams.h"

#include "turb/Turb.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <set>

namespace
{
// Every engine instance closed while the tests run, in order.
std::vector<void*> g_arrClosedEngines;
// Files whose removal fails, as a busy file's would.
std::set<std::string> g_setUnremovable;

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

std::string FileError(const std::string& strPath, int nErrno)
{
    return strPath + ": " + std::strerror(nErrno);
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

    // The names of the files in the script's directory.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> arrNames;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.File("ds")))
            arrNames.push_back(entry.path().filename().string());
        std::sort(arrNames.begin(), arrNames.end());
        return arrNames;
    }

    std::vector<std::string> Datasets() const
    {
        std::vector<std::string> arrNames;
        m_mgr.GetAllDatasets(arrNames);
        return arrNames;
    }

    std::vector<std::string> FilePaths() const
    {
        std::vector<std::string> arrPaths;
        for (int i = 0; i < m_mgr.GetParamFilesCount(); ++i)
            arrPaths.push_back(m_mgr.GetParamFilePath(i));
        return arrPaths;
    }

    std::string Ds(const std::string& strFile) const { return m_dir.File("ds/" + strFile); }

    CTestMgr m_mgr{m_strTypes.c_str()};
    std::string m_strA;
    std::string m_strB;
};
} // namespace

extern "C" int os_remove_file(const char* path, int force)
{
    typedef int (*PFN_REMOVE)(const char*, int);
    static PFN_REMOVE pfnKetrin = reinterpret_cast<PFN_REMOVE>(dlsym(RTLD_NEXT, "os_remove_file"));
    if (path && g_setUnremovable.count(path))
    {
        errno = EBUSY;
        return 0;
    }
    return pfnKetrin(path, force);
}

// Seen on the way to the engine: which instances the manager closes.
extern "C" void delete_turbine_handle(void* instance)
{
    typedef void (*PFN_DELETE)(void*);
    static PFN_DELETE pfnEngine = reinterpret_cast<PFN_DELETE>(dlsym(RTLD_NEXT, "delete_turbine_handle"));
    g_arrClosedEngines.push_back(instance);
    pfnEngine(instance);
}

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
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Both", "CurrentValue"), R"(x\y)") << "and a Custom parameter's value";

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

    EXPECT_FALSE(m_mgr.DeleteDataset("")) << "the nameless dataset has no file of its own";
    EXPECT_FALSE(m_mgr.RenameDataset("", "named"));
    EXPECT_NE(m_mgr.GetTurbine(), nullptr);
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "b.prm", "notes.txt", "plain"}));
}

TEST_F(DatasetsTest, RefillingTheMapClosesTheInstancesItDrops)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    void* hOldB = OtherEngine();
    g_arrClosedEngines.clear();
    m_mgr.FillDatasetsMap();

    EXPECT_EQ(g_arrClosedEngines, std::vector<void*>{hOldB});
    ASSERT_NE(OtherEngine(), nullptr);
    EXPECT_EQ(EngineAttrib(OtherEngine(), "Anchor", "OriginalValue"), "in b");
    EXPECT_EQ(m_mgr.DatasetEngine("a"), m_mgr.GetTurbine());
    EXPECT_EQ(FilePaths(), (std::vector<std::string>{m_strA, m_strB})) << "no file is listed twice";
}

TEST_F(DatasetsTest, LoadingAndSavingMakeADatasetCurrent)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    EXPECT_EQ(Datasets(), (std::vector<std::string>{"a", "b"}));
    ASSERT_TRUE(m_mgr.SetActiveParamName("Follower"));
    ASSERT_TRUE(m_mgr.SetParamAttrib("Anchor", "OriginalValue", "edited a"));
    CRecordingExt ext(&m_mgr);

    EXPECT_TRUE(m_mgr.SaveDatasetIfModified("a"));
    EXPECT_NE(ReadFileBytes(m_strA).find("OriginalValue=edited a"), std::string::npos);
    void* hB = OtherEngine();
    m_mgr.LoadDataset("b");
    EXPECT_EQ(m_mgr.GetTurbine(), hB);
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), m_strB.c_str());
    EXPECT_EQ(m_mgr.GetActiveParamFileName(), "b.prm");
    EXPECT_STREQ(m_mgr.GetActiveParamName(), "Follower") << "b has that parameter too";
    EXPECT_EQ(m_mgr.GetParamAttrib("Anchor", "OriginalValue"), "in b");
    EXPECT_EQ(ext.Codes(), std::vector<unsigned>{UPD_RELOAD});

    m_mgr.LoadDataset("zzz");
    EXPECT_FALSE(m_mgr.SaveDatasetIfModified("zzz"));
    EXPECT_EQ(m_mgr.GetTurbine(), hB) << "unknown names change nothing";
    EXPECT_EQ(ext.Codes().size(), 1u);

    // A dataset without the active parameter activates its own first one.
    ASSERT_EQ(Param_DeleteParam(m_mgr.DatasetEngine("a"), "Follower"), TURB_OK);
    m_mgr.LoadDataset("a");
    EXPECT_STREQ(m_mgr.GetActiveParamName(), "Anchor");
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "b.prm", "notes.txt"}));
}

TEST_F(DatasetsTest, CreatingCopiesTheCurrentDatasetUnderTheNewName)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    CRecordingExt ext(&m_mgr);
    ASSERT_TRUE(m_mgr.CreateNewDataset("c"));

    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "b.prm", "c.prm", "notes.txt"}));
    EXPECT_EQ(ReadFileBytes(Ds("c.prm")), ReadFileBytes(m_strA));
    void* hC = m_mgr.DatasetEngine("c");
    EXPECT_EQ(m_mgr.GetTurbine(), hC);
    EXPECT_NE(hC, m_mgr.DatasetEngine("a"));
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), Ds("c.prm").c_str());
    EXPECT_EQ(m_mgr.GetActiveParamFileName(), "c");
    EXPECT_EQ(m_mgr.GetParamAttrib("Anchor", "OriginalValue"), "in a");
    EXPECT_EQ(ext.Codes(), std::vector<unsigned>{UPD_RELOAD});
}

TEST_F(DatasetsTest, ReplacingAKnownDatasetReloadsItsInstanceFromTheCopy)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    void* hB = OtherEngine();
    std::string strBytesA = ReadFileBytes(m_strA);
    ASSERT_TRUE(m_mgr.CreateNewDataset("b"));

    EXPECT_EQ(ReadFileBytes(m_strB), strBytesA);
    EXPECT_EQ(m_mgr.GetTurbine(), hB) << "the known instance is taken";
    EXPECT_EQ(m_mgr.GetParamAttrib("Anchor", "OriginalValue"), "in a");
    EXPECT_FALSE(m_mgr.IsExistingParamName("OnlyInB"));
    EXPECT_EQ(m_mgr.GetParamFilesCount(), 2);

    ASSERT_TRUE(m_mgr.SetParamAttrib("Anchor", "OriginalValue", "unsaved"));
    ASSERT_TRUE(m_mgr.CreateNewDataset("b"));
    EXPECT_EQ(m_mgr.GetParamAttrib("Anchor", "OriginalValue"), "unsaved") << "a copy of itself changes nothing";
    EXPECT_EQ(ReadFileBytes(m_strB), strBytesA);
}

TEST_F(DatasetsTest, NoFileOutsideTheDatasetsIsWrittenOrReplaced)
{
    std::string strOutside = m_dir.Write("evil.prm", "[Keep]\nType=Random\n");
    std::string strLate = m_dir.Write("ds/late.prm", "[Late]\nType=Random\n");
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    std::string strStray = m_dir.Write("ds/stray.prm", "[Stray]\nType=Random\n");
    for (const char* pszName : {"", ".", "..", "../evil", "sub/x", "sub\\x", "/tmp/x"})
    {
        EXPECT_FALSE(m_mgr.CreateNewDataset(pszName)) << pszName;
        EXPECT_FALSE(m_mgr.RenameDataset("b", pszName)) << pszName;
    }
    EXPECT_FALSE(m_mgr.CreateNewDataset("stray")) << "a file that is no known dataset is never replaced";
    EXPECT_FALSE(m_mgr.CreateNewDataset(std::string(300, 'x'))) << "too long a file name";

    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "b.prm", "late.prm", "notes.txt", "stray.prm"}));
    EXPECT_EQ(ReadFileBytes(strOutside), "[Keep]\nType=Random\n");
    EXPECT_EQ(ReadFileBytes(strStray), "[Stray]\nType=Random\n");
    EXPECT_EQ(m_mgr.GetTurbine(), m_mgr.DatasetEngine("a"));
    EXPECT_TRUE(CTarvoMgr::IsPlainDatasetName("..a.b"));
}

TEST_F(DatasetsTest, RenamingTheCurrentDatasetKeepsItsInstanceUnderTheNewFile)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    void* hA = m_mgr.GetTurbine();
    ASSERT_TRUE(m_mgr.SetParamAttrib("Anchor", "OriginalValue", "renamed a"));
    CRecordingExt ext(&m_mgr);
    ASSERT_TRUE(m_mgr.RenameDataset("a", "z"));

    EXPECT_EQ(Files(), (std::vector<std::string>{"b.prm", "notes.txt", "z.prm"}));
    EXPECT_NE(ReadFileBytes(Ds("z.prm")).find("OriginalValue=renamed a"), std::string::npos);
    EXPECT_EQ(m_mgr.GetTurbine(), hA);
    EXPECT_EQ(Datasets(), (std::vector<std::string>{"b", "z"}));
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), Ds("z.prm").c_str());
    EXPECT_EQ(m_mgr.GetActiveParamFileName(), "z");
    EXPECT_EQ(FilePaths(), (std::vector<std::string>{m_strB, Ds("z.prm")}));
    EXPECT_EQ(ext.Codes(), std::vector<unsigned>{UPD_RELOAD});

    ASSERT_TRUE(m_mgr.SetParamAttrib("Anchor", "OriginalValue", "saved later"));
    ASSERT_TRUE(m_mgr.SaveChanges());
    EXPECT_EQ(Files(), (std::vector<std::string>{"b.prm", "notes.txt", "z.prm"})) << "the old file stays gone";
    EXPECT_NE(ReadFileBytes(Ds("z.prm")).find("OriginalValue=saved later"), std::string::npos);
}

TEST_F(DatasetsTest, RenamingNeverReplacesOrLosesADataset)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    std::string strLate = m_dir.Write("ds/late.prm", "[Late]\nType=Random\n");
    std::string strBytesA = ReadFileBytes(m_strA);
    std::string strBytesB = ReadFileBytes(m_strB);
    void* hA = m_mgr.GetTurbine();

    EXPECT_FALSE(m_mgr.RenameDataset("a", "b"));
    EXPECT_FALSE(m_mgr.RenameDataset("a", "late")) << "a file that is no known dataset yet";
    EXPECT_FALSE(m_mgr.RenameDataset("late", "y")) << "not a known dataset";
    EXPECT_FALSE(m_mgr.RenameDataset("a", std::string(300, 'x'))) << "the engine cannot write it";
    EXPECT_TRUE(m_mgr.RenameDataset("a", "a"));

    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "b.prm", "late.prm", "notes.txt"}));
    EXPECT_EQ(ReadFileBytes(m_strA), strBytesA);
    EXPECT_EQ(ReadFileBytes(m_strB), strBytesB);
    EXPECT_EQ(ReadFileBytes(strLate), "[Late]\nType=Random\n");
    EXPECT_EQ(m_mgr.GetTurbine(), hA);
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), m_strA.c_str());
    EXPECT_EQ(Datasets(), (std::vector<std::string>{"a", "b"}));

    void* hB = OtherEngine();
    ASSERT_TRUE(m_mgr.RenameDataset("b", "c"));
    EXPECT_EQ(m_mgr.GetTurbine(), hB) << "the renamed dataset becomes current";
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "c.prm", "late.prm", "notes.txt"}));
    EXPECT_NE(ReadFileBytes(Ds("c.prm")).find("[OnlyInB]"), std::string::npos);

    std::filesystem::remove(Ds("c.prm"));
    EXPECT_FALSE(m_mgr.RenameDataset("a", "c")) << "a known dataset whose file went missing keeps its name";
    EXPECT_EQ(m_mgr.DatasetEngine("c"), hB);
}

TEST_F(DatasetsTest, AfterDeletingTheCurrentDatasetEveryOperationFailsUntilOneIsLoaded)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    void* hA = m_mgr.GetTurbine();
    CRecordingExt ext(&m_mgr);
    g_arrClosedEngines.clear();
    ASSERT_TRUE(m_mgr.DeleteDataset("a"));

    EXPECT_EQ(Files(), (std::vector<std::string>{"b.prm", "notes.txt"}));
    EXPECT_EQ(g_arrClosedEngines, std::vector<void*>{hA});
    EXPECT_EQ(m_mgr.GetTurbine(), nullptr);
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), "");
    EXPECT_STREQ(m_mgr.GetActiveParamName(), "");
    EXPECT_EQ(Datasets(), std::vector<std::string>{"b"});
    EXPECT_EQ(FilePaths(), std::vector<std::string>{m_strB});
    EXPECT_TRUE(ext.Codes().empty());

    EXPECT_FALSE(m_mgr.SaveChanges());
    EXPECT_FALSE(m_mgr.CreateNewParameter("New1", "File", "x"));
    EXPECT_FALSE(m_mgr.DeleteParameter("Anchor", 0, 0));
    EXPECT_FALSE(m_mgr.SetParamAttrib("Anchor", "OriginalValue", "x"));
    EXPECT_EQ(m_mgr.GetActiveParamType(), "");
    EXPECT_FALSE(m_mgr.CreateNewDataset("c"));
    EXPECT_FALSE(m_mgr.DeleteDataset("a"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"b.prm", "notes.txt"}));
    EXPECT_EQ(EngineAttrib(OtherEngine(), "New1", "Type"), "<none>") << "no other dataset gained it";

    m_mgr.LoadDataset("b");
    EXPECT_EQ(m_mgr.GetTurbine(), OtherEngine());
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), m_strB.c_str());
    EXPECT_STREQ(m_mgr.GetActiveParamName(), "Anchor");
    EXPECT_TRUE(m_mgr.CreateNewParameter("New1", "File", "x"));
}

TEST_F(DatasetsTest, DeletingAnotherDatasetClosesOnlyItsInstance)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    void* hA = m_mgr.GetTurbine();
    void* hB = OtherEngine();
    EXPECT_FALSE(m_mgr.DeleteDataset("zzz"));
    EXPECT_EQ(m_mgr.GetTurbine(), hA) << "an unknown name closes nothing";

    g_arrClosedEngines.clear();
    ASSERT_TRUE(m_mgr.DeleteDataset("b"));
    EXPECT_EQ(g_arrClosedEngines, std::vector<void*>{hB});
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "notes.txt"}));
    m_mgr.LoadDataset("a");
    EXPECT_EQ(m_mgr.GetTurbine(), hA);
    EXPECT_EQ(m_mgr.GetParamAttrib("Anchor", "OriginalValue"), "in a");
}

TEST_F(DatasetsTest, LoadingAfterADeletionWorksAndTheManagerClosesEveryInstance)
{
    auto mgr = std::make_unique<CTestMgr>(m_strTypes.c_str());
    mgr->Custom_AddOptions(OPT_DATASETS);
    mgr->AddParamFile(m_strA.c_str(), "a");
    mgr->DeleteDataset("a");
    mgr->AddParamFile(m_strB.c_str(), "b");
    ASSERT_NE(mgr->GetTurbine(), nullptr) << "loading opens an instance again";
    EXPECT_EQ(mgr->GetParamAttrib("Anchor", "OriginalValue"), "in b");
    EXPECT_EQ(mgr->GetParamFilesCount(), 1);

    ASSERT_TRUE(mgr->CreateNewDataset("c"));
    ASSERT_TRUE(mgr->DeleteDataset("c"));
    std::vector<void*> arrOpen{mgr->DatasetEngine("b")};
    g_arrClosedEngines.clear();
    mgr.reset();
    EXPECT_EQ(g_arrClosedEngines, arrOpen) << "closed although no instance was current";
}

TEST_F(DatasetsTest, SaveChangesWritesEveryDatasetThatChanged)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    m_dir.Write("ds/b.prm", ReadFileBytes(m_strB) + "\n[External]\nType=Random\n");
    ASSERT_TRUE(m_mgr.SaveChanges());
    EXPECT_NE(ReadFileBytes(m_strB).find("[External]"), std::string::npos) << "an unchanged dataset is not written";

    ASSERT_TRUE(m_mgr.CreateNewParameter("Both", "Custom", "v"));
    ASSERT_TRUE(m_mgr.SetActiveParamName("Anchor"));
    ASSERT_TRUE(m_mgr.RenameActiveParam("Lead"));
    ASSERT_TRUE(m_mgr.DeleteParameter("Follower", 0, 0));
    ASSERT_TRUE(m_mgr.SaveChanges());
    for (const std::string& strFile : {m_strA, m_strB})
    {
        std::string strText = ReadFileBytes(strFile);
        EXPECT_NE(strText.find("[Both]"), std::string::npos) << strFile;
        EXPECT_NE(strText.find("[Lead]"), std::string::npos) << strFile;
        EXPECT_EQ(strText.find("[Anchor]"), std::string::npos) << strFile;
        EXPECT_EQ(strText.find("[Follower]"), std::string::npos) << strFile;
    }
    EXPECT_EQ(ReadFileBytes(m_strB).find("[External]"), std::string::npos) << "b is written from its instance";
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), m_strA.c_str()) << "the current dataset stays current";

    // A dataset that was switched away from unsaved is written as well.
    m_mgr.LoadDataset("b");
    ASSERT_TRUE(m_mgr.SetParamAttrib("Lead", "OriginalValue", "edited in b"));
    m_mgr.LoadDataset("a");
    ASSERT_TRUE(m_mgr.SaveChanges());
    EXPECT_NE(ReadFileBytes(m_strB).find("OriginalValue=edited in b"), std::string::npos);
}

TEST_F(DatasetsTest, SaveChangesSaysWhichFilesFailedAndWhy)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    ASSERT_TRUE(m_mgr.CreateNewParameter("Both", "Custom", "v"));
    CMessageBoxRecorder boxes;
    {
        CFileSizeLimit limit;
        EXPECT_FALSE(m_mgr.SaveChanges());
    }
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.LastText(),
              "Failed to save the parameters.\n" + FileError(m_strA, EFBIG) + "\n" + FileError(m_strB, EFBIG));
    EXPECT_EQ(ReadFileBytes(m_strB), DatasetText("in b") + "\n[OnlyInB]\nType=Random\n") << "nothing half-written";

    ASSERT_TRUE(m_mgr.SaveChanges()) << "what failed is still to be saved";
    EXPECT_NE(ReadFileBytes(m_strB).find("[Both]"), std::string::npos);
    EXPECT_EQ(boxes.Calls().size(), 1u);
}

TEST_F(DatasetsTest, ADatasetKeepsTheFileItWasFoundAs)
{
    std::string strUpper = m_dir.Write("ds/Up.PRM", DatasetText("upper"));
    m_dir.Write("ds/b.PRM", DatasetText("shadow of b"));
    m_mgr.AddParamFile(strUpper.c_str(), "Up");
    EXPECT_EQ(Datasets(), (std::vector<std::string>{"Up", "a", "b"}));
    EXPECT_EQ(EngineAttrib(m_mgr.DatasetEngine("b"), "Anchor", "OriginalValue"), "in b")
        << "of b.prm and b.PRM the lower case one is the dataset";

    m_mgr.LoadDataset("b");
    m_mgr.LoadDataset("Up");
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), strUpper.c_str());
    ASSERT_TRUE(m_mgr.SetParamAttrib("Anchor", "OriginalValue", "edited"));
    ASSERT_TRUE(m_mgr.SaveDatasetIfModified("Up"));
    EXPECT_NE(ReadFileBytes(strUpper).find("OriginalValue=edited"), std::string::npos);

    ASSERT_TRUE(m_mgr.CreateNewDataset("c"));
    EXPECT_NE(ReadFileBytes(Ds("c.prm")).find("OriginalValue=edited"), std::string::npos);
    ASSERT_TRUE(m_mgr.RenameDataset("Up", "Down"));
    ASSERT_TRUE(m_mgr.DeleteDataset("c"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"Down.prm", "a.prm", "b.PRM", "b.prm", "notes.txt"}));
}

TEST_F(DatasetsTest, FailedDatasetOperationsNameTheFileAndTheReason)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    std::string strLate = m_dir.Write("ds/late.prm", "[Late]\nType=Random\n");
    const struct
    {
        const char* pszWhat;
        std::function<BOOL()> fnCall;
        std::string strFile;
        int nErrno;
    } cases[] = {
        {"create over a file that is no dataset", [&] { return m_mgr.CreateNewDataset("late"); }, strLate, EEXIST},
        {"rename onto another dataset", [&] { return m_mgr.RenameDataset("a", "b"); }, m_strB, EEXIST},
        {"create that cannot write",
         [&]
         {
             CFileSizeLimit limit;
             return m_mgr.CreateNewDataset("big");
         },
         Ds("big.prm"), EFBIG},
        {"rename that cannot write",
         [&]
         {
             CFileSizeLimit limit;
             return m_mgr.RenameDataset("a", "big");
         },
         Ds("big.prm"), EFBIG},
        {"save that cannot write",
         [&]
         {
             CFileSizeLimit limit;
             return m_mgr.SaveDatasetIfModified("b");
         },
         m_strB, EFBIG},
        {"delete a file that is gone",
         [&]
         {
             std::filesystem::remove(m_strB);
             return m_mgr.DeleteDataset("b");
         },
         m_strB, ENOENT},
    };
    for (const auto& c : cases)
    {
        EXPECT_FALSE(c.fnCall()) << c.pszWhat;
        EXPECT_EQ(m_mgr.GetLastFileError(), FileError(c.strFile, c.nErrno)) << c.pszWhat;
    }
    EXPECT_EQ(Datasets(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "late.prm", "notes.txt"}));
    EXPECT_EQ(ReadFileBytes(strLate), "[Late]\nType=Random\n");
}

TEST_F(DatasetsTest, ADataFileThatOtherParametersReadIsKept)
{
    std::string strShared = m_dir.Write("ds/shared.dat", "name\nx\n");
    std::string strOwn = m_dir.Write("ds/own.dat", "name\ny\n");
    std::string strFolder = m_dir.Write("ds/folder.dat/inside", "kept");
    m_dir.Write("ds/a.prm", "[One]\nType=Table\nTable=shared.dat\n\n[Two]\nType=Table\nTable=./shared.dat\n\n"
                            "[Own]\nType=Table\nTable=own.dat\n\n[Odd]\nType=Table\nTable=folder.dat\n");
    m_dir.Write("ds/b.prm", "[One]\nType=Table\nTable=shared.dat\n\n[Three]\nType=TTable\nTable=own.dat\n");
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    const struct
    {
        const char* pszParam;
        std::string strFile;
        const char* pszReaders; // null: the file goes
    } cases[] = {
        {"Two", strShared, "One, One (dataset b)"},
        {"One", strShared, nullptr},
        {"Own", strOwn, "Three (dataset b)"},
    };
    for (const auto& c : cases)
    {
        CMessageBoxRecorder boxes;
        ASSERT_TRUE(m_mgr.DeleteParameter(c.pszParam, 1, 1)) << c.pszParam;
        EXPECT_EQ(FileExists(c.strFile), c.pszReaders != nullptr) << c.pszParam;
        std::string strMessage = c.pszReaders ? "The data file " + c.strFile +
                                                    " was not deleted: other parameters still read it.\n" + c.pszReaders
                                              : "";
        EXPECT_EQ(boxes.LastText(), strMessage) << c.pszParam;
    }
    CMessageBoxRecorder boxes;
    ASSERT_TRUE(m_mgr.DeleteParameter("Odd", 1, 1));
    EXPECT_EQ(boxes.LastText(), "The data file could not be deleted.\n" + FileError(Ds("folder.dat"), EISDIR));
    EXPECT_TRUE(FileExists(strFolder));
}

TEST_F(DatasetsTest, ARenameWhoseOldFileCannotGoLeavesTheDatasetAsItWas)
{
    m_mgr.AddParamFile(m_strA.c_str(), "a");
    ASSERT_TRUE(m_mgr.SetParamAttrib("Anchor", "OriginalValue", "edited a"));
    g_setUnremovable.insert(m_strA);
    EXPECT_FALSE(m_mgr.RenameDataset("a", "z"));
    g_setUnremovable.clear();

    EXPECT_EQ(m_mgr.GetLastFileError(), FileError(m_strA, EBUSY));
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "b.prm", "notes.txt"}));
    EXPECT_EQ(Datasets(), (std::vector<std::string>{"a", "b"}));
    EXPECT_STREQ(m_mgr.GetActiveParamFilePath(), m_strA.c_str());
    ASSERT_TRUE(m_mgr.SaveChanges());
    EXPECT_NE(ReadFileBytes(m_strA).find("OriginalValue=edited a"), std::string::npos) << "saved to its own file";
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.prm", "b.prm", "notes.txt"}));
}
