#include "ManagerFixture.h"
#include "UiSeams.h"
#include "plugin/PluginInfo.h"

#include <cstring>

namespace
{
const char* const INVALID_NAME_TEXT = "Please enter a valid name for the parameter (name must begin with a letter and "
                                      "contain \nonly alphanumeric characters and '_').";

// A counted object that never deletes itself, so a test can read its count.
class CCountedInfo : public IUnknown
{
public:
    HRESULT QueryInterface(const char*, void** ppvObject) override
    {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    unsigned long AddRef() override { return ++m_nRefs; }
    unsigned long Release() override { return --m_nRefs; }

    unsigned long m_nRefs = 1;
};
} // namespace

TEST_F(ManagerTest, NamesAreCheckedWithTheStandardMessage)
{
    auto mgr = LoadedManager();
    CMessageBoxRecorder boxes;
    EXPECT_TRUE(mgr->IsValidParamName("Good_Name1", 1));
    EXPECT_FALSE(mgr->IsValidParamName("1abc", 0));
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_FALSE(mgr->IsValidParamName("1abc", 1));
    EXPECT_FALSE(mgr->IsValidParamName("a b", 1));
    EXPECT_FALSE(mgr->IsValidParamName("", 1));
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.LastText(), INVALID_NAME_TEXT);
}

TEST_F(ManagerTest, ExistingMatchingAndMangledNames)
{
    auto mgr = LoadedManager();
    EXPECT_TRUE(mgr->IsExistingParamName("City"));
    EXPECT_FALSE(mgr->IsExistingParamName("city"));
    EXPECT_FALSE(mgr->IsExistingParamName(nullptr));
    EXPECT_EQ(mgr->GetMatchingParamNameNoCase("CITY"), "City");
    EXPECT_EQ(mgr->GetMatchingParamNameNoCase("City"), "") << "an exact match is no other-case match";

    EXPECT_EQ(mgr->MangleParamName("Fresh"), "Fresh");
    EXPECT_EQ(mgr->MangleParamName("City"), "City_1");
    ASSERT_TRUE(mgr->AddParamToPRM("City_1", "File", ""));
    EXPECT_EQ(mgr->MangleParamName("City"), "City_2");
    EXPECT_EQ(mgr->MangleParamName("1City"), "") << "no suffix makes a bad start valid";
}

TEST_F(ManagerTest, HandleSyntaxToStorage)
{
    CTestMgr mgr(m_strTypes.c_str());
    EXPECT_EQ(mgr.HandleSyntax(R"(a\\b)", false), R"(a\b)");
    EXPECT_EQ(mgr.HandleSyntax(R"(\"q\")", false), R"("q")");
    EXPECT_EQ(mgr.HandleSyntax(R"(end\)", false), "end") << "a trailing lone backslash goes";
    EXPECT_EQ(mgr.HandleSyntax(R"(\n\x\')", false), R"(\n\x\')") << "other escapes stay";
    EXPECT_EQ(mgr.HandleSyntax(R"(\\\\\")", false), R"(\\")");
}

TEST_F(ManagerTest, HandleSyntaxToDisplay)
{
    CTestMgr mgr(m_strTypes.c_str());
    EXPECT_EQ(mgr.HandleSyntax(R"("quoted" "again")", true), R"(\"quoted" "again")") << "only the first byte";
    EXPECT_EQ(mgr.HandleSyntax("'single'", true), R"(\'single')");
    EXPECT_EQ(mgr.HandleSyntax(R"(\path)", true), R"(\\path)");
    EXPECT_EQ(mgr.HandleSyntax(R"(a\path)", true), R"(a\path)");
    EXPECT_EQ(mgr.HandleSyntax(R"(\)", true), R"(\\)");
    EXPECT_EQ(mgr.HandleSyntax(R"(\new)", true), R"(\\new)") << "\\n before a letter is a backslash and a word";
    EXPECT_EQ(mgr.HandleSyntax(R"(x\new)", true), R"(x\new)");
    EXPECT_EQ(mgr.HandleSyntax(R"(\n1\t\r)", true), R"(\n1\t\r)") << "escapes stay whole";
    EXPECT_EQ(mgr.HandleSyntax(R"(\"x\\)", true), R"(\"x\\)");
    EXPECT_EQ(mgr.HandleSyntax(R"(C:\data\)", true), R"(C:\data\\)") << "a lone backslash at the end";
}

