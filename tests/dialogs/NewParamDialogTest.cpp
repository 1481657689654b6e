#include "ParamListFixture.h"
#include "UiDriver.h"

#include "afx/Process.h"
#include "dialogs/NewParamDialog.h"
#include "resources/ListDialogs.h"

#include <QComboBox>

namespace
{
const char* const INVALID_NAME = "Please enter a valid name for the parameter (name must begin with a letter and "
                                 "contain \nonly alphanumeric characters and '_').";
const char* const NAME_OTHER_CASE =
    "A parameter with the same name and different letter case already exists.\nPlease enter a new parameter name.";

// What the Parameter Properties dialog saw of the manager when it opened.
struct SPropertiesSeen
{
    std::string strActive;
    int bForceDataFileDefaults;
};

// The Select or Create Parameter dialog opened through the manager.
class NewParamDialogTest : public ParamListFixture
{
protected:
    // Opens the dialog for the script text and runs the script in it.
    BOOL Open(const std::string& strValue, std::function<void(CNewParamDialog&)> script)
    {
        m_modals.Add([script](CWnd& dialog) { script(dynamic_cast<CNewParamDialog&>(dialog)); });
        return m_pMgr->OpenParamSelectDialog(m_strName, m_strType, &m_nResult, strValue.c_str(), nullptr);
    }

    // Expects the Parameter Properties dialog once more and closes it.
    void ExpectProperties()
    {
        m_modals.Add(
            [this](CWnd& dialog)
            {
                m_arrPropertiesSeen.push_back({m_pMgr->GetActiveParamName(), m_pMgr->m_bForceDataFileDefaults});
                dynamic_cast<CDialog&>(dialog).EndDialog(IDCANCEL);
            });
    }
    bool Exists(const char* pszName) { return m_pMgr->IsExistingParamName(pszName); }

    std::string m_strName;
    std::string m_strType;
    long m_nResult = -1;
    std::vector<SPropertiesSeen> m_arrPropertiesSeen;
};

std::string Text(const CWnd& wnd)
{
    std::string text;
    wnd.GetWindowText(text);
    return text;
}

std::string Value(CNewParamDialog& dlg)
{
    return Text(*dlg.GetDlgItem(IDC_SELECT_PARAM_VALUE));
}

bool PropertiesEnabled(CNewParamDialog& dlg)
{
    return dlg.GetDlgItem(IDC_SELECT_PARAM_PROPERTIES)->IsWindowEnabled();
}

Strings Items(const CComboBox& combo)
{
    Strings items(static_cast<size_t>(combo.GetCount()));
    for (int i = 0; i < combo.GetCount(); ++i)
        combo.GetLBText(i, items[static_cast<size_t>(i)]);
    return items;
}

void Click(CNewParamDialog& dlg, int nID)
{
    ui::Click(*dlg.GetDlgItem(nID));
}

} // namespace

TEST_F(NewParamDialogTest, TheEscapeCharacterAloneCannotBecomeAParameter)
{
    LoadManager();
    EXPECT_FALSE(m_pMgr->OpenParamSelectDialog(m_strName, m_strType, &m_nResult, "\\", nullptr));
    EXPECT_EQ(m_boxes.LastText(), "Cannot set a parameter for the escape character '\\'");
    EXPECT_EQ(m_nResult, -1);
}

TEST_F(NewParamDialogTest, AnEmptyNameBecomesAFreeNewName)
{
    LoadManager();
    std::string strShown;
    EXPECT_TRUE(Open("Oslo",
                     [&](CNewParamDialog& dlg)
                     {
                         strShown = Text(dlg.m_cbName);
                         Click(dlg, IDCANCEL);
                     }));
    EXPECT_EQ(strShown, "NewParam");
    EXPECT_EQ(m_strName, "NewParam");
    EXPECT_EQ(m_nResult, IDCANCEL);

    ASSERT_TRUE(m_pMgr->AddParamToPRM("NewParam", "File", ""));
    m_strName.clear();
    Open("Oslo", [](CNewParamDialog& dlg) { Click(dlg, IDCANCEL); });
    EXPECT_EQ(m_strName, "NewParam_1");
}

