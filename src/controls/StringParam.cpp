#include "controls/StringParam.h"

#include "afx/Resource.h"
#include "ketrin/Ketrin.h"

#include <cstdint>
#include <cstring>

namespace
{
const size_t kMessageLimit = 1024;

// The digits of the value in the radix; as in the C run-time, only radix 10
// shows a sign, other radixes show the 32-bit pattern.
std::string NumberText(long lValue, int nRadix)
{
    if (nRadix < 2 || nRadix > 36)
        return std::string();
    bool bNegative = nRadix == 10 && lValue < 0;
    uint64_t value = nRadix == 10 ? (bNegative ? 0 - static_cast<uint64_t>(lValue) : static_cast<uint64_t>(lValue))
                                  : static_cast<uint32_t>(lValue);
    std::string digits;
    do
    {
        digits.insert(digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[value % static_cast<uint64_t>(nRadix)]);
        value /= static_cast<uint64_t>(nRadix);
    } while (value);
    return bNegative ? "-" + digits : digits;
}
} // namespace

CStringParam::CStringParam(const char* pszText)
{
    Assign(pszText);
}

CStringParam::CStringParam(const std::string& strText)
{
    Assign(strText.c_str());
}

CStringParam::CStringParam(long lValue, int nRadix)
{
    Assign(NumberText(lValue, nRadix).c_str());
}

CStringParam::CStringParam(const CStringParam& other)
{
    Assign(other.GetText());
}

CStringParam& CStringParam::operator=(const CStringParam& other)
{
    if (this != &other)
        Assign(other.GetText());
    return *this;
}

CStringParam::~CStringParam() = default;

void CStringParam::Assign(const char* pszText)
{
    const char* text = pszText ? pszText : "";
    size_t length = std::strlen(text);
    m_pszText = std::make_unique<char[]>(length + 1);
    std::memcpy(m_pszText.get(), text, length + 1);
}

int FormatResourceString(std::string& strTarget, unsigned int nID, const CStringParam& p1, const CStringParam& p2,
                         const CStringParam& p3, const CStringParam& p4, const CStringParam& p5, const CStringParam& p6,
                         const CStringParam& p7, const CStringParam& p8, const CStringParam& p9)
{
    std::string strTemplate;
    if (!AfxLoadString(nID, strTemplate))
        return 0;
    if (strTemplate.size() > kMessageLimit)
        strTemplate.resize(kMessageLimit);
    char buffer[kMessageLimit];
    os_FormatParameterizedString(strTemplate.c_str(), buffer, static_cast<int>(kMessageLimit), p1.GetText(),
                                 p2.GetText(), p3.GetText(), p4.GetText(), p5.GetText(), p6.GetText(), p7.GetText(),
                                 p8.GetText(), p9.GetText());
    strTarget = buffer;
    return 1;
}

int FormatResourcePrintf(std::string& strTarget, unsigned int nID, const CStringParam& p1, const CStringParam& p2,
                         const CStringParam& p3, const CStringParam& p4, const CStringParam& p5, const CStringParam& p6,
                         const CStringParam& p7, const CStringParam& p8, const CStringParam& p9)
{
    std::string strTemplate;
    if (!AfxLoadString(nID, strTemplate))
        return 0;
    if (strTemplate.size() > kMessageLimit)
        strTemplate.resize(kMessageLimit);
    const CStringParam* arrParams[] = {&p1, &p2, &p3, &p4, &p5, &p6, &p7, &p8, &p9};
    size_t nNext = 0;
    std::string strText;
    for (size_t i = 0; i < strTemplate.size(); ++i)
    {
        char chNext = i + 1 < strTemplate.size() ? strTemplate[i + 1] : '\0';
        if (strTemplate[i] != '%' || chNext == '\0' || !std::strchr("sd%", chNext))
        {
            strText += strTemplate[i];
            continue;
        }
        ++i;
        if (chNext == '%')
            strText += '%';
        else if (nNext < sizeof arrParams / sizeof arrParams[0])
            strText += arrParams[nNext++]->GetText();
    }
    strTarget = strText;
    return 1;
}
