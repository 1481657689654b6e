#pragma once

#include "TarvoExport.h"

#include <string>

// The network name of a mapped drive ("K:"), for recording where a data file
// lies. Drives are not mapped here, so only the drives named in section
// "NetworkDrives" of the given ini file have one ("K:=//server/share");
// false for every other drive.
TARVO_API bool GetNetworkName(const std::string& strDrive, const std::string& strIniPath, std::string& strName);
