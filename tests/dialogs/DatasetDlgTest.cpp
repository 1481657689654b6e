#include "FileSizeLimit.h"
#include "TempDir.h"
#include "UiDriver.h"
#include "UiSeams.h"

#include "afx/DebugOutput.h"
#include "dialogs/DatasetDlg.h"
#include "manager/TarvoMgr.h"
#include "resources/DatasetDialogs.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace
{
typedef std::vector<std::string> Strings;

std::string DatasetText(const std::string& strValue)
{
    return "[Customer]\nType=Table\nOriginalValue=" + strValue + "\n\n[Amount]\nType=Random\nMinValue=5\n";
}

// A script directory with the datasets Dataset_1 (in use) and Dataset_3, and
// the dataset bar inside a shown host window.
class DatasetDlgTest : public ::testing::Test
{
protected:
    DatasetDlgTest()
    {
        AfxSetDebugOutputSink([](const std::string&) {});
        m_dir.Write("script/script.usr", "[General]\n");
        m_dir.Write("script/Dataset_3.prm", DatasetText("three"));
        std::string strPrm = m_dir.Write("script/Dataset_1.prm", DatasetText("one"));
        m_pMgr = std::make_unique<CTarvoMgr>(TARVO_BINARY_DIR "/dat/param.dat");
        m_pMgr->Custom_AddOptions(OPT_DATASETS);
        m_pMgr->AddParamFile(strPrm.c_str(), "script");
        EXPECT_TRUE(m_host.Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 760, 60), nullptr, 0));
        m_pBar = static_cast<CDatasetDlg*>(m_pMgr->CreateDataSetWnd(&m_host));
        EXPECT_NE(m_pBar, nullptr);
        m_pBar->ShowWindow(SW_SHOW);
        ui::ShowAndActivate(m_host);
    }

    ~DatasetDlgTest() override
    {
        m_pBar->DestroyWindow();
        delete m_pBar;
        m_host.DestroyWindow();
        m_pMgr.reset();
        AfxSetDebugOutputSink(nullptr);
        EXPECT_TRUE(m_modals.AllUsed()) << "a scripted dialog never opened";
    }

    std::string Path(const std::string& strFile) const { return m_dir.File("script/" + strFile); }

    // Every file of the script's directory with the value its "Customer"
    // parameter holds there ("-" for files that are no parameter file).
    std::map<std::string, std::string> Files() const
    {
        std::map<std::string, std::string> mapFiles;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.File("script")))
        {
            std::string strText = ReadFileBytes(entry.path().string());
            size_t nStart = strText.find("OriginalValue=");
            std::string strValue = "-";
            if (nStart != std::string::npos)
                strValue = strText.substr(nStart + 14, strText.find('\n', nStart) - nStart - 14);
            mapFiles[entry.path().filename().string()] = strValue;
        }
        return mapFiles;
    }

    Strings Items() const
    {
        Strings arrItems;
        for (int i = 0; i < m_pBar->m_cbDatasets.GetCount(); ++i)
        {
            std::string strItem;
            m_pBar->m_cbDatasets.GetLBText(i, strItem);
            arrItems.push_back(strItem);
        }
        return arrItems;
    }

    std::string Selected() const
    {
        std::string strText;
        m_pBar->GetDlgItemText(IDC_DATASET_COMBO, strText);
        return strText;
    }

    std::string CurrentValue() { return m_pMgr->GetParamAttrib("Customer", "OriginalValue"); }

    void Choose(const std::string& strName)
    {
        Strings arrItems = Items();
        auto it = std::find(arrItems.begin(), arrItems.end(), strName);
        ASSERT_NE(it, arrItems.end()) << strName;
        ui::ChooseComboItem(m_pBar->m_cbDatasets, static_cast<int>(it - arrItems.begin()));
    }

    // Types the name over the proposal and presses OK; the dialog must close.
    void ScriptName(const std::string& strCaption, const std::string& strProposal, const std::string& strName)
    {
        m_modals.Add(
            [=](CWnd& dlg)
            {
                std::string strText;
                dlg.GetWindowText(strText);
                EXPECT_EQ(strText, strCaption);
                dlg.GetDlgItemText(IDC_DATASET_NAME, strText);
                EXPECT_EQ(strText, strProposal);
                ui::ReplaceText(*dlg.GetDlgItem(IDC_DATASET_NAME), strName);
                ui::Click(*dlg.GetDlgItem(IDOK));
                EXPECT_FALSE(dlg.IsWindowVisible());
            });
    }

    void Click(int nID) { ui::Click(*m_pBar->GetDlgItem(nID)); }
    BOOL DeleteEnabled() const { return m_pBar->GetDlgItem(IDC_DATASET_DELETE)->IsWindowEnabled(); }

    CTempDir m_dir;
    std::unique_ptr<CTarvoMgr> m_pMgr;
    CWnd m_host;
    CDatasetDlg* m_pBar = nullptr;
    CMessageBoxRecorder m_boxes;
    CModalScripts m_modals;
};

