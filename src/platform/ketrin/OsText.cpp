#include "Ketrin.h"
#include "TextBuffer.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
bool IsAsciiLetter(unsigned char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

bool IsAsciiDigit(unsigned char ch)
{
    return ch >= '0' && ch <= '9';
}

bool StartsWithJapanese(const char* locale)
{
    return locale && std::strncmp(locale, "ja", 2) == 0;
}
} // namespace

int os_is_qz_identifier(const char* name, int length)
{
    if (!name)
        return OS_QZ_EMPTY;
    size_t n = length < 0 ? std::strlen(name) : static_cast<size_t>(length);
    if (n == 0)
        return OS_QZ_EMPTY;
    if (!IsAsciiLetter(static_cast<unsigned char>(name[0])))
        return OS_QZ_BAD_FIRST;
    for (size_t i = 1; i < n; ++i)
    {
        unsigned char ch = static_cast<unsigned char>(name[i]);
        if (!IsAsciiLetter(ch) && !IsAsciiDigit(ch) && ch != '_')
            return OS_QZ_BAD_CHAR;
    }
    return OS_QZ_IDENTIFIER;
}

int os_is_sb_alpha(int ch)
{
    return ch >= 0 && ch <= 0xFF && IsAsciiLetter(static_cast<unsigned char>(ch)) ? 1 : 0;
}

int os_get_charset_type(void)
{
    return OS_CHARSET_SINGLE_BYTE;
}

int os_get_os_lang(void)
{
    // The first variable that is set decides, as for the C library's locale.
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        const char* value = std::getenv(var);
        if (value && *value)
            return StartsWithJapanese(value) ? OS_LANG_JAPANESE : OS_LANG_WESTERN;
    }
    return OS_LANG_WESTERN;
}

int os_FormatParameterizedString(const char* tmpl, char* out, int outSize, const char* p1, const char* p2,
                                 const char* p3, const char* p4, const char* p5, const char* p6, const char* p7,
                                 const char* p8, const char* p9)
{
    const char* params[9] = {p1, p2, p3, p4, p5, p6, p7, p8, p9};
    std::string result;
    for (const char* p = tmpl ? tmpl : ""; *p; ++p)
    {
        if (*p == '%' && p[1] >= '1' && p[1] <= '9')
        {
            const char* text = params[p[1] - '1'];
            result += text ? text : "";
            ++p;
        }
        else if (*p == '%' && p[1] == '%')
        {
            result += '%';
            ++p;
        }
        else
            result += *p;
    }
    return ketrin::FillBuffer(result, out, outSize);
}