TEST_F(NewParamDialogTest, TheTypeBoxOffersTheVisibleTypesButNeverSpreadsheets)
{
    LoadManager();
    Strings types, names;
    std::string strSelected;
    m_strType = "Table";
    Open("x",
         [&](CNewParamDialog& dlg)
         {
             types = Items(dlg.m_cbType);
             names = Items(dlg.m_cbName);
             strSelected = Text(dlg.m_cbType);
             Click(dlg, IDCANCEL);
         });
    EXPECT_EQ(types, (Strings{"Custom", "File", "Random Number", "Table"}));
    EXPECT_EQ(names, (Strings{"Amount", "Blank", "City", "CustomerName", "Hidden1", "Odd", "Sheet", "Street"}))
        << "hidden parameters too";
    EXPECT_EQ(strSelected, "Table");

    m_strType = "table";
    Open("x",
         [&](CNewParamDialog& dlg)
         {
             strSelected = Text(dlg.m_cbType);
             Click(dlg, IDCANCEL);
         });
    EXPECT_EQ(strSelected, "File") << "type names match exactly; otherwise File";
}

TEST_F(NewParamDialogTest, AHiddenDataFileTypeIsOfferedButCannotBeCreated)
{
    LoadManager(std::string(), DefaultTypes(true));
    Strings types, boxes;
    m_strName = "Fresh";
    Open("x",
         [&](CNewParamDialog& dlg)
         {
             types = Items(dlg.m_cbType);
             Click(dlg, IDOK);
             boxes.push_back(m_boxes.LastText());
             ui::ChooseComboItem(dlg.m_cbType, 0);
             Click(dlg, IDOK);
         });
    EXPECT_EQ(types, (Strings{"Custom", "File", "Random Number", "Table"}));
    EXPECT_EQ(boxes, (Strings{"Cannot create \"File\" type parameter."}));
    EXPECT_EQ(m_nResult, IDOK);
    EXPECT_EQ(m_strType, "Custom");
    EXPECT_FALSE(m_pMgr->IsExistingParamName("Fresh")) << "the caller creates a new parameter";
}

TEST_F(NewParamDialogTest, WithoutAFileTypeTheFirstTypeIsChosen)
{
    LoadManager("[Amount]\nType=Random\n", "[ParameterTypes]\nRandom=TypeRandom\nCustom=TypeCustom\n\n[TypeRandom]\n"
                                           "TypeName=Random Number\n\n[TypeCustom]\nTypeName=Custom\n\n[EngineTypes]\n"
                                           "Random=OriginalValue\nCustom=OriginalValue\n");
    std::string strSelected;
    Open("x",
         [&](CNewParamDialog& dlg)
         {
             strSelected = Text(dlg.m_cbType);
             Click(dlg, IDCANCEL);
         });
    EXPECT_EQ(strSelected, "Custom");
}