// Stored, shown and stored again, a value comes back unless its display
// form is also another value's.
TEST_F(ManagerTest, HandleSyntaxRoundTrip)
{
    CTestMgr mgr(m_strTypes.c_str());
    struct CASE
    {
        const char* pszStored;
        const char* pszAgain;
    } cases[] = {
        {R"(C:\data\)", R"(C:\data\)"},
        {R"(\)", R"(\)"},
        {R"(\new\n1\')", R"(\new\n1\')"},
        {R"("q" 'x')", R"("q" 'x')"},
        {R"(a\\b)", R"(a\b)"},
        {R"(\"q)", R"("q)"},
        {R"('x)", R"(\'x)"},
    };
    for (const CASE& c : cases)
        EXPECT_EQ(mgr.HandleSyntax(mgr.HandleSyntax(c.pszStored, true).c_str(), false), c.pszAgain) << c.pszStored;
}

TEST_F(ManagerTest, AttributesAreReadInDisplayFormAndWrittenAsGiven)
{
    auto mgr = LoadedManager();
    ASSERT_TRUE(mgr->SetParamAttrib("Amount", "OriginalValue", "\"42\""));
    EXPECT_EQ(mgr->GetParamAttrib("Amount", "OriginalValue"), "\\\"42\"");
    EXPECT_TRUE(mgr->SetParamAttrib("Amount", "Format", "%05d"));
    EXPECT_EQ(mgr->GetParamAttrib("Amount", "Format"), "%05d");

    EXPECT_FALSE(mgr->SetParamAttrib("Nobody", "Format", "x"));
    EXPECT_FALSE(mgr->SetParamAttrib("Amount", "Format", nullptr));
    EXPECT_EQ(mgr->GetParamAttrib(nullptr, "Format"), "");
}

TEST_F(ManagerTest, CreateNewParameterStoresTheValueAndAnnouncesIt)
{
    auto mgr = LoadedManager();
    CRecordingExt ext(mgr.get());
    ASSERT_TRUE(mgr->CreateNewParameter("Greeting", "Custom", R"(say \"hi\")"));

    EXPECT_STREQ(mgr->GetActiveParamName(), "Greeting");
    EXPECT_EQ(mgr->GetParamAttrib("Greeting", "Type"), "Custom");
    EXPECT_EQ(mgr->GetParamAttrib("Greeting", "CurrentValue"), R"(say "hi")") << "stored form, as OriginalValue";
    EXPECT_EQ(mgr->GetParamAttrib("Greeting", "OriginalValue"), R"(say "hi")");
    ASSERT_EQ(ext.Codes(), (std::vector<unsigned>{UPD_BEFORE_ACTIVE_CHANGE, UPD_ADDED}));
    EXPECT_EQ(ext.m_arrHeard[0].strData, "Greeting");
    EXPECT_EQ(ext.m_arrHeard[1].strData, "Greeting");

    ext.m_arrHeard.clear();
    EXPECT_FALSE(mgr->CreateNewParameter("Greeting", "Custom", "again"));
    EXPECT_FALSE(mgr->CreateNewParameter("Other", nullptr, "x"));
    EXPECT_TRUE(ext.m_arrHeard.empty());
}

TEST_F(ManagerTest, CreateNewParameterOfAnUnknownTypeMakesAFileParameter)
{
    auto mgr = LoadedManager();
    ASSERT_TRUE(mgr->CreateNewParameter("Fallback", "Gizmo", "v"));
    EXPECT_EQ(mgr->GetParamAttrib("Fallback", "Type"), "Table");
    EXPECT_NE(m_strDebug.find("CTarvoMgr::CreateNewParameter - Parameter Type 'Gizmo' is invalid.  Creating File "
                              "parameter instead"),
              std::string::npos)
        << m_strDebug;
}

