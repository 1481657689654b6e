// Paths that name something other than the file the reader expects: a
// directory or a FIFO where a data or parameter file should be, a plug-in
// that is no library.

#include "HostileScript.h"

#include "afx/PrivateProfile.h"
#include "brasko/Brasko.h"
#include "dataeditor/TableDlg.h"
#include "datafiles/ExtendedDtable.h"
#include "datafiles/FileSample.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
// Opens the FIFO for writing when a reader still waits on it after a while,
// so that a reader that blocks ends (and the test fails) instead of hanging.
class CFifoWatchdog
{
public:
    explicit CFifoWatchdog(const std::string& strFifo)
        : m_thread(
              [this, strFifo]
              {
                  std::unique_lock<std::mutex> lock(m_mutex);
                  if (m_cv.wait_for(lock, std::chrono::seconds(5), [this] { return m_bDone; }))
                      return;
                  m_bFired = true;
                  // Each open releases one waiting reader; keep going until told to stop.
                  while (!m_cv.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_bDone; }))
                  {
                      int fd = open(strFifo.c_str(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0)
                          close(fd);
                  }
              })
    {
    }
    ~CFifoWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bDone = true;
        }
        m_cv.notify_all();
        m_thread.join();
    }

    bool Fired() const { return m_bFired; }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bDone = false;
    std::atomic<bool> m_bFired{false};
    std::thread m_thread;
};

struct SPECIAL_FILE
{
    const char* pszName;
    std::function<void(const std::string& strPath)> fnMake;
};

const std::vector<SPECIAL_FILE>& SpecialFiles()
{
    static const std::vector<SPECIAL_FILE> files = {
        {"a directory", [](const std::string& strPath) { ASSERT_EQ(mkdir(strPath.c_str(), 0755), 0); }},
        {"a FIFO", [](const std::string& strPath) { ASSERT_EQ(mkfifo(strPath.c_str(), 0644), 0); }},
    };
    return files;
}

// What the readers are given: each call must refuse the special file.
struct SPECIAL_READER
{
    const char* pszName;
    std::function<void(CHostileScript& script, const std::string& strPath)> fnRead;
};

const std::vector<SPECIAL_READER>& Readers()
{
    static const std::vector<SPECIAL_READER> readers = {
        {"the data-table library",
         [](CHostileScript&, const std::string& strPath)
         {
             for (int nMode : {BRASKO_MODE_READ_WRITE, BRASKO_MODE_READ_ONLY})
             {
                 CExtendedDtable table;
                 EXPECT_EQ(table.OpenTable(strPath, nMode, ",", 1), BRASKO_E_IO);
             }
             EXPECT_LT(CExtendedDtable::GetNumberOfLinesEx(strPath, ","), 0);
             EXPECT_EQ(BuildFileSample(strPath, ",", "1", "Name"), "");
         }},
        {"the data editor",
         [](CHostileScript& script, const std::string& strPath)
         {
             auto pMgr = script.Manager();
             CWnd host;
             std::string strIni = script.Root() + "/mirrel.ini";
             ASSERT_TRUE(host.Create(nullptr, "Host", WS_POPUP, CRect(0, 0, 520, 360), nullptr, 0));
             CTableDlg* pDlg = new CTableDlg(pMgr.get(), strIni, &host);
             ASSERT_TRUE(pDlg->Create(&host));
             EXPECT_NE(pDlg->LoadFile(strPath, 1, ","), 1);
             pDlg->DestroyWindow();
             delete pDlg;
             host.DestroyWindow();
         }},
        {"the ini reader",
         [](CHostileScript&, const std::string& strPath)
         {
             char buffer[16] = {};
             GetPrivateProfileStringA("General", "Type", "none", buffer, sizeof buffer, strPath.c_str());
             EXPECT_STREQ(buffer, "none");
             EXPECT_FALSE(WritePrivateProfileStringA("General", "Type", "Web", strPath.c_str()));
         }},
        {"the parameter file of a script",
         [](CHostileScript& script, const std::string& strPath)
         {
             CMessageBoxRecorder boxes;
             CTarvoMgr mgr(kDatFile.c_str());
             mgr.AddParamFile(strPath.c_str(), "special");
             std::vector<std::string> arrNames;
             mgr.EnumParamNames(&arrNames);
             EXPECT_TRUE(arrNames.empty());
             EXPECT_FALSE(mgr.SaveChanges()) << "never saved over";
             EXPECT_TRUE(Contains(boxes.LastText(), strPath)) << boxes.LastText();
             std::string strError;
             CScriptLocation location;
             EXPECT_FALSE(location.Resolve(script.Usr(), strError));
             EXPECT_EQ(strError, "cannot read the parameter file " + strPath);
         }},
    };
    return readers;
}
} // namespace

