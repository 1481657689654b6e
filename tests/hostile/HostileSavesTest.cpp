// Saves that must not go where they are sent or cannot go at all: names that
// lead out of the script's directory, a directory that takes no file, two
// editors writing one script.

#include "HostileScript.h"

#include "FileFault.h"
#include "ScriptTabs.h"

#include "afx/PrivateProfile.h"
#include "brasko/Brasko.h"
#include "datafiles/ExtendedDtable.h"

#include <QPlainTextEdit>
#include <atomic>
#include <cstring>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
std::string Attrib(const CHostileScript& script, const char* pszParam, const char* pszAttrib)
{
    return script.Manager()->GetParamAttrib(pszParam, pszAttrib);
}

// The script's directory takes no new file while this lives: made read-only
// where permissions bind, and where they do not (the tests may run as root)
// every atomic write fails where a read-only directory makes it fail, at
// creating its temporary file, with the same reason.
class CReadOnlyDirectory
{
public:
    explicit CReadOnlyDirectory(const std::string& strDir) : m_strDir(strDir)
    {
        if (geteuid() != 0)
            chmod(m_strDir.c_str(), 0555);
        else
            m_pFault = std::make_unique<CFileFault>(OS_STEP_OPEN, EACCES);
    }
    ~CReadOnlyDirectory()
    {
        m_pFault.reset();
        chmod(m_strDir.c_str(), 0755);
    }

private:
    std::string m_strDir;
    std::unique_ptr<CFileFault> m_pFault;
};

const char* const OUTSIDE_NAMES[] = {"../outside", "sub/name", "..\\outside", "..", "/tmp/outside", "a/../../b"};
} // namespace

TEST(HostileSaves, NamesThatLeadOutOfTheScriptDirectoryAreRefusedAndWriteNothingThere)
{
    RunCases({
        {"parameter names",
         [](CHostileScript& script)
         {
             auto pMgr = script.Manager(OPT_DATASETS);
             for (const char* pszName : OUTSIDE_NAMES)
             {
                 SCOPED_TRACE(pszName);
                 CMessageBoxRecorder boxes;
                 EXPECT_FALSE(pMgr->IsValidParamName(pszName, 1));
                 EXPECT_EQ(boxes.Calls().size(), 1u) << "the author is told why";
                 // A host may still create it: the name stays a name, never a path.
                 pMgr->CreateNewParameter(pszName, "Table", "x");
             }
             EXPECT_TRUE(pMgr->SaveChanges());
             EXPECT_EQ(DirectoryNames(script.Root()), std::vector<std::string>{"script"});
         }},
        {"dataset names",
         [](CHostileScript& script)
         {
             auto pMgr = script.Manager(OPT_DATASETS);
             for (const char* pszName : OUTSIDE_NAMES)
             {
                 SCOPED_TRACE(pszName);
                 EXPECT_FALSE(pMgr->CreateNewDataset(pszName));
                 EXPECT_FALSE(pMgr->GetLastFileError().empty());
                 EXPECT_FALSE(pMgr->RenameDataset("weekend_sale", pszName));
                 EXPECT_FALSE(pMgr->GetLastFileError().empty());
             }
         }},
        {"data file names",
         [](CHostileScript& script)
         {
             std::string strOutside = script.Root() + "/outside.dat";
             script.Append("nursery_order.prm", "\n[Leaver]\nType=Table\nTable=../outside.dat\nColumnName=Key\n");
             std::filesystem::copy_file(script.File("customers.dat"), strOutside);
             auto pMgr = script.Manager(OPT_DATASETS);
             CMessageBoxRecorder boxes;
             EXPECT_TRUE(pMgr->DeleteParameter("Leaver", 1, 1));
             EXPECT_TRUE(FileExists(strOutside)) << "a data file outside the script's directory is never removed";
             EXPECT_FALSE(boxes.Calls().empty()) << "and the author is told";
             std::filesystem::remove(strOutside);
         }},
        {"file references in the .usr",
         [](CHostileScript& script)
         {
             script.Write("../outside.prm", "[Outside]\nType=Custom\n");
             script.Write("../outside.c", "outside()\n{\n}\n");
             WritePrivateProfileStringA("General", "ParameterFile", "../outside.prm", script.Usr().c_str());
             WritePrivateProfileStringA("Actions", "Action", "../outside.c", script.Usr().c_str());
             CScriptLocation location;
             std::string strError;
             if (!location.Resolve(script.Usr(), strError))
             {
                 EXPECT_TRUE(Contains(strError, "outside")) << strError;
                 return;
             }
             for (const std::string& strFile : location.GetActionFiles())
                 EXPECT_FALSE(Contains(strFile, "outside.c")) << strFile;
         }},
    });
}

