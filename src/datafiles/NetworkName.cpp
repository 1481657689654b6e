#include "datafiles/NetworkName.h"

#include "afx/PrivateProfile.h"

namespace
{
const int NAME_BUFFER = 1024;
} // namespace

bool GetNetworkName(const std::string& strDrive, const std::string& strIniPath, std::string& strName)
{
    char szName[NAME_BUFFER] = "";
    GetPrivateProfileStringA("NetworkDrives", strDrive.c_str(), "", szName, NAME_BUFFER, strIniPath.c_str());
    if (!*szName)
        return false;
    strName = szName;
    return true;
}
