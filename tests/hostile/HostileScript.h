#pragma once

// A copy of the example script in its own folder of a temporary directory, so
// that anything written beside the script shows, and the library and the
// editor over it.

#include "EditorWindow.h"
#include "ScriptLocation.h"
#include "TempDir.h"
#include "UiSeams.h"

#include "afx/DebugOutput.h"
#include "manager/TarvoMgr.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

inline const std::string kDatFile = std::string(TARVO_BINARY_DIR) + "/dat/param.dat";
inline const size_t kMiB = 1024 * 1024;

class CHostileScript
{
public:
    CHostileScript()
    {
        std::filesystem::copy(std::string(TARVO_SOURCE_DIR) + "/examples/nursery_order", Dir(),
                              std::filesystem::copy_options::recursive);
        AfxSetDebugOutputSink([this](const std::string& text) { m_strDebug += text + "\n"; });
    }
    ~CHostileScript() { AfxSetDebugOutputSink(nullptr); }
    CHostileScript(const CHostileScript&) = delete;
    CHostileScript& operator=(const CHostileScript&) = delete;

    std::string Dir() const { return m_root.File("script"); }
    std::string File(const std::string& name) const { return Dir() + "/" + name; }
    std::string Root() const { return m_root.Path(); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        return m_root.Write("script/" + name, bytes);
    }
    std::string Append(const std::string& name, const std::string& bytes) const
    {
        return Write(name, ReadFileBytes(File(name)) + bytes);
    }
    std::string Prm() const { return File("nursery_order.prm"); }
    std::string Usr() const { return File("nursery_order.usr"); }

    // Every file under the directory (the whole temporary one by default) with
    // its bytes, so that a check sees anything written between two calls.
    std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& strDir = std::string()) const
    {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(strDir.empty() ? Root() : strDir))
            files.emplace_back(entry.path().string(), entry.is_regular_file() ? ReadFileBytes(entry.path()) : "");
        std::sort(files.begin(), files.end());
        return files;
    }

    // The manager over the script's parameter file.
    std::unique_ptr<CTarvoMgr> Manager(long lOptions = 0, const std::string& strDatFile = kDatFile) const
    {
        auto pMgr = std::make_unique<CTarvoMgr>(strDatFile.c_str());
        pMgr->Custom_AddOptions(lOptions);
        pMgr->AddParamFile(Prm().c_str(), "nursery_order");
        return pMgr;
    }

    const std::string& Debug() const { return m_strDebug; }

private:
    CTempDir m_root;
    std::string m_strDebug;
};

// The editor window on the script, its text on show.
inline std::unique_ptr<CEditorWindow> OpenEditor(const CHostileScript& script, long lOptions = 0)
{
    CScriptLocation location;
    std::string strError;
    EXPECT_TRUE(location.Resolve(script.Dir(), strError)) << strError;
    auto pWindow = std::make_unique<CEditorWindow>(kDatFile, lOptions);
    EXPECT_TRUE(pWindow->OpenScript(location, strError)) << strError;
    return pWindow;
}

inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A case of a table-driven test: what it is and the checks it runs.
struct HOSTILE_CASE
{
    const char* pszName;
    std::function<void(CHostileScript& script)> fnRun;
};

inline void RunCases(const std::vector<HOSTILE_CASE>& cases)
{
    for (const HOSTILE_CASE& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CHostileScript script;
        c.fnRun(script);
    }
}
