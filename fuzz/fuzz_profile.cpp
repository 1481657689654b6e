// The private-profile reader on any ini text: every section, key and value it
// lists is read back through the buffer-filling calls, with small buffers too.
// An edit that sets a value must read back as that value.
#include "FuzzFile.h"
#include "afx/PrivateProfile.h"

#include <vector>

namespace
{
// The NUL-separated names of a list the reader filled.
std::vector<std::string> Names(const std::vector<char>& buffer, DWORD nLength)
{
    std::vector<std::string> names;
    for (size_t n = 0; n < nLength;)
    {
        std::string strName(buffer.data() + n);
        names.push_back(strName);
        n += strName.size() + 1;
    }
    return names;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    static int s_nFile = 0;
    // A new name each time: the reader keeps what it read by name and time.
    std::string strPath = WriteFuzzFile("p" + std::to_string(++s_nFile % 1000) + ".ini",
                                        std::string(reinterpret_cast<const char*>(pData), nSize));
    std::vector<char> buffer(4096);
    DWORD nSections = GetPrivateProfileSectionNamesA(buffer.data(), 4096, strPath.c_str());
    FUZZ_CHECK(nSections < 4096);
    for (const std::string& strSection : Names(buffer, nSections))
    {
        std::vector<char> keys(4096);
        DWORD nKeys = GetPrivateProfileStringA(strSection.c_str(), nullptr, "", keys.data(), 4096, strPath.c_str());
        for (const std::string& strKey : Names(keys, nKeys))
        {
            char szSmall[3];
            DWORD nValue = GetPrivateProfileStringA(strSection.c_str(), strKey.c_str(), "", szSmall, sizeof szSmall,
                                                    strPath.c_str());
            FUZZ_CHECK(nValue < sizeof szSmall && szSmall[nValue] == '\0');
            GetPrivateProfileIntA(strSection.c_str(), strKey.c_str(), 0, strPath.c_str());
        }
        GetPrivateProfileSectionA(strSection.c_str(), buffer.data(), 16, strPath.c_str());
    }
    if (WritePrivateProfileStringA("Fuzz Section", "fuzz key", "set value", strPath.c_str()))
    {
        char szValue[32];
        GetPrivateProfileStringA("Fuzz Section", "fuzz key", "", szValue, sizeof szValue, strPath.c_str());
        FUZZ_CHECK(std::string(szValue) == "set value");
    }
    unlink(strPath.c_str());
    return 0;
}
