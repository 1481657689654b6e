// Files whose content no editor of ours would write: huge lines, NUL bytes,
// bytes that are no UTF-8, a parameter file from a newer version. Each is
// read, shown and saved through the real readers, windows and editor.

#include "HostileScript.h"

#include "ScriptTabs.h"

#include "afx/PrivateProfile.h"
#include "brasko/Brasko.h"
#include "datafiles/ExtendedDtable.h"
#include "datafiles/FileSample.h"

#include <QPlainTextEdit>
#include <QTest>

namespace
{
std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Reads a data file through the data-table layer, compares every cell and
// name it holds with the expected ones, samples it and saves it unchanged.
void CheckTableRoundTrip(const std::string& strPath, const std::vector<std::vector<std::string>>& arrRows)
{
    std::string strBefore = ReadFileBytes(strPath);
    CExtendedDtable table;
    ASSERT_EQ(table.OpenTable(strPath, BRASKO_MODE_READ_WRITE, ",", 1), BRASKO_OK);
    ASSERT_EQ(table.GetLineCount(), static_cast<int>(arrRows.size()) - 1);
    for (size_t nRow = 0; nRow < arrRows.size(); ++nRow)
        for (size_t nColumn = 0; nColumn < arrRows[nRow].size(); ++nColumn)
        {
            std::string strValue;
            if (nRow == 0)
                ASSERT_EQ(table.GetColumnName(static_cast<int>(nColumn), strValue), BRASKO_OK);
            else
                ASSERT_EQ(table.GetCellValue(static_cast<int>(nColumn), static_cast<int>(nRow - 1), strValue),
                          BRASKO_OK);
            EXPECT_TRUE(strValue == arrRows[nRow][nColumn]) << "row " << nRow << " column " << nColumn;
        }
    // Setting a cell to what it holds changes no byte of the file.
    std::string strFirst;
    table.GetCellValue(0, 0, strFirst);
    ASSERT_EQ(table.SetCellValue(0, 0, strFirst), BRASKO_OK);
    ASSERT_EQ(table.SaveTable(strPath), BRASKO_OK);
    table.CloseTable();
    EXPECT_TRUE(ReadFileBytes(strPath) == strBefore);

    std::string strSample;
    for (size_t nRow = 1; nRow < std::min<size_t>(arrRows.size(), 4); ++nRow)
        strSample += (nRow > 1 ? "," : "") + arrRows[nRow][1];
    EXPECT_TRUE(BuildFileSample(strPath, ",", "1", arrRows[0][1]) == strSample);
}

// Opens a parameter file with the lines added, changes another parameter,
// saves, and checks that the lines are still there byte for byte (or in the
// form given, where the writer quotes a value) and that the parameter list
// reads the file as it did.
void CheckPrmKeeps(CHostileScript& script, const std::string& strLines, const std::string& strSavedAs = "")
{
    script.Append("nursery_order.prm", strLines);
    auto pMgr = script.Manager();
    std::vector<PARAM_SAMPLE_ROW> arrRows;
    EXPECT_TRUE(pMgr->GetParamNamesAndSamples(&arrRows));
    ASSERT_TRUE(pMgr->SetParamAttrib("CustomerName", "Prompt", "changed"));
    ASSERT_TRUE(pMgr->SaveChanges());
    std::string strSaved = ReadFileBytes(script.Prm());
    EXPECT_TRUE(Contains(strSaved, strSavedAs.empty() ? strLines : strSavedAs)) << "the lines are kept whole";
    EXPECT_TRUE(Contains(strSaved, "Prompt=changed\n"));

    auto pAgain = script.Manager();
    std::vector<PARAM_SAMPLE_ROW> arrAgain;
    EXPECT_TRUE(pAgain->GetParamNamesAndSamples(&arrAgain));
    EXPECT_EQ(arrAgain.size(), arrRows.size());
}

// Opens the editor on a script text file holding strBytes, edits every file
// as an author would and saves. Text the editor can give back byte for byte is
// edited like any other; text it cannot is shown read-only, with a warning,
// and kept byte for byte.
void CheckScriptTextKept(CHostileScript& script, const std::string& strBytes, bool bEditable)
{
    std::string strPath = script.Write("vuser_init.c", strBytes);
    CMessageBoxRecorder boxes;
    auto pWindow = OpenEditor(script);
    ASSERT_TRUE(pWindow->HasScript());
    ASSERT_EQ(boxes.Calls().size(), bEditable ? 0u : 1u);
    if (!bEditable)
    {
        EXPECT_TRUE(Contains(boxes.LastText(), "vuser_init.c")) << boxes.LastText();
    }
    QPlainTextEdit* pOdd = pWindow->ScriptTabs()->GetEditor(0);
    EXPECT_FALSE(pOdd->toPlainText().isEmpty()) << "shown";
    EXPECT_EQ(pOdd->isReadOnly(), !bEditable);

    pWindow->ScriptTabs()->ReplaceEverywhere("vuser", "user");
    if (!bEditable)
    {
        pWindow->ScriptTabs()->setCurrentWidget(pOdd);
        QTest::keyClicks(pOdd, "typed");
        pOdd->selectAll();
        pWindow->ReplaceWithParameter();
    }
    ASSERT_TRUE(pWindow->Save());
    EXPECT_TRUE(ReadFileBytes(strPath) == (bEditable ? Replaced(strBytes, "vuser", "user") : strBytes));
    EXPECT_TRUE(Contains(ReadFileBytes(script.File("vuser_end.c")), "user_end"));
}
} // namespace

