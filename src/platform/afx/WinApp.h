#pragma once

// The application object and its profile. The profile is kept in QSettings:
// the registry key is the organisation, the profile name the application, and
// each profile section a settings group. Every write replaces the file
// atomically (see SettingsFile.h).

#include "AfxTypes.h"

#include <string>
#include <utility>
#include <vector>

class CWnd;

// Entries of one profile section and their texts.
typedef std::vector<std::pair<std::string, std::string>> AFX_PROFILE_ENTRIES;

class CWinApp
{
public:
    // Becomes the application object that AfxGetApp() returns; a null name
    // takes Qt's application name.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Moves the profile under the key (the organisation); the profile is then
    // named after the application.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    // The entry's text, or the default (null means "") when it is missing.
    std::string GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // The entry as a number, or the default when it is missing or no number.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    // A null value deletes the entry, a null entry the whole section.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    // Sets every entry in one replacement of the profile, where one write per
    // entry would rewrite the whole file each time.
    BOOL WriteProfileEntries(LPCSTR lpszSection, const AFX_PROFILE_ENTRIES& entries);

    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr; // null until SetRegistryKey
    LPCSTR m_pszProfileName = nullptr;
    CWnd* m_pMainWnd = nullptr;

private:
    std::string m_strAppName;
    std::string m_strRegistryKey;
    std::string m_strProfileName;
    CWinApp* m_pPrevApp = nullptr;
};

// The application object, or null in a host that has none.
CWinApp* AfxGetApp();

// Profile access for library code that may run without an application
// object: then reads give the default and writes do nothing and return FALSE.
std::string AfxGetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
UINT AfxGetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
BOOL AfxWriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
BOOL AfxWriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
BOOL AfxWriteProfileEntries(LPCSTR lpszSection, const AFX_PROFILE_ENTRIES& entries);
