#pragma once

// The check of a printf-style format and the sample it gives, shared by the
// format tabs, the number tabs and the manager's sample export. A format
// holds at most one conversion ("%%" is a percent sign); between "%" and the
// conversion letter only digits, ".", "-" and "#" may stand. The format is
// read by the engine's own reader (turb/PrintfFormat.h), so a sample shows
// what a Vuser gets.

#include "TarvoExport.h"

#include <string>

// Whether the format is well formed; nConversion is the position of its
// conversion letter, or -1 when it has none.
TARVO_API bool ScanFormat(const std::string& strFormat, int& nConversion);

// Formats the sample text as a number (64-bit with bWide) with an integer
// format: d, i, u, x, X, hd, hu, ld, li, lu, lx or lX. Leaves the formatted
// text, or message 10239 (empty format) or 10267 (rejected format), in
// strOutput; TRUE only for a formatted text.
TARVO_API int FormatIntSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput,
                              bool bWide);
// The same with a string format: s, hs or ls.
TARVO_API int FormatTextSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput);

// The formatted text alone, for the manager's sample export: empty for an
// empty or rejected format, whose message is no sample value.
TARVO_API std::string FormatIntSample(const std::string& strFormat, const std::string& strSample, bool bWide);
TARVO_API std::string FormatTextSample(const std::string& strFormat, const std::string& strSample);