TEST(HostileContent, HugeLinesAndFieldsAreReadShownAndSavedUnchanged)
{
    const std::string strField(kMiB, 'f');
    const std::string strLine(10 * kMiB, 'l');
    RunCases({
        {"a data file with a 10 MiB line and a 1 MiB field",
         [&](CHostileScript& script)
         {
             std::string strPath = script.Write("big.dat", "Key,Note\na," + strField + "\n" + strLine + ",z\nb,c\n");
             CheckTableRoundTrip(strPath, {{"Key", "Note"}, {"a", strField}, {strLine, "z"}, {"b", "c"}});
         }},
        {"a parameter value of 1 MiB",
         [&](CHostileScript& script)
         {
             CheckPrmKeeps(script, "\n[Huge]\nType=Custom\nCurrentValue=" + strField + "\n");
             auto pMgr = script.Manager();
             EXPECT_TRUE(pMgr->GetParamAttrib("Huge", "CurrentValue") == strField);
         }},
        {"an ini line of 1 MiB",
         [&](CHostileScript& script)
         {
             std::string strUsr = script.Append("nursery_order.usr", "\n[Huge]\nLine=" + strField + "\n");
             CScriptLocation location;
             std::string strError;
             EXPECT_TRUE(location.Resolve(strUsr, strError)) << strError;
             std::vector<char> buffer(2 * kMiB);
             EXPECT_EQ(GetPrivateProfileStringA("Huge", "Line", "", buffer.data(), static_cast<DWORD>(buffer.size()),
                                                strUsr.c_str()),
                       kMiB);
             EXPECT_TRUE(buffer.data() == strField);
             std::string strBefore = ReadFileBytes(strUsr);
             ASSERT_TRUE(WritePrivateProfileStringA("ParameterSimulation", "NumVusers", "5", strUsr.c_str()));
             EXPECT_TRUE(ReadFileBytes(strUsr) == Replaced(strBefore, "NumVusers=4", "NumVusers=5"));
         }},
        {"a script text line of 1 MiB",
         [&](CHostileScript& script) { CheckScriptTextKept(script, "vuser_init()\n{" + strField + "}\n", true); }},
    });
}

TEST(HostileContent, NulBytesRefuseADataFileAndAreKeptElsewhere)
{
    const std::string strNul("a\0b", 3);
    RunCases({
        {"a data file",
         [&](CHostileScript& script)
         {
             std::string strBytes = "Key,Note\nx,1\ny," + strNul + "\n";
             std::string strPath = script.Write("nul.dat", strBytes);
             CExtendedDtable table;
             EXPECT_EQ(table.OpenTable(strPath, BRASKO_MODE_READ_WRITE, ",", 1), BRASKO_E_FORMAT);
             EXPECT_EQ(CExtendedDtable::GetLastErrorLine(), 3) << "the line at fault";
             EXPECT_EQ(BuildFileSample(strPath, ",", "1", "Note"), "");
             EXPECT_TRUE(ReadFileBytes(strPath) == strBytes);
         }},
        {"a parameter file",
         [&](CHostileScript& script)
         {
             CheckPrmKeeps(script, "\n[Nul]\nType=Custom\nCurrentValue=" + strNul + "\n",
                           "\n[Nul]\nType=Custom\nCurrentValue=\"a\\x00b\"\n");
             EXPECT_TRUE(script.Manager()->GetParamAttrib("Nul", "CurrentValue") == strNul);
         }},
        {"an ini file",
         [&](CHostileScript& script)
         {
             std::string strUsr = script.Append("nursery_order.usr", "\n[Nul]\nLine=" + strNul + "\n");
             std::string strBefore = ReadFileBytes(strUsr);
             WritePrivateProfileStringA("ParameterSimulation", "NumVusers", "5", strUsr.c_str());
             std::string strAfter = ReadFileBytes(strUsr);
             EXPECT_TRUE(strAfter == strBefore || strAfter == Replaced(strBefore, "NumVusers=4", "NumVusers=5"))
                 << "written whole or not at all";
         }},
        {"a script text",
         [&](CHostileScript& script) { CheckScriptTextKept(script, "vuser_init()\n{" + strNul + "}\n", true); }},
    });
}