TEST_F(ManagerTest, AddParamToPRMAddsSilentlyAndNeverOverwrites)
{
    auto mgr = LoadedManager();
    CRecordingExt ext(mgr.get());
    ASSERT_TRUE(mgr->AddParamToPRM("Extra", "Custom", R"(a\\b)"));
    EXPECT_EQ(mgr->GetParamAttrib("Extra", "CurrentValue"), "");
    EXPECT_EQ(mgr->GetParamAttrib("Extra", "IsServer"), "NO");
    EXPECT_EQ(mgr->GetParamAttrib("Extra", "IsEncrypt"), "NO");
    EXPECT_EQ(mgr->GetParamAttrib("Extra", "OriginalValue"), R"(a\b)");
    EXPECT_STREQ(mgr->GetActiveParamName(), "CustomerName");

    EXPECT_TRUE(mgr->AddParamToPRM("customername", "File", "v")) << "another case counts as present";
    EXPECT_FALSE(mgr->AddParamToPRM("Nothing", "Gizmo", "v"));
    EXPECT_EQ(Names(*mgr).size(), 8u);

    // The exact name of an existing parameter: refused, and its data stays.
    EXPECT_FALSE(mgr->AddParamToPRM("CustomerName", "Random Number", "overwritten"));
    EXPECT_EQ(mgr->GetParamAttrib("CustomerName", "OriginalValue"), "Smith");
    EXPECT_EQ(mgr->GetParamAttrib("CustomerName", "Prompt"), "Who");
    EXPECT_EQ(mgr->GetParamAttrib("CustomerName", "IsServer"), "");
    EXPECT_TRUE(ext.m_arrHeard.empty());
}

TEST_F(ManagerTest, DeleteParameterAnnouncesTheDeletionAndRemovesTheDataFileOnRequest)
{
    std::string dataFile = m_dir.Write("script/customers.dat", "name\nSmith\n");
    auto mgr = LoadedManager();
    CRecordingExt ext(mgr.get());
    // The active name itself, as a host would pass it: deleting clears it midway.
    ASSERT_TRUE(mgr->DeleteParameter(mgr->GetActiveParamName(), 0, 1));

    EXPECT_EQ(ext.Codes(),
              (std::vector<unsigned>{UPD_BEFORE_ACTIVE_CHANGE, UPD_ACTIVE_CHANGED, UPD_RELOAD, UPD_DELETED}));
    EXPECT_EQ(ext.m_arrHeard[0].strData, "");
    EXPECT_EQ(ext.m_arrHeard[1].strData, "");
    EXPECT_EQ(ext.m_arrHeard[2].strData, "CustomerName");
    EXPECT_EQ(ext.m_arrHeard[3].strData, "CustomerName");
    EXPECT_EQ(ext.m_arrHeard[3].strSecond, "Smith");
    EXPECT_STREQ(mgr->GetActiveParamName(), "");
    EXPECT_FALSE(mgr->IsExistingParamName("CustomerName"));
    EXPECT_TRUE(FileExists(dataFile));

    ext.m_arrHeard.clear();
    ASSERT_TRUE(mgr->DeleteParameter("Street", 1, 0));
    EXPECT_TRUE(FileExists(dataFile)) << "only File parameters take their data file along";
    EXPECT_EQ(ext.Find(UPD_DELETED), nullptr) << "not asked to notify";
    ASSERT_TRUE(mgr->DeleteParameter("City", 1, 1));
    EXPECT_FALSE(FileExists(dataFile));
}

TEST_F(ManagerTest, DeletingWhatDoesNotExistFailsUnheard)
{
    auto mgr = LoadedManager();
    CRecordingExt ext(mgr.get());
    EXPECT_FALSE(mgr->DeleteParameter("Nobody", 1, 1));
    EXPECT_FALSE(mgr->DeleteParameter(nullptr, 0, 0));
    EXPECT_TRUE(ext.m_arrHeard.empty());
    EXPECT_STREQ(mgr->GetActiveParamName(), "CustomerName");

    mgr->DeleteParamFromPRM("Amount");
    mgr->DeleteParamFromPRM(nullptr);
    EXPECT_FALSE(mgr->IsExistingParamName("Amount"));
    EXPECT_TRUE(ext.m_arrHeard.empty()) << "DeleteParamFromPRM tells nobody";
}

