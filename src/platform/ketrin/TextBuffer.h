#pragma once

// Internal: hands a result text out through a caller's buffer.

#include <cstring>
#include <string>

namespace ketrin
{
// Length of the longest prefix of text that fits limit bytes without cutting
// a UTF-8 character in two.
inline size_t Utf8Prefix(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

// Copies what fits (NUL-terminated) and returns the length the whole text needs.
inline int FillBuffer(const std::string& text, char* out, int outSize)
{
    if (out && outSize > 0)
    {
        size_t n = Utf8Prefix(text, static_cast<size_t>(outSize) - 1);
        std::memcpy(out, text.data(), n);
        out[n] = '\0';
    }
    return static_cast<int>(text.size());
}
} // namespace ketrin