typedef std::map<std::string, std::string> FileMap;

// Stands in for a tab with input not yet written back: code 10 writes it to
// the current dataset, or refuses when told to.
class CPendingInputExt : public CTarvoMgrExt
{
public:
    using CTarvoMgrExt::CTarvoMgrExt;
    int OnUpdateUIMgr(CTarvoMgrExt*, unsigned nCode, const char*) override
    {
        if (nCode != UPD_COMMIT)
            return 1;
        if (m_bAccept)
            m_pMgr->SetParamAttrib("Customer", "OriginalValue", m_strInput.c_str());
        return m_bAccept;
    }

    std::string m_strInput;
    int m_bAccept = 1;
};
} // namespace

TEST_F(DatasetDlgTest, InputOnShowIsWrittenToTheDatasetBeingLeftOrKeepsTheAuthorThere)
{
    CPendingInputExt tab(m_pMgr.get());
    tab.m_strInput = "typed";
    Choose("Dataset_3");
    EXPECT_EQ(Files(), (FileMap{{"Dataset_1.prm", "typed"}, {"Dataset_3.prm", "three"}, {"script.usr", "-"}}));
    EXPECT_EQ(CurrentValue(), "three");

    // A tab that refuses its input keeps the dataset, in the manager and in the list.
    tab.m_bAccept = 0;
    Choose("Dataset_1");
    EXPECT_EQ(std::string(m_pMgr->GetActiveParamFilePath()), Path("Dataset_3.prm"));
    EXPECT_EQ(Selected(), "Dataset_3");
    EXPECT_EQ(m_pBar->m_strCurrentDataset, "Dataset_3");
    // New and Rename open no name dialog (the strict seams fail on one).
    Click(IDC_DATASET_NEW);
    Click(IDC_DATASET_RENAME);
    EXPECT_EQ(Items(), (Strings{"Dataset_1", "Dataset_3"}));
}

