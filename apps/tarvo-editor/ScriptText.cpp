#include "ScriptText.h"

#include "ketrin/Ketrin.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

bool CScriptText::Load(const std::vector<std::string>& arrPaths, std::string& strError)
{
    std::vector<SCRIPT_FILE> files;
    for (const std::string& path : arrPaths)
    {
        std::ifstream in(path, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.is_open() || in.bad())
        {
            strError = "cannot read " + path;
            return false;
        }
        files.push_back({path, text, text, false});
    }
    m_arrFiles = std::move(files);
    return true;
}

void CScriptText::SetText(size_t nFile, const std::string& strText)
{
    SCRIPT_FILE& file = m_arrFiles[nFile];
    file.strText = strText;
    // Edits that lead back to the saved text leave nothing to save.
    file.bModified = strText != file.strSaved;
}

bool CScriptText::IsModified() const
{
    for (const SCRIPT_FILE& file : m_arrFiles)
        if (file.bModified)
            return true;
    return false;
}

bool CScriptText::Save(std::string& strError)
{
    for (SCRIPT_FILE& file : m_arrFiles)
    {
        if (!file.bModified)
            continue;
        if (!os_write_file_atomic(file.strPath.c_str(), file.strText.data(), file.strText.size()))
        {
            strError = "cannot write " + file.strPath + ": " + std::strerror(errno);
            return false;
        }
        file.strSaved = file.strText;
        file.bModified = false;
    }
    return true;
}
