#include "TurbTestSupport.h"

#include <cstring>
#include <filesystem>

using EngineContractTest = CEngineTest;

TEST(EngineOpenTest, TypeFileThatCannotBeReadGivesNoInstance)
{
    CTempDir dir;
    EXPECT_EQ(nullptr, new_turbine_handle(dir.File("missing.dat").c_str(), 1));
    EXPECT_EQ(nullptr, new_turbine_handle(dir.Path().c_str(), 1));
    EXPECT_EQ(nullptr, new_turbine_handle(nullptr, 1));

    void* engine = new_turbine_handle(dir.Write("empty.dat", "").c_str(), 1);
    ASSERT_NE(nullptr, engine);
    EXPECT_TRUE(TypeKeys(engine).empty());
    EXPECT_EQ(0, Param_NewParam(engine, "P", "Table", nullptr));
    delete_turbine_handle(engine);
}

TEST(EngineOpenTest, TypesComeFromTheTypeFileInItsOrder)
{
    CTempDir dir;
    std::string file = dir.Write("types.dat", "[ParameterTypes]\nIgnored=Section\n"
                                              "[engineTYPES]\n"
                                              "; comment\n"
                                              "Zeta = B, A ,,B,C\r\n"
                                              "Alpha=\n"
                                              "Zeta=Other\n"
                                              "[Next]\nBeta=X\n");
    void* engine = new_turbine_handle(file.c_str(), 1);
    ASSERT_NE(nullptr, engine);
    EXPECT_EQ((std::vector<std::string>{"Zeta", "Alpha"}), TypeKeys(engine));
    EXPECT_STREQ("B,A,C", Param_GetAttribKeyList(engine, "Zeta"));
    EXPECT_STREQ("", Param_GetAttribKeyList(engine, "Alpha"));
    EXPECT_EQ(nullptr, Param_GetAttribKeyList(engine, "Beta"));
    EXPECT_EQ(nullptr, Param_GetAttribKeyList(engine, "zeta"));
    delete_turbine_handle(engine);
}

TEST_F(EngineContractTest, NewParamHasItsTypeAndEveryAttributeOfTheTypeEmpty)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Price", "Random", nullptr));
    EXPECT_EQ("Price", GetAttrib(m_hEngine, "Price", "ParamName"));
    EXPECT_EQ("Random", GetAttrib(m_hEngine, "Price", "Type"));

    std::vector<std::string> keys = KeyList(m_hEngine, "Random");
    EXPECT_GE(keys.size(), 4u);
    for (const std::string& key : keys)
    {
        int status = -1;
        EXPECT_EQ("", GetAttrib(m_hEngine, "Price", key.c_str(), &status)) << key;
        EXPECT_EQ(TURB_OK, status) << key;
    }

    int status = TURB_OK;
    GetAttrib(m_hEngine, "Price", "ColumnName", &status);
    EXPECT_NE(TURB_OK, status);
}

TEST_F(EngineContractTest, NewParamRefusesEmptyTakenNamesAndUnknownTypes)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Name", "Table", nullptr));
    EXPECT_EQ(0, Param_NewParam(m_hEngine, "", "Table", nullptr));
    EXPECT_EQ(0, Param_NewParam(m_hEngine, "Name", "Random", nullptr));
    EXPECT_EQ(0, Param_NewParam(m_hEngine, "Other", "NoSuchType", nullptr));
    EXPECT_EQ(0, Param_NewParam(m_hEngine, "Other", "table", nullptr));
    EXPECT_EQ(0, Param_NewParam(m_hEngine, nullptr, "Table", nullptr));
    EXPECT_EQ(0, Param_NewParam(m_hEngine, "Other", nullptr, nullptr));
    // The caller decides about names that differ in letter case.
    EXPECT_NE(0, Param_NewParam(m_hEngine, "NAME", "Table", nullptr));
    EXPECT_EQ((std::vector<std::string>{"Name", "NAME"}), ParamNames(m_hEngine));
    EXPECT_EQ("Table", GetAttrib(m_hEngine, "Name", "Type"));
}

