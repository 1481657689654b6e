#include "PrivateProfile.h"

#include "DebugOutput.h"
#include "ProfileText.h"
#include "ketrin/Ketrin.h"

// Header-only use: the template bodies come with the header, no library to link.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
// What tells a changed file apart: an atomic replace gives a new inode, an
// edit in place a new size or new change times (with nanoseconds).
struct FILE_STAMP
{
    bool bExists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    timespec ctime{};

    bool operator==(const FILE_STAMP& o) const
    {
        return bExists == o.bExists && dev == o.dev && ino == o.ino && size == o.size &&
               mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
               ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

struct PROFILE_FILE
{
    FILE_STAMP stamp;
    bool bReadable = true; // false: the file exists but its bytes could not be read
    std::string strText;
    std::unique_ptr<CSimpleIniA> pIni;
};

std::mutex& CacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, PROFILE_FILE>& Cache()
{
    static std::map<std::string, PROFILE_FILE> cache;
    return cache;
}

FILE_STAMP StampOf(const std::string& path)
{
    FILE_STAMP stamp;
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return stamp;
    stamp.bExists = true;
    stamp.dev = st.st_dev;
    stamp.ino = st.st_ino;
    stamp.size = st.st_size;
    stamp.mtime = st.st_mtim;
    stamp.ctime = st.st_ctim;
    return stamp;
}

bool ReadAll(const std::string& path, std::string& bytes)
{
    int fd = os_open_regular_file(path.c_str());
    if (fd < 0)
        return false;
    char chunk[65536];
    ssize_t n;
    while ((n = read(fd, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<size_t>(n));
    close(fd);
    return n == 0;
}

// The parsed file, from the cache while its stamp still matches. The caller
// holds the cache lock.
const PROFILE_FILE& Load(const std::string& path)
{
    FILE_STAMP stamp = StampOf(path);
    auto it = Cache().find(path);
    if (it != Cache().end() && it->second.stamp == stamp)
        return it->second;
    PROFILE_FILE& file = Cache()[path];
    file.stamp = stamp;
    file.strText.clear();
    file.bReadable = !stamp.bExists || ReadAll(path, file.strText);
    if (!file.bReadable)
        file.strText.clear();
    // CSimpleIniA ignores case. Multi-key mode keeps every duplicate, so the
    // first one can win as in Win32.
    file.pIni = std::make_unique<CSimpleIniA>(true, true, false);
    file.pIni->LoadData(file.strText.data(), file.strText.size());
    return file;
}

std::vector<std::string> NamesInFileOrder(CSimpleIniA::TNamesDepend entries)
{
    entries.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.emplace_back(entry.pItem);
    return names;
}

std::vector<std::string> SectionNames(const CSimpleIniA& ini)
{
    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    std::vector<std::string> names = NamesInFileOrder(sections);
    // Lines above the first header belong to no section.
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
    return names;
}

std::vector<std::string> KeyNames(const CSimpleIniA& ini, LPCSTR lpAppName)
{
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(lpAppName, keys);
    return NamesInFileOrder(keys);
}

std::vector<std::string> SectionEntries(const CSimpleIniA& ini, LPCSTR lpAppName)
{
    std::vector<std::pair<int, std::string>> entries;
    if (const CSimpleIniA::TKeyVal* section = ini.GetSection(lpAppName))
        for (const auto& kv : *section)
            entries.emplace_back(kv.first.nOrder, std::string(kv.first.pItem) + "=" + kv.second);
    std::sort(entries.begin(), entries.end());
    std::vector<std::string> lines;
    for (auto& entry : entries)
        lines.push_back(std::move(entry.second));
    return lines;
}

const char* FindValue(const CSimpleIniA& ini, LPCSTR lpAppName, LPCSTR lpKeyName)
{
    CSimpleIniA::TNamesDepend values;
    if (!ini.GetAllValues(lpAppName, lpKeyName, values))
        return nullptr;
    values.sort(CSimpleIniA::Entry::LoadOrder());
    return values.front().pItem;
}

std::string StripQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

std::string TrimRight(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : TrimRight(text.substr(first));
}

// nSize >= 1: at most nSize - 1 characters and a NUL.
DWORD CopyString(const std::string& text, LPSTR buffer, DWORD nSize)
{
    size_t n = std::min<size_t>(text.size(), nSize - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// nSize >= 1: NUL-terminated names and a final NUL. The name that does not fit
// is cut and followed by two NULs, and the result is nSize - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD nSize)
{
    if (nSize == 1)
    {
        buffer[0] = '\0';
        return 0;
    }
    size_t nUsed = 0;
    size_t nFree = nSize - 1; // the final NUL is always reserved
    for (const std::string& name : names)
    {
        if (name.size() + 1 > nFree)
        {
            if (nFree > 0)
            {
                std::memcpy(buffer + nUsed, name.data(), nFree - 1);
                nUsed += nFree - 1;
                buffer[nUsed++] = '\0';
            }
            buffer[nUsed] = '\0';
            return nSize - 2;
        }
        std::memcpy(buffer + nUsed, name.c_str(), name.size() + 1);
        nUsed += name.size() + 1;
        nFree -= name.size() + 1;
    }
    buffer[nUsed] = '\0';
    if (nUsed == 0)
        buffer[1] = '\0'; // an empty list is still double-NUL terminated
    return static_cast<DWORD>(nUsed);
}

UINT ParseProfileInt(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool bNegative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    UINT nBase = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    {
        nBase = 16;
        text += 2;
    }
    UINT nValue = 0;
    for (;; ++text)
    {
        char c = *text;
        UINT nDigit;
        if (c >= '0' && c <= '9')
            nDigit = static_cast<UINT>(c - '0');
        else if (nBase == 16 && c >= 'a' && c <= 'f')
            nDigit = static_cast<UINT>(c - 'a' + 10);
        else if (nBase == 16 && c >= 'A' && c <= 'F')
            nDigit = static_cast<UINT>(c - 'A' + 10);
        else
            break;
        nValue = nValue * nBase + nDigit;
    }
    return bNegative ? 0U - nValue : nValue;
}

bool HasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

// Why a write would corrupt the file's structure; empty when it would not.
std::string CheckWrite(const std::string& section, LPCSTR lpKeyName, LPCSTR lpString)
{
    if (section.empty() || HasLineBreak(section) || section.find(']') != std::string::npos)
        return "unusable section name \"" + section + "\"";
    if (lpKeyName)
    {
        std::string key = Trim(lpKeyName);
        if (key.empty() || HasLineBreak(key) || key.find('=') != std::string::npos || key[0] == '[' || key[0] == ';' ||
            key[0] == '#')
            return "unusable key name \"" + key + "\"";
    }
    if (lpString && HasLineBreak(lpString))
        return "a value cannot hold a line break";
    return std::string();
}

// Replaced whole or not at all; empty on success, else why not.
std::string ReplaceFile(const std::string& path, const std::string& bytes)
{
    if (os_write_file_atomic(path.c_str(), bytes.data(), bytes.size()))
        return std::string();
    return std::strerror(errno);
}

// What the reader would answer for the key of a text, or null when missing.
std::optional<std::string> ReadBack(const std::string& text, const std::string& section, const std::string& key)
{
    CSimpleIniA ini(true, true, false);
    ini.LoadData(text.data(), text.size());
    const char* value = FindValue(ini, section.c_str(), key.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// Whether the reader sees the change in the updated text as it would in a
// file of that key alone: lines the reader joins (a bracket left open, a
// lone CR) could hide it.
bool ChangeReadsBack(const std::string& updated, const std::string& section, LPCSTR lpKeyName, LPCSTR lpString)
{
    if (!lpKeyName)
    {
        CSimpleIniA ini(true, true, false);
        ini.LoadData(updated.data(), updated.size());
        return KeyNames(ini, section.c_str()).empty();
    }
    std::string key = Trim(lpKeyName);
    if (!lpString)
        return !ReadBack(updated, section, key);
    CProfileText alone("");
    alone.SetValue(section, key, lpString);
    return ReadBack(updated, section, key) == ReadBack(alone.GetText(), section, key);
}

BOOL RefuseWrite(LPCSTR lpFileName, const std::string& reason)
{
    OutputDebugStringA(("WritePrivateProfileStringA: " + std::string(lpFileName) + ": " + reason).c_str());
    return FALSE;
}
} // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0)
        return 0;
    std::lock_guard<std::mutex> lock(CacheMutex());
    const CSimpleIniA& ini = *Load(lpFileName ? lpFileName : "").pIni;
    if (!lpAppName)
        return CopyList(SectionNames(ini), lpReturnedString, nSize);
    std::string section = Trim(lpAppName);
    if (!lpKeyName)
    {
        std::vector<std::string> keys = KeyNames(ini, section.c_str());
        if (!keys.empty())
            return CopyList(keys, lpReturnedString, nSize);
    }
    else if (const char* value = FindValue(ini, section.c_str(), Trim(lpKeyName).c_str()))
        return CopyString(StripQuotes(value), lpReturnedString, nSize);
    return CopyString(StripQuotes(TrimRight(lpDefault ? lpDefault : "")), lpReturnedString, nSize);
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, int nDefault, LPCSTR lpFileName)
{
    if (!lpAppName || !lpKeyName)
        return static_cast<UINT>(nDefault);
    char buffer[64];
    if (GetPrivateProfileStringA(lpAppName, lpKeyName, "", buffer, sizeof buffer, lpFileName) == 0)
        return static_cast<UINT>(nDefault);
    return ParseProfileInt(buffer);
}

DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0)
        return 0;
    std::lock_guard<std::mutex> lock(CacheMutex());
    const CSimpleIniA& ini = *Load(lpFileName ? lpFileName : "").pIni;
    std::vector<std::string> entries;
    if (lpAppName)
        entries = SectionEntries(ini, Trim(lpAppName).c_str());
    return CopyList(entries, lpReturnedString, nSize);
}

DWORD GetPrivateProfileSectionNamesA(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName)
{
    return GetPrivateProfileStringA(nullptr, nullptr, nullptr, lpszReturnBuffer, nSize, lpFileName);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName)
{
    if (!lpAppName || !lpFileName || !*lpFileName)
        return FALSE;
    std::string section = Trim(lpAppName);
    std::string problem = CheckWrite(section, lpKeyName, lpString);
    if (!problem.empty())
        return RefuseWrite(lpFileName, problem);

    std::lock_guard<std::mutex> lock(CacheMutex());
    const PROFILE_FILE& current = Load(lpFileName);
    // Never replace what could not be read: its content would be lost.
    if (!current.bReadable)
        return RefuseWrite(lpFileName, "the file cannot be read");
    // The reader stops at a NUL byte: a write after one could never be read back.
    if (current.strText.find('\0') != std::string::npos)
        return RefuseWrite(lpFileName, "the file holds a NUL byte");
    CProfileText text(current.strText);
    if (!lpKeyName)
        text.DeleteSection(section);
    else if (!lpString)
        text.DeleteKey(section, Trim(lpKeyName));
    else
        text.SetValue(section, Trim(lpKeyName), lpString);
    std::string updated = text.GetText();
    if (updated == current.strText)
        return TRUE;
    if (!ChangeReadsBack(updated, section, lpKeyName, lpString))
        return RefuseWrite(lpFileName, "the file's layout would hide the change");
    std::string error = ReplaceFile(lpFileName, updated);
    Cache().erase(lpFileName);
    return error.empty() ? TRUE : RefuseWrite(lpFileName, error);
}
