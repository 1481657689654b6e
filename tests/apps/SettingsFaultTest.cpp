#include "EditorWindow.h"
#include "FileFault.h"
#include "RecentScripts.h"
#include "TempDir.h"
#include "UiSeams.h"

#include "afx/DebugOutput.h"
#include "afx/WinApp.h"

#include <QCoreApplication>
#include <QSettings>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace
{
const std::string kDatFile = std::string(TARVO_BINARY_DIR) + "/dat/param.dat";

struct SETTINGS_WRITER
{
    const char* pszName;
    // Writes a change; FALSE when the writer says it failed.
    std::function<BOOL()> fnWrite;
    bool bAnswers = true; // false: the writer has no answer, only the debugger output tells
};

BOOL SaveWindowLayout()
{
    CEditorWindow window(kDatFile, 0);
    window.show();
    window.resize(window.size() + QSize(31, 17));
    window.close();
    return TRUE;
}

BOOL SaveOption()
{
    CEditorWindow window(kDatFile, 0);
    window.SetOption(OPT_SERVER_ENCRYPT, true);
    return TRUE;
}

// The writes of the profile the window layer keeps and of the settings the
// editor keeps, which share one file.
const std::vector<SETTINGS_WRITER>& Writers()
{
    static const std::vector<SETTINGS_WRITER> writers = {
        {"a profile text", [] { return AfxWriteProfileString("LastTablesUsed", "FileName0", "renamed-table.dat"); }},
        {"a profile number", [] { return AfxWriteProfileInt("LastTablesUsed", "FileStartRow0", 12); }},
        {"a profile entry removed", [] { return AfxWriteProfileString("LastTablesUsed", "FileName0", nullptr); }},
        {"a profile section removed", [] { return AfxWriteProfileString("LastTablesUsed", nullptr, nullptr); }},
        {"the recent scripts",
         []
         {
             CRecentScripts().Add("/scripts/new/script.usr");
             return TRUE;
         },
         false},
        {"the window's layout", SaveWindowLayout, false},
        {"an option", SaveOption, false},
    };
    return writers;
}

// The settings file and any temporary file beside it; other test programs
// keep their own settings in the same folder at the same time.
std::vector<std::string> FilesOf(const std::string& strFile)
{
    std::filesystem::path path(strFile);
    std::vector<std::string> names;
    for (const std::string& name : DirectoryNames(path.parent_path().string()))
        if (name == path.filename().string() || name.rfind("." + path.filename().string() + ".", 0) == 0)
            names.push_back(name);
    return names;
}

// Settings as the editor left them; each round's file carries its own time,
// so that the settings cache never takes it for the file written before.
std::string WriteSeed(const std::string& strFile, int nRound)
{
    const std::string strSeed = "[LastTablesUsed]\nFileName0=old.dat\nFileStartRow0=1\n\n"
                                "[Recent]\nScripts=/scripts/a.usr, /scripts/b.usr\n";
    std::filesystem::create_directories(std::filesystem::path(strFile).parent_path());
    std::ofstream(strFile, std::ios::binary | std::ios::trunc) << strSeed;
    std::filesystem::last_write_time(strFile, std::filesystem::file_time_type(std::chrono::hours(nRound + 1)));
    return strSeed;
}
} // namespace

TEST(EditorSettings, EveryFailingStepOfASettingsWriteKeepsTheFileByteForByteAndSaysWhy)
{
    // A settings file of its own: other test programs write theirs meanwhile.
    const QString strApplication = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("tarvo-settings-fault-tests");
    CWinApp app;
    const std::string strFile = QSettings().fileName().toStdString();
    std::string strDebug;
    AfxSetDebugOutputSink([&](const std::string& text) { strDebug += text + "\n"; });
    CMessageBoxRecorder boxes;
    int nRound = 0;
    for (const SETTINGS_WRITER& writer : Writers())
        for (const FILE_FAULT_STEP& step : FileFaultSteps())
        {
            SCOPED_TRACE(std::string(writer.pszName) + " failing at " + step.pszName);
            const std::string strOld = WriteSeed(strFile, nRound++);
            auto before = FilesOf(strFile);
            strDebug.clear();
            {
                CFileFault fault(step.nStep);
                BOOL bWritten = writer.fnWrite();
                EXPECT_TRUE(!bWritten || !writer.bAnswers);
                EXPECT_GT(fault.Hits(), 0);
            }
            EXPECT_EQ(ReadFileBytes(strFile), strOld);
            EXPECT_EQ(FilesOf(strFile), before) << "no temporary file is left";
            EXPECT_NE(strDebug.find(strFile + ": " + std::strerror(ENOSPC)), std::string::npos) << strDebug;

            EXPECT_TRUE(writer.fnWrite());
            EXPECT_NE(ReadFileBytes(strFile), strOld) << "the same write works afterwards";
        }
    AfxSetDebugOutputSink(nullptr);
    std::filesystem::remove(strFile);
    QCoreApplication::setApplicationName(strApplication);
}