TEST(HostileSaves, AScriptDirectoryThatTakesNoFileFailsTheSaveWithItsReasonAndLosesNothing)
{
    const std::string strReason = std::strerror(EACCES);
    RunCases({
        {"the library's save of the parameters",
         [&](CHostileScript& script)
         {
             auto pMgr = script.Manager();
             ASSERT_TRUE(pMgr->SetParamAttrib("CustomerName", "Prompt", "kept"));
             auto before = script.Snapshot();
             {
                 CReadOnlyDirectory readOnly(script.Dir());
                 CMessageBoxRecorder boxes;
                 EXPECT_FALSE(pMgr->SaveChanges());
                 EXPECT_TRUE(Contains(boxes.LastText(), script.Prm())) << boxes.LastText();
                 EXPECT_TRUE(Contains(boxes.LastText(), strReason)) << boxes.LastText();
             }
             EXPECT_EQ(script.Snapshot(), before);
             ASSERT_TRUE(pMgr->SaveChanges()) << "the change waits to be saved";
             EXPECT_EQ(Attrib(script, "CustomerName", "Prompt"), "kept");
         }},
        {"the editor's save of text and parameters",
         [&](CHostileScript& script)
         {
             CMessageBoxRecorder boxes;
             auto pWindow = OpenEditor(script);
             pWindow->ScriptTabs()->GetEditor(1)->appendPlainText("// kept");
             ASSERT_TRUE(pWindow->Manager().SetParamAttrib("CustomerName", "Prompt", "kept"));
             auto before = script.Snapshot();
             {
                 CReadOnlyDirectory readOnly(script.Dir());
                 EXPECT_FALSE(pWindow->Save());
                 EXPECT_TRUE(Contains(boxes.LastText(), strReason)) << boxes.LastText();
             }
             EXPECT_EQ(script.Snapshot(), before);
             EXPECT_TRUE(pWindow->IsModified());
             ASSERT_TRUE(pWindow->Save());
             EXPECT_TRUE(Contains(ReadFileBytes(script.File("Action.c")), "// kept"));
             EXPECT_EQ(Attrib(script, "CustomerName", "Prompt"), "kept");
         }},
        {"a data table",
         [&](CHostileScript& script)
         {
             CExtendedDtable table;
             ASSERT_EQ(table.OpenTable(script.File("customers.dat"), BRASKO_MODE_READ_WRITE, ",", 1), BRASKO_OK);
             ASSERT_EQ(table.SetCellValue(0, 0, "kept"), BRASKO_OK);
             auto before = script.Snapshot();
             {
                 CReadOnlyDirectory readOnly(script.Dir());
                 EXPECT_EQ(table.SaveTable(script.File("customers.dat")), BRASKO_E_IO);
             }
             EXPECT_EQ(script.Snapshot(), before);
             ASSERT_EQ(table.SaveTable(script.File("customers.dat")), BRASKO_OK);
             EXPECT_EQ(
                 ReadFileBytes(script.File("customers.dat")).find("FirstName,LastName,Email,Password,City\nkept,"), 0u);
         }},
        {"an ini file",
         [&](CHostileScript& script)
         {
             auto before = script.Snapshot();
             {
                 CReadOnlyDirectory readOnly(script.Dir());
                 EXPECT_FALSE(
                     WritePrivateProfileStringA("ParameterSimulation", "NumVusers", "5", script.Usr().c_str()));
             }
             EXPECT_EQ(script.Snapshot(), before);
         }},
        {"a new dataset",
         [&](CHostileScript& script)
         {
             auto pMgr = script.Manager(OPT_DATASETS);
             auto before = script.Snapshot();
             {
                 CReadOnlyDirectory readOnly(script.Dir());
                 EXPECT_FALSE(pMgr->CreateNewDataset("holiday"));
                 EXPECT_TRUE(Contains(pMgr->GetLastFileError(), strReason)) << pMgr->GetLastFileError();
             }
             EXPECT_EQ(script.Snapshot(), before);
             EXPECT_TRUE(pMgr->CreateNewDataset("holiday"));
         }},
    });
}