TEST_F(ManagerTest, RenameCarriesAttributesAndEveryTie)
{
    auto mgr = LoadedManager();
    CRecordingExt ext(mgr.get());
    ASSERT_TRUE(mgr->RenameActiveParam("Client"));

    EXPECT_STREQ(mgr->GetActiveParamName(), "Client");
    EXPECT_FALSE(mgr->IsExistingParamName("CustomerName"));
    EXPECT_EQ(mgr->GetParamAttrib("Client", "Type"), "Table");
    EXPECT_EQ(mgr->GetParamAttrib("Client", "Prompt"), "Who");
    EXPECT_EQ(mgr->GetParamAttrib("Client", "OriginalValue"), "Smith");
    EXPECT_EQ(mgr->GetParamAttrib("Client", "SelectNextRow"), "Random");
    EXPECT_EQ(mgr->GetParamAttrib("City", "SelectNextRow"), "Same line as Client");
    EXPECT_EQ(mgr->GetParamAttrib("Street", "SelectNextRow"), "Same line as Client") << "Table parameters follow too";
    ASSERT_EQ(ext.Codes(), std::vector<unsigned>{UPD_RENAMED});
    EXPECT_EQ(ext.m_arrHeard[0].strData, "Client");
    EXPECT_EQ(ext.m_arrHeard[0].strSecond, "CustomerName");

    ext.m_arrHeard.clear();
    EXPECT_FALSE(mgr->RenameActiveParam("Amount"));
    EXPECT_FALSE(mgr->RenameActiveParam("9lives"));
    EXPECT_FALSE(mgr->RenameActiveParam(nullptr));
    EXPECT_TRUE(ext.m_arrHeard.empty());
    EXPECT_STREQ(mgr->GetActiveParamName(), "Client");
}

TEST_F(ManagerTest, RetypingReleasesTiesToTheFirstFollower)
{
    auto mgr = LoadedManager();
    ASSERT_TRUE(mgr->ChangeActiveParamType("Random"));

    EXPECT_EQ(mgr->GetParamAttrib("CustomerName", "Type"), "Random");
    EXPECT_EQ(mgr->GetParamAttrib("CustomerName", "OriginalValue"), "Smith");
    EXPECT_EQ(mgr->GetParamAttrib("City", "SelectNextRow"), "Random") << "the first follower inherits the policy";
    EXPECT_EQ(mgr->GetParamAttrib("Street", "SelectNextRow"), "Same line as City");
    EXPECT_STREQ(mgr->GetActiveParamName(), "CustomerName");
}

TEST_F(ManagerTest, DeletingReleasesTiesToTheFirstFollower)
{
    auto mgr = LoadedManager();
    std::string strOldRow = mgr->GetParamAttrib("CustomerName", "SelectNextRow");
    ASSERT_TRUE(mgr->DeleteParameter("CustomerName", 0, 0));
    EXPECT_EQ(mgr->GetParamAttrib("City", "SelectNextRow"), strOldRow) << "no tie to a parameter that is gone";
    EXPECT_EQ(mgr->GetParamAttrib("Street", "SelectNextRow"), "Same line as City");
}

TEST_F(ManagerTest, RetypingToATypeWithRowsKeepsTheTies)
{
    auto mgr = LoadedManager();
    ASSERT_TRUE(mgr->ChangeActiveParamType("XML"));
    EXPECT_EQ(mgr->GetParamAttrib("City", "SelectNextRow"), "Same line as CustomerName");
    EXPECT_EQ(mgr->GetParamAttrib("Street", "SelectNextRow"), "Same line as CustomerName");
}

TEST_F(ManagerTest, RetypingToAnUnknownTypeKeepsTheParameter)
{
    auto mgr = LoadedManager();
    std::vector<std::string> before = Names(*mgr);
    CMessageBoxRecorder boxes;
    EXPECT_FALSE(mgr->ChangeActiveParamType("Gizmo"));
    EXPECT_EQ(boxes.LastText(), "Failed to change the parameter type.");

    EXPECT_EQ(Names(*mgr), before) << "still there, in its place";
    EXPECT_EQ(mgr->GetParamAttrib("CustomerName", "Type"), "Table");
    EXPECT_EQ(mgr->GetParamAttrib("CustomerName", "Prompt"), "Who");
    EXPECT_STREQ(mgr->GetActiveParamName(), "CustomerName");

    ASSERT_TRUE(mgr->SetActiveParamName("Amount"));
    mgr->DeleteParamFromPRM("Amount");
    EXPECT_FALSE(mgr->ChangeActiveParamType("Random")) << "no active parameter to re-type";
    EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(ManagerTest, NameListsInEngineOrder)
{
    auto mgr = LoadedManager();
    EXPECT_EQ(Names(*mgr),
              (std::vector<std::string>{"Hidden1", "CustomerName", "City", "Street", "Amount", "Odd", "Gadget"}));
    EXPECT_FALSE(mgr->EnumParamNames(nullptr));

    std::vector<PARAM_SAMPLE_ROW> rows;
    ASSERT_TRUE(mgr->GetParamNamesAndSamples(&rows));
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[1], (PARAM_SAMPLE_ROW{"CustomerName", "File", "", ","}));
    EXPECT_EQ(rows[2][3], ";");
    EXPECT_EQ(rows[3][3], "") << "only File parameters give their delimiter";

    // A format the tab would refuse gives no sample, never the tab's message.
    const char* const formats[][2] = {{"", ""}, {"%I64d", ""}, {"%s", ""}, {"%03d", "005"}, {"No. %d", "No. 5"}};
    for (const auto& format : formats)
    {
        ASSERT_TRUE(mgr->SetParamAttrib("Amount", "Format", format[0]));
        ASSERT_TRUE(mgr->GetParamNamesAndSamples(&rows));
        EXPECT_EQ(rows[4], (PARAM_SAMPLE_ROW{"Amount", "Random Number", format[1], ""})) << format[0];
    }

    CTestMgr empty(m_strTypes.c_str());
    rows.assign(1, PARAM_SAMPLE_ROW{"kept"});
    EXPECT_TRUE(empty.GetParamNamesAndSamples(&rows));
    EXPECT_EQ(rows[0][0], "kept");
}

