#include "controls/FormatSample.h"

#include "afx/Resource.h"
#include "resources/StringIds.h"
#include "turb/PrintfFormat.h"

#include <cstdlib>

namespace
{
// The system's formatting writes at most this many characters.
const size_t MAX_OUTPUT = 1024;

// The engine's own reading of the format, so the sample is what a Vuser gets.
int FormatSample(const std::string& strFormat, const std::string& strSample, CPrintfFormat::EKind kind, bool bWide,
                 std::string& strOutput)
{
    if (strFormat.empty())
    {
        strOutput = AfxLoadString(IDS_EMPTY_VALUE);
        return 0;
    }
    CPrintfFormat format;
    if (!format.Parse(strFormat, kind))
    {
        strOutput = AfxLoadString(IDS_INVALID_FORMAT);
        return 0;
    }
    std::string strText = kind == CPrintfFormat::KIND_TEXT
                              ? format.Format(strSample)
                              : format.Format(std::strtoll(strSample.c_str(), nullptr, 10), bWide);
    strOutput = strText.substr(0, MAX_OUTPUT);
    return 1;
}
} // namespace

bool ScanFormat(const std::string& strFormat, int& nConversion)
{
    return CPrintfFormat::Scan(strFormat, nConversion);
}

int FormatIntSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput, bool bWide)
{
    return FormatSample(strFormat, strSample, CPrintfFormat::KIND_INT, bWide, strOutput);
}

int FormatTextSample(const std::string& strFormat, const std::string& strSample, std::string& strOutput)
{
    return FormatSample(strFormat, strSample, CPrintfFormat::KIND_TEXT, false, strOutput);
}

std::string FormatIntSample(const std::string& strFormat, const std::string& strSample, bool bWide)
{
    std::string strOutput;
    return FormatIntSample(strFormat, strSample, strOutput, bWide) ? strOutput : std::string();
}

std::string FormatTextSample(const std::string& strFormat, const std::string& strSample)
{
    std::string strOutput;
    return FormatTextSample(strFormat, strSample, strOutput) ? strOutput : std::string();
}