TEST_F(DatasetDlgTest, ADirectoryOfDatasetsIsSwitchedCreatedRenamedAndDeletedThroughTheBar)
{
    EXPECT_EQ(Items(), (Strings{"Dataset_1", "Dataset_3"}));
    EXPECT_EQ(Selected(), "Dataset_1");
    EXPECT_TRUE(DeleteEnabled());

    // Switching saves the dataset being left.
    ASSERT_TRUE(m_pMgr->SetParamAttrib("Customer", "OriginalValue", "one edited"));
    Choose("Dataset_3");
    EXPECT_EQ(Files(), (FileMap{{"Dataset_1.prm", "one edited"}, {"Dataset_3.prm", "three"}, {"script.usr", "-"}}));
    EXPECT_EQ(CurrentValue(), "three");
    EXPECT_EQ(m_pMgr->GetActiveParamFilePath(), Path("Dataset_3.prm"));

    // New: the first free number is proposed, and the current dataset copied.
    ASSERT_TRUE(m_pMgr->SetParamAttrib("Customer", "OriginalValue", "three edited"));
    ScriptName("Create New Dataset", "Dataset_2", "Dataset_2");
    Click(IDC_DATASET_NEW);
    EXPECT_EQ(Files(), (FileMap{{"Dataset_1.prm", "one edited"},
                                {"Dataset_2.prm", "three edited"},
                                {"Dataset_3.prm", "three edited"},
                                {"script.usr", "-"}}));
    EXPECT_EQ(Items(), (Strings{"Dataset_1", "Dataset_2", "Dataset_3"}));
    EXPECT_EQ(Selected(), "Dataset_2");
    EXPECT_EQ(m_pMgr->GetActiveParamFilePath(), Path("Dataset_2.prm"));

    // New onto an existing name asks first; Cancel keeps the name dialog open.
    ASSERT_TRUE(m_pMgr->SetParamAttrib("Customer", "OriginalValue", "two edited"));
    m_boxes.Answer(IDCANCEL);
    m_boxes.Answer(IDOK);
    m_modals.Add(
        [](CWnd& dlg)
        {
            ui::ReplaceText(*dlg.GetDlgItem(IDC_DATASET_NAME), "Dataset_1");
            ui::Click(*dlg.GetDlgItem(IDOK));
            EXPECT_TRUE(dlg.IsWindowVisible()) << "Cancel keeps the dialog open";
            ui::Click(*dlg.GetDlgItem(IDOK));
            EXPECT_FALSE(dlg.IsWindowVisible());
        });
    Click(IDC_DATASET_NEW);
    ASSERT_EQ(m_boxes.Calls().size(), 2u);
    EXPECT_EQ(m_boxes.Calls()[0].strText, "The dataset 'Dataset_1' already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(m_boxes.Calls()[0].strCaption, "Create New Dataset");
    EXPECT_EQ(m_boxes.Calls()[0].nType, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(Files(), (FileMap{{"Dataset_1.prm", "two edited"},
                                {"Dataset_2.prm", "two edited"},
                                {"Dataset_3.prm", "three edited"},
                                {"script.usr", "-"}}));
    EXPECT_EQ(Items(), (Strings{"Dataset_1", "Dataset_2", "Dataset_3"}));
    EXPECT_EQ(Selected(), "Dataset_1");
    EXPECT_EQ(CurrentValue(), "two edited") << "the replaced dataset holds the copy";

    // Rename never replaces another dataset.
    m_boxes.Clear();
    m_modals.Add(
        [](CWnd& dlg)
        {
            ui::ReplaceText(*dlg.GetDlgItem(IDC_DATASET_NAME), "Dataset_3");
            ui::Click(*dlg.GetDlgItem(IDOK));
            EXPECT_TRUE(dlg.IsWindowVisible());
            ui::ReplaceText(*dlg.GetDlgItem(IDC_DATASET_NAME), "Renamed");
            ui::Click(*dlg.GetDlgItem(IDOK));
        });
    void* hCurrent = m_pMgr->GetTurbine();
    Click(IDC_DATASET_RENAME);
    ASSERT_EQ(m_boxes.Calls().size(), 1u);
    EXPECT_EQ(m_boxes.LastText(), "The dataset 'Dataset_3' already exists.\r\nPlease enter another name.");
    EXPECT_EQ(m_boxes.Calls()[0].strCaption, "Rename Dataset");
    EXPECT_EQ(Files(), (FileMap{{"Dataset_2.prm", "two edited"},
                                {"Dataset_3.prm", "three edited"},
                                {"Renamed.prm", "two edited"},
                                {"script.usr", "-"}}));
    EXPECT_EQ(Items(), (Strings{"Dataset_2", "Dataset_3", "Renamed"}));
    EXPECT_EQ(Selected(), "Renamed");
    EXPECT_EQ(m_pMgr->GetTurbine(), hCurrent) << "the renamed dataset stays current";
    EXPECT_EQ(m_pMgr->GetActiveParamFilePath(), Path("Renamed.prm"));

    // Delete asks; Cancel changes nothing; the last entry gives way to the one before it.
    m_boxes.Clear();
    m_boxes.Answer(IDCANCEL);
    Click(IDC_DATASET_DELETE);
    EXPECT_EQ(m_boxes.LastText(), "Are you sure you want to delete dataset 'Renamed'?");
    EXPECT_EQ(m_boxes.Calls()[0].nType, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(Items(), (Strings{"Dataset_2", "Dataset_3", "Renamed"}));
    m_boxes.Answer(IDOK);
    Click(IDC_DATASET_DELETE);
    EXPECT_EQ(Files(),
              (FileMap{{"Dataset_2.prm", "two edited"}, {"Dataset_3.prm", "three edited"}, {"script.usr", "-"}}));
    EXPECT_EQ(Items(), (Strings{"Dataset_2", "Dataset_3"}));
    EXPECT_EQ(Selected(), "Dataset_3");
    EXPECT_EQ(m_pMgr->GetActiveParamFilePath(), Path("Dataset_3.prm"));
    EXPECT_EQ(CurrentValue(), "three edited");

    // Deleting the first entry selects the one now in its place; one dataset is never deleted.
    Choose("Dataset_2");
    m_boxes.Answer(IDOK);
    Click(IDC_DATASET_DELETE);
    EXPECT_EQ(Files(), (FileMap{{"Dataset_3.prm", "three edited"}, {"script.usr", "-"}}));
    EXPECT_EQ(Items(), Strings{"Dataset_3"});
    EXPECT_EQ(Selected(), "Dataset_3");
    EXPECT_NE(m_pMgr->GetTurbine(), nullptr);
    EXPECT_FALSE(DeleteEnabled());
}

TEST_F(DatasetDlgTest, NamesThatAreNoPlainFileNamesAreRefusedInTheDialog)
{
    m_modals.Add(
        [](CWnd& dlg)
        {
            for (const char* pszName : {"../evil", "sub/x", "..", ""})
            {
                ui::ReplaceText(*dlg.GetDlgItem(IDC_DATASET_NAME), pszName);
                if (!*pszName)
                    ui::PressKey(*dlg.GetDlgItem(IDC_DATASET_NAME), Qt::Key_Delete);
                ui::Click(*dlg.GetDlgItem(IDOK));
                EXPECT_TRUE(dlg.IsWindowVisible()) << pszName;
            }
            ui::Click(*dlg.GetDlgItem(IDCANCEL));
        });
    Click(IDC_DATASET_NEW);
    ASSERT_EQ(m_boxes.Calls().size(), 4u);
    EXPECT_NE(m_boxes.LastText().find("file name"), std::string::npos) << m_boxes.LastText();
    EXPECT_EQ(Files(), (FileMap{{"Dataset_1.prm", "one"}, {"Dataset_3.prm", "three"}, {"script.usr", "-"}}));
    EXPECT_FALSE(FileExists(m_dir.File("evil.prm")));
    EXPECT_EQ(Items(), (Strings{"Dataset_1", "Dataset_3"}));
}

TEST_F(DatasetDlgTest, CancellingTheNameDialogChangesNothing)
{
    ASSERT_TRUE(m_pMgr->SetParamAttrib("Customer", "OriginalValue", "unsaved"));
    m_modals.Add([](CWnd& dlg) { ui::Click(*dlg.GetDlgItem(IDCANCEL)); });
    m_modals.Add([](CWnd& dlg) { ui::Click(*dlg.GetDlgItem(IDCANCEL)); });
    Click(IDC_DATASET_NEW);
    Click(IDC_DATASET_RENAME);
    EXPECT_EQ(Files(), (FileMap{{"Dataset_1.prm", "one"}, {"Dataset_3.prm", "three"}, {"script.usr", "-"}}));
    EXPECT_EQ(Selected(), "Dataset_1");
}

TEST_F(DatasetDlgTest, CodeTwelveRefillsTheListAndSelectsTheName)
{
    m_dir.Write("other/Beta.prm", DatasetText("beta"));
    std::string strAlpha = m_dir.Write("other/Alpha.prm", DatasetText("alpha"));
    m_pMgr->AddParamFile(strAlpha.c_str(), "other");
    EXPECT_EQ(Items(), (Strings{"Alpha", "Beta"}));
    EXPECT_EQ(Selected(), "Alpha");

    m_pMgr->UpdateAllUIExt(nullptr, UPD_DATASET_CHANGED, "Gamma");
    EXPECT_EQ(Items(), (Strings{"Alpha", "Beta", "Gamma"})) << "a name the list lacks is added";
    EXPECT_EQ(Selected(), "Gamma");

    m_pMgr->UpdateAllUIExt(nullptr, UPD_RELOAD, "Alpha");
    EXPECT_EQ(Selected(), "Gamma") << "other codes leave the list alone";

    CDatasetDlg unshown(m_pMgr.get());
    EXPECT_EQ(unshown.OnUpdateUIMgr(nullptr, UPD_DATASET_CHANGED, "Alpha"), 1) << "no window, nothing to fill";
}

TEST_F(DatasetDlgTest, OneDatasetLeavesDeleteDisabled)
{
    std::string strOnly = m_dir.Write("single/Only.prm", DatasetText("only"));
    m_pMgr->AddParamFile(strOnly.c_str(), "single");
    EXPECT_EQ(Items(), Strings{"Only"});
    EXPECT_FALSE(DeleteEnabled());
}

TEST_F(DatasetDlgTest, WideningTheBarMovesTheButtonsToTheRightEdge)
{
    auto Place = [this](int nID)
    {
        CRect rect;
        m_pBar->GetDlgItem(nID)->GetWindowRect(&rect);
        m_pBar->ScreenToClient(&rect);
        return rect;
    };
    CRect rcNew = Place(IDC_DATASET_NEW);
    CRect rcDelete = Place(IDC_DATASET_DELETE);
    CRect rcRename = Place(IDC_DATASET_RENAME);
    CRect rcCombo = Place(IDC_DATASET_COMBO);

    for (int nWidth : {900, 640})
    {
        m_pBar->MoveWindow(0, 0, nWidth, 40);
        ui::ProcessEvents();
        int dx = nWidth - 3 - rcRename.right;
        EXPECT_EQ(Place(IDC_DATASET_RENAME), CRect(rcRename.left + dx, rcRename.top, nWidth - 3, rcRename.bottom));
        EXPECT_EQ(Place(IDC_DATASET_DELETE).left, rcDelete.left + dx);
        EXPECT_EQ(Place(IDC_DATASET_NEW).left, rcNew.left + dx);
        EXPECT_EQ(Place(IDC_DATASET_NEW).Width(), rcNew.Width());
        EXPECT_EQ(Place(IDC_DATASET_COMBO), CRect(rcCombo.left, rcCombo.top, rcCombo.right + dx, rcCombo.bottom));
    }
}

TEST_F(DatasetDlgTest, EscapeInTheBarLeavesItShown)
{
    m_pBar->GetDlgItem(IDC_DATASET_COMBO)->SetFocus();
    ui::PressKey(*m_pBar->GetDlgItem(IDC_DATASET_COMBO), Qt::Key_Escape);
    ui::PressKey(*m_pBar->GetDlgItem(IDC_DATASET_COMBO), Qt::Key_Return);
    EXPECT_TRUE(m_pBar->IsWindowVisible());
}

TEST_F(DatasetDlgTest, FailedOperationsNameTheFileAndTheReasonAndChangeNothing)
{
    // A file of a dataset name that is no dataset the bar knows.
    std::string strStray = m_dir.Write("script/Dataset_2.prm", DatasetText("stray"));
    const struct
    {
        const char* pszWhat;
        std::function<void()> fnAct;
        std::string strMessage;
    } cases[] = {
        {"switch",
         [&]
         {
             CFileSizeLimit limit;
             Choose("Dataset_3");
         },
         "Failed to save the dataset 'Dataset_1'.\n" + Path("Dataset_1.prm") + ": " + std::strerror(EFBIG)},
        {"new",
         [&]
         {
             ScriptName("Create New Dataset", "Dataset_2", "Dataset_2");
             Click(IDC_DATASET_NEW);
         },
         "Failed to create the dataset 'Dataset_2'.\n" + strStray + ": " + std::strerror(EEXIST)},
        {"rename",
         [&]
         {
             ScriptName("Rename Dataset", "Dataset_1", "Dataset_2");
             Click(IDC_DATASET_RENAME);
         },
         "Failed to rename the dataset 'Dataset_1' to 'Dataset_2'.\n" + strStray + ": " + std::strerror(EEXIST)},
        {"delete",
         [&]
         {
             std::filesystem::remove(Path("Dataset_1.prm"));
             m_boxes.Answer(IDOK);
             Click(IDC_DATASET_DELETE);
         },
         "Failed to delete the dataset 'Dataset_1'.\n" + Path("Dataset_1.prm") + ": " + std::strerror(ENOENT)},
    };
    for (const auto& c : cases)
    {
        m_boxes.Clear();
        c.fnAct();
        EXPECT_EQ(m_boxes.LastText(), c.strMessage) << c.pszWhat;
        EXPECT_EQ(Items(), (Strings{"Dataset_1", "Dataset_3"})) << c.pszWhat;
        EXPECT_EQ(Selected(), "Dataset_1") << c.pszWhat;
        EXPECT_EQ(m_pMgr->GetActiveParamFilePath(), Path("Dataset_1.prm")) << c.pszWhat;
    }
    EXPECT_EQ(ReadFileBytes(strStray), DatasetText("stray"));
}
