#pragma once

#include <string>

// A printf-style format of a value-generating type, read the one way that both
// the engine (the values Vusers get) and the editor's samples read it, so a
// sample never differs from a value. A format holds at most one conversion
// ("%%" is a percent sign); between "%" and the conversion stand only flags
// '-', '0' and '#', a width and a precision, in that order. Integer formats
// convert with d, i, u, x, X, hd, hu, ld, li, lu, lx or lX; text formats with
// s, hs or ls. Widths and precisions above kMaxField count as kMaxField.
class CPrintfFormat
{
public:
    enum EKind
    {
        KIND_INT,
        KIND_TEXT
    };

    static constexpr int kMaxField = 1024;

    // The first check: whether the "%" signs are well placed; nConversion is
    // the position of the conversion's first letter, or -1 when there is none.
    static bool Scan(const std::string& strFormat, int& nConversion);

    // Reads a non-empty format for one kind of value; false when rejected.
    bool Parse(const std::string& strFormat, EKind kind);

    // An integer as the conversion takes it: a 16-bit number with "h", a
    // 32-bit one unless bWide, so "%d" of -7 is "-7" and "%u" of -1 without
    // bWide is "4294967295".
    std::string Format(long long llValue, bool bWide) const;
    std::string Format(const std::string& strValue) const;

private:
    std::string FormatNumber(long long llValue, bool bWide) const;
    std::string Pad(std::string strText) const;

    std::string m_strBefore; // literal text, "%%" already turned into "%"
    std::string m_strAfter;
    std::string m_strFlags;
    std::string m_strType; // empty when the format has no conversion
    int m_nWidth = -1;
    int m_nPrecision = -1;
};
