#include "Turbine.h"

#include "PrmFile.h"

#include "ketrin/Ketrin.h"

#include <filesystem>
#include <strings.h>

namespace
{
const uint32_t LIVE_MAGIC = 0x54555242; // "TURB"

const char* const LOCAL_DATA_DIR = "LocalDataDir";
const char* const GLOBAL_DATA_DIR = "GlobalDataDir";
const char* const ACTUAL_FULL_PATH = "ActualFullPath";
const char* const KEPT_CONTENT = "KeptContent";

// Comments and blank lines are at home in a parameter file; anything else the
// engine kept without understanding it is worth telling the author about.
void AppendUnderstoodNot(const std::string& lines, std::string& out)
{
    for (size_t start = 0; start < lines.size();)
    {
        size_t end = lines.find('\n', start);
        std::string line = lines.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? lines.size() : end + 1;
        size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] != ';' && line[first] != '#')
            out.append(line).append("\n");
    }
}

// Files are recorded by absolute path so that their directory is meaningful
// whatever the working directory later becomes.
std::string Absolute(const std::string& path)
{
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

} // namespace

CTurbine::CTurbine() : m_nMagic(LIVE_MAGIC), m_values(*this) {}

CTurbine::~CTurbine()
{
    m_nMagic = 0;
}

CTurbine* CTurbine::FromHandle(void* handle)
{
    auto* turbine = static_cast<CTurbine*>(handle);
    return turbine && turbine->m_nMagic == LIVE_MAGIC ? turbine : nullptr;
}

bool CTurbine::Open(const std::string& typeDefFile)
{
    return m_types.Load(typeDefFile);
}

int CTurbine::AddParamFile(const std::string& path)
{
    m_strFilePath = Absolute(path);
    m_nNewcomer = 0;
    m_strVacated.clear();
    bool bLoaded = CPrmFile::Load(m_strFilePath, m_params);
    // Only a file known to be missing may be created by a save.
    std::error_code ec;
    m_bFileUnread = !bLoaded && (std::filesystem::exists(m_strFilePath, ec) || ec);
    return bLoaded ? TURB_OK : TURB_E_IO;
}

void CTurbine::ClearParams()
{
    m_params.Clear();
    m_nNewcomer = 0;
    m_strVacated.clear();
    m_values.Reset();
}

int CTurbine::Save(const char* path)
{
    std::string target = path && *path ? Absolute(path) : m_strFilePath;
    if (target.empty())
        return TURB_E_ARGUMENT;
    if (target == m_strFilePath && m_bFileUnread)
        return TURB_E_IO;
    std::string text = CPrmFile::Serialize(m_params);
    if (!os_write_file_atomic(target.c_str(), text.data(), text.size()))
        return TURB_E_IO;
    m_nNewcomer = 0;
    m_strVacated.clear();
    if (target != m_strFilePath)
    {
        m_bFileUnread = false;
        // Parameters of the old file now live in the new one.
        for (TURB_PARAM_ID id : m_params.GetIds())
        {
            CParam* param = m_params.Find(id);
            if (param->GetFilePath().empty() || param->GetFilePath() == m_strFilePath)
                param->SetFilePath(target);
        }
        m_strFilePath = target;
    }
    return TURB_OK;
}

bool CTurbine::NewParam(const std::string& name, const std::string& type, const char* prmPath)
{
    const std::vector<std::string>* attribs = m_types.GetAttributes(type);
    if (!attribs || name.empty() || m_params.Find(name))
        return false;
    // A type change deletes the parameter and creates it again under its name.
    CParam* param = m_params.Add(name, name == m_strVacated ? m_nVacatedPlace : SIZE_MAX);
    m_strVacated.clear();
    std::string file = prmPath && *prmPath ? Absolute(prmPath) : m_strFilePath;
    if (m_strFilePath.empty())
        m_strFilePath = file;
    param->SetFilePath(file);
    m_nNewcomer = param->GetId();
    param->Set("Type", type);
    for (const std::string& key : *attribs)
        if (key != "ParamName" && key != "Type" && !IsDerived(key))
            param->Set(key, std::string());
    return true;
}

