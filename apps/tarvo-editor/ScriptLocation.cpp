#include "ScriptLocation.h"

#include "afx/PrivateProfile.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace
{
bool HasExtension(const fs::path& path, const char* pszExtension)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == pszExtension;
}

std::string ProfileString(const std::string& strFile, const char* pszSection, const char* pszKey)
{
    char buffer[1024] = {};
    GetPrivateProfileStringA(pszSection, pszKey, "", buffer, sizeof buffer, strFile.c_str());
    return buffer;
}

// A file the script's text names, or an empty path when the name leads out
// of the script's directory: the editor writes these files, so a script must
// not be able to point it at any other file of the user's.
fs::path InScriptDirectory(const std::string& strDirectory, const std::string& strName)
{
    fs::path name = fs::path(strName).lexically_normal();
    if (name.empty() || name.is_absolute() || *name.begin() == "..")
        return fs::path();
    return fs::path(strDirectory) / name;
}

// Every key of a section, in file order.
std::vector<std::string> SectionKeys(const std::string& strFile, const char* pszSection)
{
    std::vector<char> buffer(32768);
    DWORD length = GetPrivateProfileStringA(pszSection, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()),
                                            strFile.c_str());
    std::vector<std::string> keys;
    for (DWORD pos = 0; pos < length && buffer[pos];)
    {
        keys.emplace_back(&buffer[pos]);
        pos += static_cast<DWORD>(keys.back().size()) + 1;
    }
    return keys;
}

bool IsReadableFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec) &&
           (fs::status(path, ec).permissions() & fs::perms::owner_read) != fs::perms::none;
}
} // namespace

bool CScriptLocation::Resolve(const std::string& strArgument, std::string& strError)
{
    std::error_code ec;
    fs::path path = fs::absolute(strArgument, ec);
    if (ec || !fs::exists(path, ec))
    {
        strError = "no such file or directory: " + strArgument;
        return false;
    }
    path = path.lexically_normal();
    if (fs::is_directory(path, ec))
        return ResolveDirectory(path.string(), strError);
    if (HasExtension(path, ".prm"))
        return ResolveParamFile(path.string(), strError);
    if (HasExtension(path, ".usr"))
        return ResolveUsr(path.string(), strError);
    strError = "not a script (.usr file, script directory or .prm file): " + strArgument;
    return false;
}

bool CScriptLocation::ResolveDirectory(const std::string& strDirectory, std::string& strError)
{
    std::vector<fs::path> usrFiles;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(strDirectory, ec))
        if (entry.is_regular_file() && HasExtension(entry.path(), ".usr"))
            usrFiles.push_back(entry.path());
    if (usrFiles.empty())
    {
        strError = "no .usr file in " + strDirectory;
        return false;
    }
    std::sort(usrFiles.begin(), usrFiles.end());
    return ResolveUsr(usrFiles.front().string(), strError);
}

bool CScriptLocation::ResolveUsr(const std::string& strUsrFile, std::string& strError)
{
    if (!IsReadableFile(strUsrFile))
    {
        strError = "cannot read " + strUsrFile;
        return false;
    }
    m_strUsrFile = strUsrFile;
    m_strDirectory = fs::path(strUsrFile).parent_path().string();
    std::string strParamFile = ProfileString(strUsrFile, "General", "ParameterFile");
    if (strParamFile.empty())
        strParamFile = fs::path(strUsrFile).stem().string() + ".prm";
    fs::path paramFile = InScriptDirectory(m_strDirectory, strParamFile);
    if (paramFile.empty())
    {
        strError = "the parameter file lies outside the script's directory: " + strParamFile;
        return false;
    }
    ReadActions();
    return ResolveParamFile(paramFile.string(), strError);
}

// A script without parameters yet has no parameter file: the first save creates it.
bool CScriptLocation::ResolveParamFile(const std::string& strParamFile, std::string& strError)
{
    std::error_code ec;
    bool bMissing = !fs::exists(strParamFile, ec) && !ec;
    if (!bMissing && !IsReadableFile(strParamFile))
    {
        strError = "cannot read the parameter file " + strParamFile;
        return false;
    }
    m_strParamFile = strParamFile;
    if (m_strDirectory.empty())
    {
        m_strDirectory = fs::path(strParamFile).parent_path().string();
        // A parameter file named directly still finds its script's text when there is one.
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(m_strDirectory, ec))
            if (entry.is_regular_file() && HasExtension(entry.path(), ".usr"))
            {
                m_strUsrFile = entry.path().string();
                ReadActions();
                break;
            }
    }
    return true;
}

void CScriptLocation::ReadActions()
{
    m_arrActionFiles.clear();
    for (const std::string& key : SectionKeys(m_strUsrFile, "Actions"))
    {
        fs::path file = InScriptDirectory(m_strDirectory, ProfileString(m_strUsrFile, "Actions", key.c_str()));
        if (!file.empty() && IsReadableFile(file))
            m_arrActionFiles.push_back(file.string());
    }
}

std::string CScriptLocation::GetName() const
{
    const std::string& source = m_strUsrFile.empty() ? m_strParamFile : m_strUsrFile;
    return fs::path(source).stem().string();
}