TEST_F(EngineContractTest, PositionsWalkTheParametersAsTheyWereWhenTheWalkBegan)
{
    for (const char* name : {"A", "B", "C"})
        ASSERT_NE(0, Param_NewParam(m_hEngine, name, "Custom", nullptr));
    void* pos = Param_GetHeadParamPos(m_hEngine);
    ASSERT_NE(nullptr, pos);
    TURB_PARAM_ID first = Param_GetNextParam(m_hEngine, pos);
    EXPECT_NE(0, first);

    EXPECT_EQ(TURB_OK, Param_DeleteParam(m_hEngine, "B"));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "D", "Custom", nullptr));
    TURB_PARAM_ID second = Param_GetNextParam(m_hEngine, pos);
    char* text = reinterpret_cast<char*>(1);
    int length = 5;
    EXPECT_EQ(TURB_E_NOT_FOUND, Param_GetAttribExt(m_hEngine, second, "ParamName", &text, &length));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(0, length);
    EXPECT_NE(0, Param_GetNextParam(m_hEngine, pos));
    EXPECT_EQ(0, Param_GetNextParam(m_hEngine, pos));
    EXPECT_EQ(0, Param_GetNextParam(m_hEngine, pos));
    Param_GetHeadPosFree(m_hEngine, pos);

    EXPECT_EQ((std::vector<std::string>{"A", "C", "D"}), ParamNames(m_hEngine));
}

TEST_F(EngineContractTest, PositionsBelongToTheirInstanceAndKind)
{
    void* other = OpenEngine();
    ASSERT_NE(0, Param_NewParam(m_hEngine, "A", "Custom", nullptr));
    void* pos = Param_GetHeadParamPos(m_hEngine);
    EXPECT_EQ(0, Param_GetNextParam(other, pos));
    EXPECT_EQ(nullptr, Param_GetNextType(m_hEngine, pos));
    Param_GetHeadPosFree(other, pos); // not its position: ignored
    EXPECT_NE(0, Param_GetNextParam(m_hEngine, pos));
    Param_GetHeadPosFree(m_hEngine, pos);

    void* types = Param_GetHeadTypesPos(m_hEngine);
    EXPECT_EQ(0, Param_GetNextParam(m_hEngine, types));
    EXPECT_STREQ("Table", Param_GetNextType(m_hEngine, types));
    Param_GetHeadPosFree(m_hEngine, types);
}

TEST_F(EngineContractTest, AttributeTextsKeepEveryByteAndTheirLength)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "P", "Custom", nullptr));
    std::string binary("a\0b\0", 4);
    EXPECT_EQ(TURB_OK, SetAttrib(m_hEngine, "P", "CurrentValue", binary));
    EXPECT_EQ(binary, GetAttrib(m_hEngine, "P", "CurrentValue"));

    EXPECT_EQ(TURB_OK, Param_SetAttribByName(m_hEngine, "P", "Prompt", "terminated", -1));
    EXPECT_EQ("terminated", GetAttrib(m_hEngine, "P", "Prompt"));
    EXPECT_EQ(TURB_OK, Param_SetAttribByName(m_hEngine, "P", "Prompt", "prefix only", 6));
    EXPECT_EQ("prefix", GetAttrib(m_hEngine, "P", "Prompt"));
    EXPECT_EQ(TURB_OK, Param_SetAttribByName(m_hEngine, "P", "Prompt", nullptr, 0));
    int status = -1;
    EXPECT_EQ("", GetAttrib(m_hEngine, "P", "Prompt", &status));
    EXPECT_EQ(TURB_OK, status);

    EXPECT_NE(TURB_OK, Param_SetAttribByName(m_hEngine, "P", "Prompt", nullptr, 3));
    EXPECT_NE(TURB_OK, Param_SetAttribByName(m_hEngine, "P", nullptr, "x", 1));
    EXPECT_NE(TURB_OK, Param_SetAttribByName(m_hEngine, "Nobody", "Prompt", "x", 1));

    // An attribute outside the type's list is kept too.
    EXPECT_EQ(TURB_OK, SetAttrib(m_hEngine, "P", "Extra", "value"));
    EXPECT_EQ("value", GetAttrib(m_hEngine, "P", "Extra"));

    char* text = reinterpret_cast<char*>(1);
    int length = 7;
    EXPECT_EQ(TURB_E_NOT_FOUND, Param_GetAttribByNameExt(m_hEngine, "P", "None", &text, &length));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(0, length);
    EXPECT_NE(TURB_OK, Param_GetAttribByNameExt(m_hEngine, "P", "Type", nullptr, &length));
}

TEST_F(EngineContractTest, NameChangesOnlyThroughANewParameter)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Old", "Custom", nullptr));
    EXPECT_EQ(TURB_E_READ_ONLY, SetAttrib(m_hEngine, "Old", "ParamName", "New"));
    EXPECT_EQ(TURB_OK, SetAttrib(m_hEngine, "Old", "ParamName", "Old"));
    EXPECT_EQ("Old", GetAttrib(m_hEngine, "Old", "ParamName"));
    int status = TURB_OK;
    GetAttrib(m_hEngine, "New", "ParamName", &status);
    EXPECT_EQ(TURB_E_NOT_FOUND, status);
}