// A rename is a new parameter that takes every attribute of the old one
// before the old one goes: the new one then takes the old one's place and
// section (its empty attributes are the old one's missing ones), so the file
// changes in the name alone.
int CTurbine::DeleteParam(const std::string& name)
{
    CParam* param = m_params.Find(name);
    if (!param)
        return TURB_E_NOT_FOUND;
    CParam* newcomer = m_nNewcomer ? m_params.Find(m_nNewcomer) : nullptr;
    m_nNewcomer = 0;
    if (newcomer && newcomer != param && newcomer->HasValuesOf(*param))
    {
        newcomer->TakeEntriesOf(*param);
        m_params.Replace(name, newcomer->GetId());
    }
    else
    {
        m_nVacatedPlace = m_params.PlaceOf(name);
        m_strVacated = name;
        m_params.Remove(name);
    }
    m_values.Forget(name);
    return TURB_OK;
}

int CTurbine::GetAttrib(const CParam* param, const std::string& key, std::string& value) const
{
    if (key == LOCAL_DATA_DIR)
        value = GetLocalDataDir(param);
    else if (key == GLOBAL_DATA_DIR)
        value = m_types.GetDirectory();
    else if (!param && key == KEPT_CONTENT)
        value = GetKeptContent();
    else if (!param)
    {
        auto it = m_mapInstanceAttribs.find(key);
        if (it == m_mapInstanceAttribs.end())
            return TURB_E_NOT_FOUND;
        value = it->second;
    }
    else if (key == "ParamName")
        value = param->GetName();
    else if (key == ACTUAL_FULL_PATH)
    {
        if (!param->Find("Table"))
            return TURB_E_NOT_FOUND;
        value = ResolveDataFile(*param, GetLocalDataDir(param));
    }
    else
    {
        const std::string* stored = param->Find(key);
        if (!stored)
            return TURB_E_NOT_FOUND;
        value = *stored;
    }
    return TURB_OK;
}

int CTurbine::SetAttrib(CParam* param, const std::string& key, std::string value)
{
    if (key.empty())
        return TURB_E_ARGUMENT;
    if (IsDerived(key))
        return TURB_E_READ_ONLY;
    if (!param)
    {
        m_mapInstanceAttribs[key] = std::move(value);
        return TURB_OK;
    }
    // A name changes only through a new parameter, so the name index stays true.
    if (key == "ParamName")
        return value == param->GetName() ? TURB_OK : TURB_E_READ_ONLY;
    param->Set(key, std::move(value));
    return TURB_OK;
}

std::string CTurbine::GetInstanceAttrib(const std::string& key) const
{
    auto it = m_mapInstanceAttribs.find(key);
    return it == m_mapInstanceAttribs.end() ? std::string() : it->second;
}

std::string CTurbine::ResolveDataFile(const CParam& param, const std::string& localDir) const
{
    const std::string* table = param.Find("Table");
    if (!table || table->empty())
        return std::string();
    std::string file = ketrin::PathWithSlashes(*table);
    if (os_path_is_absolute(file.c_str()))
        return file;
    const std::string* stored = param.Find("TableLocation");
    std::string location = stored ? *stored : std::string();
    std::string dir;
    if (location.empty() || strcasecmp(location.c_str(), "Local") == 0)
        dir = localDir;
    else if (strcasecmp(location.c_str(), "Global") == 0)
        dir = m_types.GetDirectory();
    else
        dir = ketrin::PathWithSlashes(location);
    return ketrin::PathJoin(dir, file);
}

std::string CTurbine::GetLocalDataDir(const CParam* param) const
{
    const std::string& file = param && !param->GetFilePath().empty() ? param->GetFilePath() : m_strFilePath;
    return ketrin::PathDir(file);
}

std::string CTurbine::GetKeptContent() const
{
    std::string out;
    m_params.Walk(
        [&out](const CParam& param)
        {
            for (const CParam::SEntry& entry : param.GetEntries())
                if (entry.bKeptLine)
                    AppendUnderstoodNot(entry.strValue, out);
        },
        [&out](const std::string& block) { AppendUnderstoodNot(block, out); });
    return out;
}

bool CTurbine::IsDerived(const std::string& key)
{
    return key == LOCAL_DATA_DIR || key == GLOBAL_DATA_DIR || key == ACTUAL_FULL_PATH || key == KEPT_CONTENT;
}
