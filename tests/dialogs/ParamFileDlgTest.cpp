#include "PropertiesFixture.h"

#include "afx/ComboBox.h"

TEST_F(PropertiesFixture, TheFileWindowNamesTheLoadedParameterFile)
{
    LoadManager();
    ASSERT_TRUE(m_host.Create(9810));
    std::unique_ptr<CWnd> pFiles(m_pMgr->CreateParamFilesWnd(&m_host));
    ASSERT_NE(pFiles, nullptr);
    auto* pCombo = static_cast<CComboBox*>(pFiles->GetDlgItem(IDC_PARAM_TYPE_COMBO));
    ASSERT_NE(pCombo, nullptr);
    std::string strShown;
    ASSERT_EQ(pCombo->GetCount(), 1);
    pCombo->GetWindowText(strShown);
    EXPECT_EQ(strShown, "script");

    std::string strOther = m_dir.Write("other/other.prm", "[A]\nType=Userid\n");
    m_pMgr->AddParamFile(strOther.c_str(), "other script");
    ASSERT_EQ(pCombo->GetCount(), 1) << "the file replaced the earlier one";
    pCombo->GetWindowText(strShown);
    EXPECT_EQ(strShown, "other script");
    pFiles->DestroyWindow();
}
