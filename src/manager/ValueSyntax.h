#pragma once

#include <string>

// Converts a parameter's "OriginalValue" between its storage form (the
// replaced script text) and the form the windows show and take. With
// bDoubleByte, a byte that begins a two-byte character of the current locale
// is copied with the byte after it, untouched.
std::string ConvertValueSyntax(const char* pszText, bool bToDisplay, bool bDoubleByte);