TEST_F(NewParamDialogTest, EveryNameChangeShowsThatParameter)
{
    LoadManager();
    m_strType = "Random Number";
    Open("caller text",
         [&](CNewParamDialog& dlg)
         {
             EXPECT_TRUE(dlg.m_cbType.IsWindowEnabled());
             EXPECT_EQ(Value(dlg), "caller text");

             ui::ReplaceText(dlg.m_cbName, "City");
             EXPECT_FALSE(dlg.m_cbType.IsWindowEnabled()) << "an existing parameter keeps its type";
             EXPECT_EQ(Text(dlg.m_cbType), "File");
             EXPECT_EQ(Value(dlg), "Oslo");

             ui::ReplaceText(dlg.m_cbName, "Blank");
             EXPECT_EQ(Text(dlg.m_cbType), "Custom");
             EXPECT_EQ(Value(dlg), "caller text") << "a parameter without a value shows the caller's";

             ui::ReplaceText(dlg.m_cbName, "Hidden1");
             EXPECT_EQ(Text(dlg.m_cbType), "XML") << "a hidden type joins the list to be shown";
             EXPECT_FALSE(PropertiesEnabled(dlg));

             ui::ReplaceText(dlg.m_cbName, "Odd");
             EXPECT_FALSE(dlg.m_cbType.IsWindowEnabled()) << "a type without a name";
             EXPECT_TRUE(PropertiesEnabled(dlg));

             ui::ReplaceText(dlg.m_cbName, "Hidden1_new");
             EXPECT_TRUE(dlg.m_cbType.IsWindowEnabled());
             EXPECT_TRUE(PropertiesEnabled(dlg)) << "a new name can be created and edited";
             EXPECT_EQ(Value(dlg), "caller text");

             int nAmount = dlg.m_cbName.FindStringExact(-1, "Amount");
             ui::ChooseComboItem(dlg.m_cbName, nAmount);
             EXPECT_EQ(Text(dlg.m_cbName), "Amount");
             EXPECT_EQ(Text(dlg.m_cbType), "Random Number");
             EXPECT_EQ(Value(dlg), "42");

             ui::ReplaceText(dlg.m_cbName, "Fresh");
             auto* pBox = qobject_cast<QComboBox*>(dlg.m_cbName.GetWidget());
             pBox->showPopup();
             pBox->hidePopup();
             EXPECT_EQ(Text(dlg.m_cbName), "Fresh") << "a list closed without a choice keeps the typed name";
             EXPECT_TRUE(dlg.m_cbType.IsWindowEnabled());

             // A Down arrow on either closed box only opens its list.
             for (CComboBox* pCombo : {&dlg.m_cbName, &dlg.m_cbType})
             {
                 std::string strBefore = Text(*pCombo);
                 ui::PressKey(*pCombo, Qt::Key_Down);
                 EXPECT_TRUE(pCombo->GetDroppedState());
                 pCombo->ShowDropDown(FALSE);
                 EXPECT_EQ(Text(*pCombo), strBefore);
             }
             Click(dlg, IDCANCEL);
         });
}

TEST_F(NewParamDialogTest, OkRefusesNamesThatCannotBeUsed)
{
    LoadManager();
    Strings boxes;
    bool bStillOpen = true;
    Open("x",
         [&](CNewParamDialog& dlg)
         {
             for (const char* pszName : {"   ", "9lives", "city"})
             {
                 ui::ReplaceText(dlg.m_cbName, pszName);
                 Click(dlg, IDOK);
                 boxes.push_back(m_boxes.LastText());
                 bStillOpen = bStillOpen && dlg.IsWindowVisible();
             }
             EXPECT_EQ(Text(dlg.m_cbName), "city");
             ui::ReplaceText(dlg.m_cbName, "  Fresh ");
             Click(dlg, IDOK);
         });
    EXPECT_EQ(boxes, (Strings{INVALID_NAME, INVALID_NAME, NAME_OTHER_CASE}));
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(m_nResult, IDOK);
    EXPECT_EQ(m_strName, "Fresh") << "trimmed";
    EXPECT_EQ(m_strType, "File");
}

TEST_F(NewParamDialogTest, AnExistingParameterWithoutValueTakesTheText)
{
    LoadManager();
    m_strName = "Blank";
    Open("{script text}", [](CNewParamDialog& dlg) { Click(dlg, IDOK); });
    EXPECT_EQ(m_nResult, IDOK);
    EXPECT_EQ(m_strType, "Custom");
    EXPECT_EQ(m_pMgr->GetParamAttrib("Blank", "OriginalValue"), "{script text}");

    m_strName = "City";
    Open("Paris", [](CNewParamDialog& dlg) { Click(dlg, IDOK); });
    EXPECT_EQ(m_pMgr->GetParamAttrib("City", "OriginalValue"), "Oslo") << "a value is never replaced";
}

