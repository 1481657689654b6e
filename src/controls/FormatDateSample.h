#pragma once

// The current date and time in a strftime-style format, for the Date/Time
// tab's sample and the manager's sample export. ".000" in the format stands
// for the current milliseconds.

#include "TarvoExport.h"

#include <string>

// Leaves the formatted time, or "Invalid time format", in strOutput; TRUE
// only for a formatted time.
TARVO_API int FormatDateSample(const std::string& strFormat, std::string& strOutput);
// The output alone.
TARVO_API std::string FormatDateSample(const std::string& strFormat);
