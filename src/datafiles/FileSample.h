#pragma once

#include "TarvoExport.h"

#include <string>

// The sample a File parameter shows in the parameter lists: the first three
// values of its column, joined by the delimiter; empty when the file cannot
// be read. strStartRow is the first data line as the parameter holds it.
TARVO_API std::string BuildFileSample(const std::string& strPath, const std::string& strDelimiter,
                                      const std::string& strStartRow, const std::string& strColumn);