TEST(HostileContent, InvalidUtf8IsShownAndKeptByteForByte)
{
    const std::string strBad = "\xFF\xFE\xC3\x28\x80 \xE2\x82";
    RunCases({
        {"a data file",
         [&](CHostileScript& script)
         {
             std::string strPath = script.Write("bad.dat", "Key,N" + strBad + "\nx," + strBad + "\n" + strBad + ",2\n");
             CheckTableRoundTrip(strPath, {{"Key", "N" + strBad}, {"x", strBad}, {strBad, "2"}});
         }},
        {"a parameter file",
         [&](CHostileScript& script)
         {
             CheckPrmKeeps(script, "\n[Name" + strBad + "]\nType=Custom\nCurrentValue=" + strBad + "\n");
             auto pMgr = script.Manager();
             EXPECT_TRUE(pMgr->IsExistingParamName(("Name" + strBad).c_str()));
             EXPECT_TRUE(pMgr->GetParamAttrib(("Name" + strBad).c_str(), "CurrentValue") == strBad);
         }},
        {"a parameter value set through the library",
         [&](CHostileScript& script)
         {
             auto pMgr = script.Manager();
             ASSERT_TRUE(pMgr->SetParamAttrib("CustomerName", "Prompt", strBad.c_str()));
             ASSERT_TRUE(pMgr->SaveChanges());
             EXPECT_TRUE(script.Manager()->GetParamAttrib("CustomerName", "Prompt") == strBad);
         }},
        {"an ini file",
         [&](CHostileScript& script)
         {
             std::string strUsr = script.Append("nursery_order.usr", "\n[Odd]\nLine=" + strBad + "\n");
             char buffer[64] = {};
             GetPrivateProfileStringA("Odd", "Line", "", buffer, sizeof buffer, strUsr.c_str());
             EXPECT_TRUE(buffer == strBad);
             std::string strBefore = ReadFileBytes(strUsr);
             ASSERT_TRUE(WritePrivateProfileStringA("ParameterSimulation", "NumVusers", "5", strUsr.c_str()));
             EXPECT_TRUE(ReadFileBytes(strUsr) == Replaced(strBefore, "NumVusers=4", "NumVusers=5"));
         }},
        {"a script text",
         [&](CHostileScript& script) { CheckScriptTextKept(script, "vuser_init()\n{" + strBad + "}\n", false); }},
        {"the parameter pane of the editor",
         [&](CHostileScript& script)
         {
             script.Append("nursery_order.prm", "\n[Name" + strBad + "]\nType=Custom\nCurrentValue=" + strBad + "\n");
             CMessageBoxRecorder boxes;
             auto pWindow = OpenEditor(script);
             ASSERT_TRUE(pWindow->Manager().SetActiveParamName(("Name" + strBad).c_str()));
             pWindow->Manager().SetParamAttrib("CustomerName", "Prompt", "changed");
             ASSERT_TRUE(pWindow->Save());
             EXPECT_TRUE(Contains(ReadFileBytes(script.Prm()), "CurrentValue=" + strBad + "\n"));
         }},
    });
}

TEST(HostileContent, AParameterFileOfANewerVersionKeepsWhatItDoesNotKnow)
{
    RunCases({
        {"keys before the first parameter",
         [](CHostileScript& script)
         {
             std::string strText = ReadFileBytes(script.Prm());
             script.Write("nursery_order.prm", "FormatVersion=9\nWrittenBy=Tarvo 9.0\n" + strText);
             CheckPrmKeeps(script, "");
             EXPECT_TRUE(Contains(ReadFileBytes(script.Prm()), "FormatVersion=9\nWrittenBy=Tarvo 9.0\n"));
         }},
        {"an unknown section", [](CHostileScript& script)
         { CheckPrmKeeps(script, "\n[$Layout]\nColumns=Name,Type,Value\nWidths=120,80,200\n"); }},
        {"a parameter of an unknown type",
         [](CHostileScript& script) { CheckPrmKeeps(script, "\n[Quantum]\nType=Superposition\nStates=2\n"); }},
        {"unknown keys in a known parameter",
         [](CHostileScript& script)
         {
             std::string strText = ReadFileBytes(script.Prm());
             script.Write("nursery_order.prm",
                          Replaced(strText, "[Password]\n", "[Password]\nVaultRef=kv://shop/pw\n"));
             CheckPrmKeeps(script, "");
             EXPECT_TRUE(Contains(ReadFileBytes(script.Prm()), "VaultRef=kv://shop/pw\n"));
             EXPECT_EQ(script.Manager()->GetParamAttrib("Password", "VaultRef"), "kv://shop/pw");
         }},
    });
}
