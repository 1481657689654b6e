// The format check and both sample formatters on any format and sample: the
// input is the format, a NUL, then the sample. A format the check rejects
// never formats, and the engine's reader never accepts a format the check
// rejects.
#include "FuzzFile.h"
#include "controls/FormatSample.h"
#include "turb/PrintfFormat.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::string strInput(reinterpret_cast<const char*>(pData), nSize);
    size_t nCut = strInput.find('\0');
    std::string strFormat = strInput.substr(0, nCut);
    std::string strSample = nCut == std::string::npos ? std::string("12345") : strInput.substr(nCut + 1);

    int nConversion = -2;
    bool bWellFormed = ScanFormat(strFormat, nConversion);
    FUZZ_CHECK(nConversion >= -1 && nConversion < static_cast<int>(strFormat.size()) + 1);
    std::string strOutput;
    for (bool bWide : {false, true})
    {
        int bFormatted = FormatIntSample(strFormat, strSample, strOutput, bWide);
        FUZZ_CHECK(!bFormatted || bWellFormed);
        FormatIntSample(strFormat, strSample, bWide);
    }
    FUZZ_CHECK(!FormatTextSample(strFormat, strSample, strOutput) || bWellFormed);
    FormatTextSample(strFormat, strSample);

    CPrintfFormat format;
    if (format.Parse(strFormat, CPrintfFormat::KIND_INT))
    {
        long long llValue = 0;
        std::memcpy(&llValue, strSample.data(), std::min(strSample.size(), sizeof llValue));
        format.Format(llValue, false);
        format.Format(llValue, true);
    }
    if (format.Parse(strFormat, CPrintfFormat::KIND_TEXT))
        format.Format(strSample);
    return 0;
}
