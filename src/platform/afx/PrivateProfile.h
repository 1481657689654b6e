#pragma once

// Private-profile (ini) files with the Win32 rules: section and key names
// ignore case, values lose their surrounding blanks and one pair of surrounding
// quotes, results are cut to the caller's buffer, a missing file gives the
// defaults. Each file is parsed once and again only after it changed on disk;
// every write replaces the file atomically and keeps all its other lines.

#include "AfxTypes.h"

// Copies the value, or else the default (null means ""; trailing blanks
// dropped), and returns the number of characters copied; a value too long for
// the buffer is cut to nSize - 1 characters. A null section lists the section
// names, a null key the keys of the section (the default when there are none):
// each name ends with a NUL and the list with a second NUL; a list that does not
// fit ends with a cut name and two NULs and returns nSize - 2.
DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName);

// The value's leading decimal (or 0x hexadecimal) number; the default when the
// key is missing or empty.
UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, int nDefault, LPCSTR lpFileName);

// The "key=value" entries of a section, listed like the names above.
DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);

DWORD GetPrivateProfileSectionNamesA(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName);

// Sets a value, creating the section or the file when needed; a null value
// deletes the key and a null key the whole section. Returns FALSE, leaving the
// file as it was and telling the debug output why, when the file cannot be read
// or replaced or when a name or value would not survive as one line.
BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);