TEST_F(ManagerTest, NestedParameterization)
{
    auto mgr = LoadedManager();
    EXPECT_TRUE(mgr->IsNestedParameterization("a{City}b", "{", "}"));
    EXPECT_FALSE(mgr->IsNestedParameterization("a{Town}b", "{", "}"));
    EXPECT_TRUE(mgr->IsNestedParameterization("{{City}", "{", "}")) << "the search moves to the inner opening";
    EXPECT_FALSE(mgr->IsNestedParameterization("{{{City}", "{", "}")) << "but only once";
    EXPECT_TRUE(mgr->IsNestedParameterization("{Town} and <<City>>", "<<", ">>"));
    EXPECT_TRUE(mgr->IsNestedParameterization("{Town}{City}", "{", "}"));
    EXPECT_FALSE(mgr->IsNestedParameterization("{Town}", "{", "}"));
    EXPECT_FALSE(mgr->IsNestedParameterization("{City", "{", "}"));
    EXPECT_FALSE(mgr->IsNestedParameterization("{City}", "", "}"));
}

TEST_F(ManagerTest, AdditionalInfoHoldsOneReference)
{
    CCountedInfo first, second;
    {
        CTestMgr mgr(m_strTypes.c_str());
        mgr.SetAdditionalInfo("Key", &first);
        EXPECT_EQ(first.m_nRefs, 2ul);
        EXPECT_EQ(mgr.GetAdditionalInfo("Key"), &first);
        EXPECT_EQ(first.m_nRefs, 2ul) << "no reference for the caller";
        EXPECT_EQ(mgr.GetAdditionalInfo("key"), nullptr);

        mgr.SetAdditionalInfo("", &second);
        EXPECT_EQ(second.m_nRefs, 1ul) << "an empty key changes nothing";
        mgr.SetAdditionalInfo("Other", &second);
        EXPECT_EQ(first.m_nRefs, 1ul);
        EXPECT_EQ(second.m_nRefs, 2ul);
        EXPECT_EQ(mgr.GetAdditionalInfo("Key"), nullptr);
    }
    EXPECT_EQ(second.m_nRefs, 1ul) << "released with the manager";
}

TEST_F(ManagerTest, APlugInTypeCreatesTheAdditionalInfo)
{
    auto mgr = LoadedManager();
    mgr->CreateAdditionalInfoDllParam();
    EXPECT_EQ(mgr->GetAdditionalInfo("PluginInfo"), nullptr) << "a File parameter names no plug-in";

    ASSERT_TRUE(mgr->SetActiveParamName("Gadget"));
    mgr->CreateAdditionalInfoDllParam();
    IUnknown* pInfo = mgr->GetAdditionalInfo("PluginInfo");
    ASSERT_NE(pInfo, nullptr) << m_strDebug;
    IPluginInfo* pPlugin = nullptr;
    ASSERT_EQ(pInfo->QueryInterface(IID_IPluginInfo, reinterpret_cast<void**>(&pPlugin)), S_OK);
    EXPECT_STREQ(pPlugin->GetParamName(), "Gadget");
    pPlugin->Release();
    void* pNone = &pInfo;
    EXPECT_EQ(pInfo->QueryInterface("INothing", &pNone), E_NOINTERFACE);
    EXPECT_EQ(pNone, nullptr);
}
