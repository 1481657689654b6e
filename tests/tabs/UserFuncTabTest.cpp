#include "ValueTabFixture.h"

#include "tabs/Customize.h"
#include "tabs/UserFuncDLG.h"

namespace
{
const char* const FUNCTION_PRM = R"([Token]
Type=UserDefinedFunction
FunctionName=get_token
NTLibraryName=C:\libs\Tokens.dll
SOLibraryName=libTokens.so
VXLibraryName=libtokens.sl.2
AXLibraryName=
GenerateNewVal=Once

[Secret]
Type=Custom
CurrentValue=s3cret
Prompt=Your password
IsServer=yes
IsEncrypt=1

[Plain]
Type=Custom
IsServer=No

[Crew]
Type=Group
Format=%s
)";

const Strings LIBRARY_KEYS = {"NTLibraryName", "SOLibraryName", "VXLibraryName", "AXLibraryName"};
} // namespace

class UserFuncTabTest : public ValueTabFixture
{
protected:
    void SetUp() override
    {
        CreateWindows(FUNCTION_PRM);
        ASSERT_TRUE(m_pList->Select("Token"));
        ASSERT_NE(Tab<CUserFuncDLG>(), nullptr);
    }
    Strings Libraries() { return {Text(IDC_FUNC_SO_LIBRARY), Text(IDC_FUNC_VX_LIBRARY), Text(IDC_FUNC_AX_LIBRARY)}; }
    Strings Stored(const std::string& strName, const Strings& arrKeys)
    {
        Strings arrValues;
        for (const std::string& strKey : arrKeys)
            arrValues.push_back(Attrib(strName, strKey.c_str()));
        return arrValues;
    }

    CFileDialogScripts m_files;
};

TEST_F(UserFuncTabTest, UnixLibrariesFollowTheWindowsLibraryUntilTheAuthorTypesThem)
{
    EXPECT_EQ(TabCaptions(), Strings{"User Defined Function Properties"});
    EXPECT_EQ(CurSel(IDC_FUNC_POLICY), 2);
    Enter(IDC_FUNC_NT_LIBRARY, "C:\\libs\\Crypto.dll");
    EXPECT_EQ(Libraries(), (Strings{"libCrypto.so", "libtokens.sl.2", "libCrypto.a"}))
        << "the stored VX/UX name was the author's own; the empty AIX name follows";

    Enter(IDC_FUNC_SO_LIBRARY, "libcrypto.so.1");
    Enter(IDC_FUNC_NT_LIBRARY, "/opt/lib/Hash.dll");
    EXPECT_EQ(Libraries(), (Strings{"libcrypto.so.1", "libtokens.sl.2", "libHash.a"}));

    Enter(IDC_FUNC_NT_LIBRARY, "");
    EXPECT_EQ(Libraries(), (Strings{"libcrypto.so.1", "libtokens.sl.2", ""})) << "only names that followed go";
    EXPECT_FALSE(m_pList->Select("Crew"));
    EXPECT_EQ(Messages(), Strings{"Please enter a valid Library Name|plain"});
    EXPECT_EQ(CWnd::GetFocus(), &Item(IDC_FUNC_NT_LIBRARY));
    EXPECT_EQ(Stored("Token", LIBRARY_KEYS), (Strings{"", "libcrypto.so.1", "libtokens.sl.2", ""}))
        << "written before the check";
}

TEST_F(UserFuncTabTest, BrowseStartsAtTheLibraryAndTakesTheChosenPath)
{
    m_files.Add(
        [](const CFileDialog& dlg)
        {
            EXPECT_EQ(dlg.GetPathName(), "Tokens.dll");
            EXPECT_STREQ(dlg.m_ofn.lpstrInitialDir, "C:\\libs\\");
            EXPECT_EQ(dlg.GetDefExt(), "dll");
            EXPECT_EQ(dlg.GetNameFilters(), (Strings{"Libraries (*.dll)", "All files (*)"}));
            return std::string("/usr/local/lib/Codes.dll");
        });
    Click(IDC_FUNC_BROWSE);
    EXPECT_EQ(Text(IDC_FUNC_NT_LIBRARY), "/usr/local/lib/Codes.dll");
    EXPECT_EQ(Libraries(), (Strings{"libCodes.so", "libtokens.sl.2", "libCodes.a"}));
    m_files.Cancel();
    Click(IDC_FUNC_BROWSE);
    EXPECT_EQ(Text(IDC_FUNC_NT_LIBRARY), "/usr/local/lib/Codes.dll");
    EXPECT_TRUE(m_files.AllUsed());
}

