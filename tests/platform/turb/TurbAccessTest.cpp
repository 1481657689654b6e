#include "TurbTestSupport.h"

#include "turb/TurbAccess.h"
#include "turb/TurbPosition.h"
#include "turb/TurbText.h"

using TurbAccessTest = CEngineTest;

TEST_F(TurbAccessTest, ReadTellsMissingFromEmptyAndKeepsEveryByte)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "P", "Random", nullptr));
    const std::string strBinary("a\0b", 3);
    EXPECT_TRUE(CTurbAccess::WriteAttrib(m_hEngine, "P", "Format", strBinary));
    EXPECT_EQ(CTurbAccess::ReadAttrib(m_hEngine, "P", "Format"), strBinary);
    EXPECT_EQ(CTurbAccess::ReadAttrib(m_hEngine, "P", "MinValue"), std::string()) << "empty, but there";
    EXPECT_EQ(CTurbAccess::ReadAttrib(m_hEngine, "P", "ColumnName"), std::nullopt) << "no such attribute";
    EXPECT_EQ(CTurbAccess::ReadAttrib(m_hEngine, "Q", "Type"), std::nullopt) << "no such parameter";

    std::vector<TURB_PARAM_ID> arrIds = CTurbAccess::GetParamIds(m_hEngine);
    ASSERT_EQ(arrIds.size(), 1u);
    EXPECT_EQ(CTurbAccess::ReadAttrib(m_hEngine, arrIds[0], "Format"), strBinary);
    EXPECT_EQ(CTurbAccess::ReadAttrib(m_hEngine, arrIds[0] + 1000, "Format"), std::nullopt);

    EXPECT_TRUE(CTurbAccess::WriteAttrib(m_hEngine, nullptr, "GroupName", "Buyers"));
    EXPECT_EQ(CTurbAccess::ReadAttrib(m_hEngine, nullptr, "GroupName"), std::string("Buyers"));
}

TEST_F(TurbAccessTest, WriteReportsWhatTheEngineRefuses)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "P", "Table", nullptr));
    EXPECT_FALSE(CTurbAccess::WriteAttrib(m_hEngine, "P", "LocalDataDir", "/tmp")) << "derived";
    EXPECT_FALSE(CTurbAccess::WriteAttrib(m_hEngine, "Q", "Table", "x.dat")) << "no such parameter";
    EXPECT_FALSE(CTurbAccess::WriteAttrib(nullptr, "P", "Table", "x.dat"));
    EXPECT_EQ(GetAttrib(m_hEngine, "P", "Table"), "");
}

TEST_F(TurbAccessTest, WalksListWhatWasThereWhenTheyStarted)
{
    for (const char* pszName : {"A", "B", "C"})
        ASSERT_NE(0, Param_NewParam(m_hEngine, pszName, "Random", nullptr));
    std::vector<TURB_PARAM_ID> arrIds = CTurbAccess::GetParamIds(m_hEngine);
    std::vector<std::string> arrNames;
    for (TURB_PARAM_ID id : arrIds)
        arrNames.push_back(CTurbAccess::ReadAttrib(m_hEngine, id, "ParamName").value_or("?"));
    EXPECT_EQ(arrNames, ParamNames(m_hEngine));
    EXPECT_EQ(CTurbAccess::GetTypeKeys(m_hEngine), TypeKeys(m_hEngine));

    CTurbPosition position(m_hEngine, CTurbPosition::WALK_PARAMS);
    EXPECT_EQ(position.NextParam(), arrIds[0]);
    Param_DeleteParam(m_hEngine, "C");
    EXPECT_EQ(position.NextParam(), arrIds[1]);
    EXPECT_EQ(position.NextParam(), arrIds[2]) << "made before the deletion";
    EXPECT_EQ(position.NextParam(), 0);
}

TEST(TurbAccess, NoInstanceReadsNothingAndFreesNothing)
{
    CTurbPosition params(nullptr, CTurbPosition::WALK_PARAMS);
    CTurbPosition types(nullptr, CTurbPosition::WALK_TYPES);
    EXPECT_EQ(params.NextParam(), 0);
    EXPECT_EQ(types.NextType(), nullptr);
    EXPECT_TRUE(CTurbAccess::GetParamIds(nullptr).empty());
    EXPECT_EQ(CTurbAccess::ReadAttrib(nullptr, "P", "Type"), std::nullopt);

    CTurbText text(nullptr);
    EXPECT_NE(Param_GetAttribByNameExt(nullptr, "P", "Type", text.GetTextOut(), text.GetLengthOut()), TURB_OK);
    EXPECT_FALSE(text.IsSet());
    EXPECT_EQ(text.GetString(), "");
}

// Asking again with the same text frees the first answer (the sanitizer run
// reports a leak otherwise) and keeps the second.
TEST_F(TurbAccessTest, ATextReusedForASecondReadHoldsTheSecond)
{
    ASSERT_NE(0, Param_NewParam(m_hEngine, "P", "Random", nullptr));
    SetAttrib(m_hEngine, "P", "MinValue", "7");
    CTurbText text(m_hEngine);
    ASSERT_EQ(Param_GetAttribByNameExt(m_hEngine, "P", "Type", text.GetTextOut(), text.GetLengthOut()), TURB_OK);
    EXPECT_EQ(text.GetString(), "Random");
    ASSERT_EQ(Param_GetAttribByNameExt(m_hEngine, "P", "MinValue", text.GetTextOut(), text.GetLengthOut()), TURB_OK);
    EXPECT_TRUE(text.IsSet());
    EXPECT_EQ(text.GetString(), "7");
}
