// An "OriginalValue" between its storage and display forms, on any text and
// with the double-byte walk both off and on (under a UTF-8 locale, where it
// must change nothing). Storage to display to storage changes backslashes
// only; it keeps a value exactly unless the display cannot tell it from
// another one ("\\" and "\"" show as themselves but store as one byte; a
// leading single quote keeps the backslash it gains); after the first trip no
// trip lengthens the value, and trips settle.
#include "FuzzFile.h"
#include "manager/ValueSyntax.h"

#include <clocale>

namespace
{
std::string WithoutBackslashes(const std::string& strText)
{
    std::string strOut;
    for (char ch : strText)
        if (ch != '\\')
            strOut += ch;
    return strOut;
}

bool DisplayTellsApart(const std::string& strStored)
{
    return strStored.find("\\\\") == std::string::npos && strStored.find("\\\"") == std::string::npos &&
           (strStored.empty() || strStored[0] != '\'');
}

std::string RoundTrip(const std::string& strStored, bool bDoubleByte)
{
    std::string strShown = ConvertValueSyntax(strStored.c_str(), true, bDoubleByte);
    return ConvertValueSyntax(strShown.c_str(), false, bDoubleByte);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::setlocale(LC_CTYPE, "C.UTF-8");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::string strText(reinterpret_cast<const char*>(pData), nSize);
    strText = strText.substr(0, strText.find('\0'));
    for (bool bDoubleByte : {false, true})
    {
        std::string strShown = ConvertValueSyntax(strText.c_str(), true, bDoubleByte);
        std::string strStored = ConvertValueSyntax(strText.c_str(), false, bDoubleByte);
        FUZZ_CHECK(strShown == ConvertValueSyntax(strText.c_str(), true, !bDoubleByte));
        FUZZ_CHECK(strStored == ConvertValueSyntax(strText.c_str(), false, !bDoubleByte));
        FUZZ_CHECK(WithoutBackslashes(ConvertValueSyntax(strStored.c_str(), true, bDoubleByte)) ==
                   WithoutBackslashes(strText));

        std::string strTrip = RoundTrip(strText, bDoubleByte);
        FUZZ_CHECK(WithoutBackslashes(strTrip) == WithoutBackslashes(strText));
        FUZZ_CHECK((strTrip == strText) == DisplayTellsApart(strText));
        FUZZ_CHECK(strTrip.size() <= strText.size() + 1);
        for (std::string strNext = RoundTrip(strTrip, bDoubleByte); strNext != strTrip;
             strNext = RoundTrip(strTrip, bDoubleByte))
        {
            FUZZ_CHECK(strNext.size() < strTrip.size());
            strTrip = strNext;
        }
    }
    return 0;
}