TEST_F(UserFuncTabTest, OnlyIdentifiersAreFunctionNames)
{
    const struct
    {
        const char* pszName;
        bool bValid;
    } cases[] = {{"9abc", false}, {"my-func", false}, {"", false}, {"a b", false}, {"_init2", true}, {"Get", true}};
    for (const auto& c : cases)
    {
        if (std::string(m_pMgr->GetActiveParamName()) != "Token")
        {
            ASSERT_TRUE(m_pList->Select("Token"));
        }
        Enter(IDC_FUNC_NAME, c.pszName);
        EXPECT_EQ(m_pList->Select("Crew"), c.bValid) << c.pszName;
        EXPECT_EQ(Attrib("Token", "FunctionName"), c.pszName);
        if (!c.bValid)
        {
            EXPECT_EQ(Messages(), Strings{"Please enter a valid Function name|plain"});
            EXPECT_EQ(CWnd::GetFocus(), &Item(IDC_FUNC_NAME));
        }
    }
}

TEST_F(UserFuncTabTest, NewAndRetypedFunctionParametersTakeTheDefaults)
{
    const Strings keys = {"FunctionName",  "NTLibraryName", "SOLibraryName",
                          "VXLibraryName", "AXLibraryName", "GenerateNewVal"};
    const Strings defaults = {"MyFunctionName", "MyDll.dll",  "libMyDll.so",
                              "libMyDll.sl",    "libMyDll.a", "EachOccurrence"};
    ASSERT_TRUE(m_pMgr->CreateNewParameter("Fresh", "User Defined Function", ""));
    EXPECT_EQ(Stored("Fresh", keys), defaults);
    ASSERT_TRUE(m_pList->Select("Crew"));
    ASSERT_TRUE(m_pMgr->ChangeActiveParamType("UserDefinedFunction"));
    EXPECT_EQ(Stored("Crew", keys), defaults);
    ASSERT_TRUE(m_pList->Select("Fresh"));
    Enter(IDC_FUNC_NT_LIBRARY, "Other.dll");
    EXPECT_EQ(Libraries(), (Strings{"libOther.so", "libOther.sl", "libOther.a"})) << "no name was typed";
}

TEST_F(UserFuncTabTest, TheCustomTabKeepsValueDescriptionAndFlags)
{
    ASSERT_TRUE(m_pList->Select("Secret"));
    ASSERT_NE(Tab<CCustomize>(), nullptr);
    EXPECT_EQ(TabCaptions(), Strings{"Customization Properties"});
    EXPECT_EQ(Text(IDC_CUSTOM_VALUE), "s3cret");
    EXPECT_EQ(Text(IDC_CUSTOM_PROMPT), "Your password");
    EXPECT_TRUE(Checked(IDC_CUSTOM_SERVER));
    EXPECT_TRUE(Checked(IDC_CUSTOM_ENCRYPT));
    for (int nID : {IDC_CUSTOM_ATTRIBUTES, IDC_CUSTOM_SERVER, IDC_CUSTOM_ENCRYPT})
        EXPECT_FALSE(Item(nID).IsWindowVisible()) << "the host offers no server parameters";
    Enter(IDC_CUSTOM_VALUE, "changed");
    ASSERT_TRUE(m_pList->Select("Crew"));
    const Strings keys = {"CurrentValue", "Prompt", "IsServer", "IsEncrypt"};
    EXPECT_EQ(Stored("Secret", keys), (Strings{"changed", "Your password", "YES", "YES"}))
        << "hidden flags are written back as read";

    m_pMgr->Custom_AddOptions(OPT_SERVER_ENCRYPT);
    ASSERT_TRUE(m_pList->Select("Plain"));
    EXPECT_TRUE(Item(IDC_CUSTOM_ATTRIBUTES).IsWindowVisible());
    EXPECT_FALSE(Checked(IDC_CUSTOM_SERVER));
    Click(IDC_CUSTOM_ENCRYPT);
    ASSERT_TRUE(m_pList->Select("Crew"));
    EXPECT_EQ(Stored("Plain", keys), (Strings{"", "", "NO", "YES"}));

    ASSERT_TRUE(m_pMgr->CreateNewParameter("Given", "Custom", ""));
    EXPECT_EQ(Stored("Given", keys), (Strings{"", "", "NO", "NO"}));
}
