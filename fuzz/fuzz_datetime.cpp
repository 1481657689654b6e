// The date format component on any format, any broken-down time and any
// buffer size: it must stay inside the buffer and terminate what it fills.
#include "FuzzFile.h"
#include "turb/DateTimeFormatter.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    struct tm time = {};
    const size_t nHead = 9 * sizeof(int) + 1;
    if (nSize < nHead)
        return 0;
    int arrFields[9];
    std::memcpy(arrFields, pData, sizeof arrFields);
    // Mostly sane times, sometimes any ints at all.
    bool bWild = pData[nHead - 1] & 0x80;
    const int arrRange[9] = {61, 60, 24, 31, 12, 400, 7, 366, 2};
    int* arrTime[9] = {&time.tm_sec,  &time.tm_min,  &time.tm_hour, &time.tm_mday, &time.tm_mon,
                       &time.tm_year, &time.tm_wday, &time.tm_yday, &time.tm_isdst};
    for (int n = 0; n < 9; ++n)
        *arrTime[n] = bWild ? arrFields[n] : static_cast<int>(static_cast<unsigned>(arrFields[n]) % arrRange[n]);
    size_t nBuffer = pData[nHead - 1] & 0x7f;
    std::string strFormat(reinterpret_cast<const char*>(pData + nHead), nSize - nHead);
    strFormat = strFormat.substr(0, strFormat.find('\0'));

    std::vector<char> buffer(nBuffer + 1, '\x7f');
    int bDone = CDateTimeFormatter().Format(buffer.data(), nBuffer, strFormat.c_str(), time);
    FUZZ_CHECK(buffer[nBuffer] == '\x7f');
    if (bDone)
        FUZZ_CHECK(std::memchr(buffer.data(), '\0', nBuffer) != nullptr);
    return 0;
}