TEST(HostileFiles, ADirectoryOrAFifoIsRefusedWithoutBlocking)
{
    for (const SPECIAL_FILE& file : SpecialFiles())
        for (const SPECIAL_READER& reader : Readers())
        {
            SCOPED_TRACE(std::string(reader.pszName) + " given " + file.pszName);
            CHostileScript script;
            std::string strPath = script.File("special");
            file.fnMake(strPath);
            WritePrivateProfileStringA("General", "ParameterFile", "special", script.Usr().c_str());
            auto before = script.Snapshot(script.Dir());
            {
                CFifoWatchdog watchdog(strPath);
                reader.fnRead(script, strPath);
                EXPECT_FALSE(watchdog.Fired()) << "the reader blocked";
            }
            struct stat st = {};
            ASSERT_EQ(lstat(strPath.c_str(), &st), 0);
            EXPECT_TRUE(S_ISDIR(st.st_mode) || S_ISFIFO(st.st_mode)) << "left as it was";
            EXPECT_EQ(script.Snapshot(script.Dir()), before);
        }
}

TEST(HostileFiles, APlugInThatIsNoLibraryFailsWithItsReasonAndNoCrash)
{
    const struct
    {
        const char* pszName;
        std::function<std::string(CHostileScript&)> fnPath;
        const char* pszReason; // in the debugger output; null where loading succeeds
    } cases[] = {
        {"a missing file", [](CHostileScript& script) { return script.File("missing.so"); }, "missing.so"},
        {"a text file", [](CHostileScript& script) { return script.Write("text.so", "not a library\n"); }, "text.so"},
        {"an empty file", [](CHostileScript& script) { return script.Write("empty.so", ""); }, "empty.so"},
        {"a directory", [](CHostileScript& script) { return script.Dir(); }, "LoadLibraryA"},
        {"a library without the entry point", [](CHostileScript&) { return std::string(TARVO_LIBRARY_PATH); }, ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CHostileScript script;
        std::string strDat = script.Write("param.dat", ReadFileBytes(kDatFile));
        std::string strLibrary = c.fnPath(script);
        WritePrivateProfileStringA("ParameterTypes", "Plugged", "TypePlugged", strDat.c_str());
        WritePrivateProfileStringA("TypePlugged", "TypeName", "Gadget", strDat.c_str());
        WritePrivateProfileStringA("TypePlugged", "DisplayUI", ("dll:" + strLibrary).c_str(), strDat.c_str());
        WritePrivateProfileStringA("EngineTypes", "Plugged", "OriginalValue", strDat.c_str());
        script.Append("nursery_order.prm", "\n[Widget]\nType=Plugged\nOriginalValue=w\n");

        auto pMgr = script.Manager(0, strDat);
        ASSERT_TRUE(pMgr->SetActiveParamName("Widget"));
        pMgr->CreateAdditionalInfoDllParam();
        EXPECT_EQ(pMgr->GetAdditionalInfo("PluginInfo"), nullptr);
        if (c.pszReason)
        {
            EXPECT_TRUE(Contains(script.Debug(), c.pszReason)) << script.Debug();
        }

        // The editor shows the parameter with the tabs it has.
        CMessageBoxRecorder boxes;
        CScriptLocation location;
        std::string strError;
        ASSERT_TRUE(location.Resolve(script.Dir(), strError)) << strError;
        CEditorWindow window(strDat, 0);
        ASSERT_TRUE(window.OpenScript(location, strError)) << strError;
        ASSERT_TRUE(window.Manager().SetActiveParamName("Widget"));
        window.Manager().SetParamAttrib("Widget", "OriginalValue", "v");
        ASSERT_TRUE(window.Save());
        EXPECT_TRUE(Contains(ReadFileBytes(script.Prm()), "[Widget]\nType=Plugged\nOriginalValue=v\n"));
    }
}
