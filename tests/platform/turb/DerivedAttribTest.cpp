#include "TurbTestSupport.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : path;
}
} // namespace

class DerivedAttribTest : public CEngineTest
{
protected:
    void SetUp() override
    {
        CEngineTest::SetUp();
        m_strScriptDir = m_dir.File("script");
        m_strPrm = m_dir.Write("script/script.prm", "[P]\nType=Table\nTable=data.dat\n"
                                                    "[R]\nType=Random\n");
        ASSERT_EQ(TURB_OK, Param_AddParamFile(m_hEngine, m_strPrm.c_str(), 1));
    }

    std::string ActualFullPath(const char* location, const char* table)
    {
        SetAttrib(m_hEngine, "P", "TableLocation", location);
        SetAttrib(m_hEngine, "P", "Table", table);
        return GetAttrib(m_hEngine, "P", "ActualFullPath");
    }

    std::string m_strScriptDir;
    std::string m_strPrm;
};

TEST_F(DerivedAttribTest, DataDirectoriesAreThoseOfTheParameterFileAndTheTypeFile)
{
    EXPECT_EQ(m_strScriptDir, GetAttrib(m_hEngine, "P", "LocalDataDir"));
    EXPECT_EQ(m_strScriptDir, GetAttrib(m_hEngine, "R", "LocalDataDir"));
    std::string global = fs::path(InstalledTypeFile()).parent_path().lexically_normal().string();
    EXPECT_EQ(global, GetAttrib(m_hEngine, "P", "GlobalDataDir"));
    EXPECT_EQ(global, GetAttrib(m_hEngine, nullptr, "GlobalDataDir"));
    EXPECT_EQ(m_strScriptDir, GetAttrib(m_hEngine, nullptr, "LocalDataDir"));
}

TEST_F(DerivedAttribTest, ActualFullPathFollowsTheLocation)
{
    std::string global = GetAttrib(m_hEngine, "P", "GlobalDataDir");
    EXPECT_EQ(m_strScriptDir + "/data.dat", ActualFullPath("", "data.dat"));
    EXPECT_EQ(m_strScriptDir + "/data.dat", ActualFullPath("Local", "data.dat"));
    EXPECT_EQ(m_strScriptDir + "/data.dat", ActualFullPath("LOCAL", "data.dat"));
    EXPECT_EQ(m_strScriptDir + "/sub/data.dat", ActualFullPath("Local", "sub/data.dat"));
    EXPECT_EQ(m_strScriptDir + "/sub/data.dat", ActualFullPath("Local", "sub\\data.dat"));
    EXPECT_EQ(global + "/data.dat", ActualFullPath("Global", "data.dat"));
    EXPECT_EQ("/srv/tables/data.dat", ActualFullPath("/srv/tables", "data.dat"));
    EXPECT_EQ("/srv/tables/data.dat", ActualFullPath("/srv/tables/", "data.dat"));
    EXPECT_EQ("/abs/data.dat", ActualFullPath("Global", "/abs/data.dat"));
    EXPECT_EQ("", ActualFullPath("Local", ""));
}

TEST_F(DerivedAttribTest, DerivedAttributesAreReadOnly)
{
    for (const char* key : {"LocalDataDir", "GlobalDataDir", "ActualFullPath"})
    {
        EXPECT_EQ(TURB_E_READ_ONLY, SetAttrib(m_hEngine, "P", key, "/elsewhere")) << key;
        EXPECT_EQ(TURB_E_READ_ONLY, SetAttrib(m_hEngine, nullptr, key, "/elsewhere")) << key;
    }
    EXPECT_EQ(m_strScriptDir + "/data.dat", GetAttrib(m_hEngine, "P", "ActualFullPath"));

    ASSERT_EQ(TURB_OK, Param_Save(m_hEngine, nullptr));
    EXPECT_EQ(std::string::npos, ReadFileBytes(m_strPrm).find("DataDir"));
    EXPECT_EQ(std::string::npos, ReadFileBytes(m_strPrm).find("ActualFullPath"));
}

TEST_F(DerivedAttribTest, OnlyDataFileParametersHaveAnActualFullPath)
{
    int status = TURB_OK;
    GetAttrib(m_hEngine, "R", "ActualFullPath", &status);
    EXPECT_EQ(TURB_E_NOT_FOUND, status);
    ASSERT_NE(0, Param_NewParam(m_hEngine, "T", "TTable", nullptr));
    EXPECT_EQ("", GetAttrib(m_hEngine, "T", "ActualFullPath", &status));
    EXPECT_EQ(TURB_OK, status);
}

TEST_F(DerivedAttribTest, LocalDataDirFollowsTheParameterFile)
{
    std::string otherDir = m_dir.File("other");
    fs::create_directory(otherDir);
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Q", "Table", (otherDir + "/x.prm").c_str()));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "S", "Table", nullptr));
    EXPECT_EQ(otherDir, GetAttrib(m_hEngine, "Q", "LocalDataDir"));
    EXPECT_EQ(m_strScriptDir, GetAttrib(m_hEngine, "S", "LocalDataDir"));

    std::string movedDir = m_dir.File("moved");
    fs::create_directory(movedDir);
    ASSERT_EQ(TURB_OK, Param_Save(m_hEngine, (movedDir + "/script.prm").c_str()));
    EXPECT_EQ(movedDir, GetAttrib(m_hEngine, "P", "LocalDataDir"));
    EXPECT_EQ(movedDir + "/data.dat", GetAttrib(m_hEngine, "P", "ActualFullPath"));
}

TEST_F(DerivedAttribTest, RelativeParameterFileIsTakenFromTheWorkingDirectory)
{
    char previous[PATH_MAX];
    ASSERT_NE(nullptr, getcwd(previous, sizeof previous));
    ASSERT_EQ(0, chdir(m_strScriptDir.c_str()));
    void* engine = OpenEngine();
    int status = Param_AddParamFile(engine, "script.prm", 1);
    std::string local = GetAttrib(engine, "P", "LocalDataDir");
    ASSERT_EQ(0, chdir(previous));
    EXPECT_EQ(TURB_OK, status);
    EXPECT_EQ(RealPath(m_strScriptDir), RealPath(local));
}