TEST_F(EngineContractTest, DeleteAndClear)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "A", "Custom", nullptr));
    ASSERT_NE(0, Param_NewParam(m_hEngine, "B", "Custom", nullptr));
    EXPECT_EQ(TURB_E_NOT_FOUND, Param_DeleteParam(m_hEngine, "a"));
    EXPECT_EQ(TURB_OK, Param_DeleteParam(m_hEngine, "A"));
    EXPECT_EQ(TURB_E_NOT_FOUND, Param_DeleteParam(m_hEngine, "A"));
    EXPECT_EQ(std::vector<std::string>{"B"}, ParamNames(m_hEngine));

    // A name given again belongs to a new parameter with a new id.
    ASSERT_NE(0, Param_NewParam(m_hEngine, "A", "Random", nullptr));
    EXPECT_EQ("Random", GetAttrib(m_hEngine, "A", "Type"));
    void* pos = Param_GetHeadParamPos(m_hEngine);
    TURB_PARAM_ID b = Param_GetNextParam(m_hEngine, pos);
    TURB_PARAM_ID a = Param_GetNextParam(m_hEngine, pos);
    Param_GetHeadPosFree(m_hEngine, pos);
    EXPECT_GT(a, b);
    EXPECT_EQ(TURB_E_NOT_FOUND, Param_SetAttrib(m_hEngine, b - 1, "CurrentValue", "x", 1));
    EXPECT_EQ(TURB_OK, Param_SetAttrib(m_hEngine, a, "MinValue", "3", 1));
    EXPECT_EQ("3", GetAttrib(m_hEngine, "A", "MinValue"));

    EXPECT_EQ(TURB_OK, Param_ClearParamList(m_hEngine));
    EXPECT_TRUE(ParamNames(m_hEngine).empty());
    EXPECT_NE(0, Param_NewParam(m_hEngine, "B", "Custom", nullptr));
}

TEST_F(EngineContractTest, InstanceWideAttributesStayWithTheirInstance)
{
    void* other = OpenEngine();
    ASSERT_NE(0, Param_NewParam(m_hEngine, "P", "Custom", nullptr));
    EXPECT_EQ(TURB_OK, SetAttrib(m_hEngine, nullptr, "InSimMode", "TRUE"));
    EXPECT_EQ("TRUE", GetAttrib(m_hEngine, nullptr, "InSimMode"));

    int status = TURB_OK;
    GetAttrib(m_hEngine, "P", "InSimMode", &status);
    EXPECT_NE(TURB_OK, status);
    GetAttrib(other, nullptr, "InSimMode", &status);
    EXPECT_NE(TURB_OK, status);
    EXPECT_EQ(TURB_OK, SetAttrib(m_hEngine, nullptr, "InSimMode", ""));
    EXPECT_EQ("", GetAttrib(m_hEngine, nullptr, "InSimMode"));
}

TEST_F(EngineContractTest, InstancesNeverShareParameters)
{
    std::string file = m_dir.File("script.prm");
    ASSERT_NE(0, Param_NewParam(m_hEngine, "Shared", "Custom", file.c_str()));
    SetAttrib(m_hEngine, "Shared", "CurrentValue", "original");
    ASSERT_EQ(TURB_OK, Param_Save(m_hEngine, nullptr));

    void* first = OpenEngine();
    void* second = OpenEngine();
    ASSERT_EQ(TURB_OK, Param_AddParamFile(first, file.c_str(), 1));
    ASSERT_EQ(TURB_OK, Param_AddParamFile(second, file.c_str(), 1));
    SetAttrib(first, "Shared", "CurrentValue", "changed");
    ASSERT_NE(0, Param_NewParam(first, "OnlyFirst", "Custom", nullptr));
    Param_DeleteParam(m_hEngine, "Shared");

    EXPECT_EQ("original", GetAttrib(second, "Shared", "CurrentValue"));
    EXPECT_EQ(std::vector<std::string>{"Shared"}, ParamNames(second));
    EXPECT_EQ((std::vector<std::string>{"Shared", "OnlyFirst"}), ParamNames(first));
    EXPECT_TRUE(ParamNames(m_hEngine).empty());
}

TEST(EngineNullTest, CallsOnNoInstanceFailWithoutCrashing)
{
    delete_turbine_handle(nullptr);
    int notAnEngine = 0;
    EXPECT_NE(TURB_OK, Param_AddParamFile(&notAnEngine, "x.prm", 1));
    EXPECT_EQ(0, Param_NewParam(nullptr, "A", "Table", nullptr));
    EXPECT_EQ(nullptr, Param_GetHeadParamPos(nullptr));
    EXPECT_EQ(0, Param_GetNextParam(nullptr, nullptr));
    char buffer[8] = "xxxxxxx";
    EXPECT_NE(TURB_OK, Param_GetParamString(nullptr, "A", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
}