TEST(HostileSaves, TwoEditorsSavingOneScriptLeaveTheLaterSaveWhole)
{
    RunCases({
        {"two library instances",
         [](CHostileScript& script)
         {
             auto pFirst = script.Manager();
             auto pSecond = script.Manager();
             ASSERT_TRUE(pFirst->SetParamAttrib("CustomerName", "Prompt", "first"));
             ASSERT_TRUE(pFirst->CreateNewParameter("OnlyFirst", "Custom", "1"));
             ASSERT_TRUE(pSecond->SetParamAttrib("CustomerName", "Prompt", "second"));
             ASSERT_TRUE(pSecond->SetParamAttrib("Password", "Prompt", "second"));
             ASSERT_TRUE(pFirst->SaveChanges());
             ASSERT_TRUE(pSecond->SaveChanges());
             std::string strSaved = ReadFileBytes(script.Prm());
             EXPECT_EQ(Attrib(script, "CustomerName", "Prompt"), "second");
             EXPECT_EQ(Attrib(script, "Password", "Prompt"), "second");
             EXPECT_FALSE(script.Manager()->IsExistingParamName("OnlyFirst")) << "nothing of the first save";
             std::string strExpected = script.Root() + "/expected.prm";
             ASSERT_EQ(Param_Save(pSecond->GetTurbine(), strExpected.c_str()), TURB_OK);
             EXPECT_TRUE(strSaved == ReadFileBytes(strExpected)) << "the second save whole";
         }},
        {"two editor windows",
         [](CHostileScript& script)
         {
             CMessageBoxRecorder boxes;
             auto pFirst = OpenEditor(script);
             auto pSecond = OpenEditor(script);
             pFirst->ScriptTabs()->GetEditor(1)->appendPlainText("// first");
             pFirst->Manager().SetParamAttrib("CustomerName", "Prompt", "first");
             pSecond->ScriptTabs()->GetEditor(1)->appendPlainText("// second");
             pSecond->ScriptTabs()->GetEditor(2)->appendPlainText("// second");
             pSecond->Manager().SetParamAttrib("Password", "Prompt", "second");
             ASSERT_TRUE(pFirst->Save());
             ASSERT_TRUE(pSecond->Save());
             for (int nFile : {1, 2})
                 EXPECT_TRUE(ReadFileBytes(script.File(nFile == 1 ? "Action.c" : "vuser_end.c")) ==
                             pSecond->ScriptTabs()->GetEditor(nFile)->toPlainText().toStdString());
             EXPECT_EQ(Attrib(script, "Password", "Prompt"), "second");
             EXPECT_EQ(Attrib(script, "CustomerName", "Prompt"), "") << "nothing of the first save";
         }},
        {"two writers at once, read meanwhile",
         [](CHostileScript& script)
         {
             std::string strPath = script.File("customers.dat");
             const std::string strOld = ReadFileBytes(strPath);
             const std::string arrTexts[] = {"Key\n" + std::string(300000, 'a') + "\n",
                                             "Key\n" + std::string(200000, 'b') + "\n"};
             std::atomic<bool> bDone{false};
             std::atomic<int> nMixed{0};
             std::thread reader(
                 [&]
                 {
                     while (!bDone)
                     {
                         std::string strRead = ReadFileBytes(strPath);
                         if (strRead != strOld && strRead != arrTexts[0] && strRead != arrTexts[1])
                             ++nMixed;
                     }
                 });
             std::thread writers[2];
             for (int nWriter = 0; nWriter < 2; ++nWriter)
                 writers[nWriter] = std::thread(
                     [&, nWriter]
                     {
                         for (int i = 0; i < 40; ++i)
                             os_write_file_atomic(strPath.c_str(), arrTexts[nWriter].data(), arrTexts[nWriter].size());
                     });
             for (std::thread& writer : writers)
                 writer.join();
             bDone = true;
             reader.join();
             EXPECT_EQ(nMixed, 0) << "a reader only ever sees one whole file";
             std::string strLast = ReadFileBytes(strPath);
             EXPECT_TRUE(strLast == arrTexts[0] || strLast == arrTexts[1]);
         }},
    });
}
