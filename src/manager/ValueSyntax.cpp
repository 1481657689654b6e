#include "manager/ValueSyntax.h"

#include "ketrin/Ketrin.h"

#include <cstdlib>
#include <cstring>

namespace
{
// Storage form: "\\" and "\"" lose their backslash, and so does a trailing
// lone backslash; any other escape stays as it is. Answers the bytes used.
size_t StorageStep(const char* pszText, size_t nLength, size_t i, std::string& strOut)
{
    if (pszText[i] != '\\')
    {
        strOut += pszText[i];
        return 1;
    }
    if (i + 1 == nLength)
        return 1;
    char chNext = pszText[i + 1];
    if (chNext != '\\' && chNext != '"')
        strOut += '\\';
    strOut += chNext;
    return 2;
}

// Display form: a quote or a lone backslash at the very start gains a
// backslash, and so does a lone backslash at the end, which the storage form
// would otherwise drop; escapes the script knows stay whole, except that
// "\r", "\n" or "\t" before a letter is a backslash followed by a word.
size_t DisplayStep(const char* pszText, size_t nLength, size_t i, std::string& strOut)
{
    char ch = pszText[i];
    bool bFirst = i == 0;
    if (ch != '\\' && ch != '"' && ch != '\'')
    {
        strOut += ch;
        return 1;
    }
    char chNext = i + 1 < nLength ? pszText[i + 1] : '\0';
    bool bEscape = ch == '\\' && chNext && std::strchr("rnt\\\"'", chNext);
    bool bBeforeWord = bEscape && std::strchr("rnt", chNext) && i + 2 < nLength &&
                       os_is_sb_alpha(static_cast<unsigned char>(pszText[i + 2]));
    if (bEscape && !bBeforeWord)
    {
        strOut.append(pszText + i, 2);
        return 2;
    }
    if (bFirst || (ch == '\\' && !chNext))
        strOut += '\\';
    strOut += ch;
    return 1;
}
} // namespace

std::string ConvertValueSyntax(const char* pszText, bool bToDisplay, bool bDoubleByte)
{
    std::string strOut;
    if (!pszText)
        return strOut;
    size_t nLength = std::strlen(pszText);
    for (size_t i = 0; i < nLength;)
    {
        if (bDoubleByte && std::mblen(pszText + i, nLength - i) == 2)
        {
            strOut.append(pszText + i, 2);
            i += 2;
        }
        else
            i += bToDisplay ? DisplayStep(pszText, nLength, i, strOut) : StorageStep(pszText, nLength, i, strOut);
    }
    return strOut;
}