TEST_F(NewParamDialogTest, HelpOpensItsTopic)
{
    LoadManager();
    std::vector<AFX_PROCESS_START> starts;
    AfxSetProcessStartHandler(
        [&starts](const AFX_PROCESS_START& request)
        {
            starts.push_back(request);
            return TRUE;
        });
    Open("x",
         [](CNewParamDialog& dlg)
         {
             HELPINFO info;
             dlg.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
             Click(dlg, IDCANCEL);
         });
    AfxSetProcessStartHandler(nullptr);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].strCommandLine.find("topicId=141324"), std::string::npos) << starts[0].strCommandLine;
}

TEST_F(NewParamDialogTest, PropertiesCreatesANewNameAtOnceAndCancelTakesItBack)
{
    LoadManager();
    CListenerExt listener(m_pMgr.get());
    Open("Paris",
         [&](CNewParamDialog& dlg)
         {
             ExpectProperties();
             ui::ReplaceText(dlg.m_cbName, "Capital");
             Click(dlg, IDC_SELECT_PARAM_PROPERTIES);
             EXPECT_TRUE(Exists("Capital"));
             EXPECT_EQ(m_pMgr->GetParamAttrib("Capital", "Type"), "Table");
             EXPECT_EQ(m_pMgr->GetParamAttrib("Capital", "OriginalValue"), "Paris");
             EXPECT_FALSE(dlg.m_cbType.IsWindowEnabled()) << "it exists now";

             ExpectProperties();
             ui::ReplaceText(dlg.m_cbName, "Town");
             Click(dlg, IDC_SELECT_PARAM_PROPERTIES);
             EXPECT_FALSE(Exists("Capital")) << "a second name replaces the first";
             EXPECT_TRUE(Exists("Town"));
             Click(dlg, IDCANCEL);
         });
    EXPECT_FALSE(Exists("Town")) << "Cancel deletes what the dialog created";
    EXPECT_EQ(m_nResult, IDCANCEL);
    ASSERT_EQ(m_arrPropertiesSeen.size(), 2u);
    EXPECT_EQ(m_arrPropertiesSeen[0].strActive, "Capital");
    EXPECT_EQ(m_arrPropertiesSeen[0].bForceDataFileDefaults, 0) << "data files of new parameters are kept";
    EXPECT_EQ(m_pMgr->m_bForceDataFileDefaults, 1);
    for (const std::string& heard : listener.m_arrHeard)
        EXPECT_NE(heard.rfind("9:", 0), 0u) << "the host never saw these parameters replace text";
}

TEST_F(NewParamDialogTest, PropertiesEditsAnExistingParameterAndOkKeepsACreatedOne)
{
    LoadManager();
    m_strName = "Amount";
    Open("x",
         [&](CNewParamDialog& dlg)
         {
             ExpectProperties();
             Click(dlg, IDC_SELECT_PARAM_PROPERTIES);
             ui::ReplaceText(dlg.m_cbName, "amount");
             Click(dlg, IDC_SELECT_PARAM_PROPERTIES); // refused: no dialog opens
             EXPECT_EQ(m_boxes.LastText(), NAME_OTHER_CASE);

             ExpectProperties();
             ui::ReplaceText(dlg.m_cbName, "Kept");
             Click(dlg, IDC_SELECT_PARAM_PROPERTIES);
             Click(dlg, IDOK);
         });
    ASSERT_EQ(m_arrPropertiesSeen.size(), 2u);
    EXPECT_EQ(m_arrPropertiesSeen[0].strActive, "Amount");
    EXPECT_TRUE(Exists("Amount"));
    EXPECT_TRUE(Exists("Kept"));
    EXPECT_EQ(m_nResult, IDOK);
    EXPECT_EQ(m_strName, "Kept");
}
