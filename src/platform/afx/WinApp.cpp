#include "WinApp.h"

#include "Resource.h"
#include "SettingsFile.h"

#include <QCoreApplication>
#include <QSettings>
#include <memory>

namespace
{
CWinApp*& CurrentApp()
{
    static CWinApp* s_pApp = nullptr;
    return s_pApp;
}

QString Key(LPCSTR lpszSection, LPCSTR lpszEntry)
{
    return QString::fromUtf8(lpszSection) + '/' + QString::fromUtf8(lpszEntry);
}

// Without a registry key the profile lives under the organisation the host
// named for Qt, beside the host's own settings, never under a made-up one.
std::unique_ptr<QSettings> OpenProfile(const std::string& strOrganisation, const std::string& strApplication)
{
    QString organisation =
        strOrganisation.empty() ? QCoreApplication::organizationName() : QString::fromStdString(strOrganisation);
    return std::make_unique<QSettings>(organisation, QString::fromStdString(strApplication));
}

// A hand-edited value with commas reads back as a list: join it again.
std::string ToText(const QVariant& value)
{
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}
} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_strAppName(lpszAppName ? lpszAppName : QCoreApplication::applicationName().toStdString()),
      m_strProfileName(m_strAppName)
{
    m_pszAppName = m_strAppName.c_str();
    m_pszProfileName = m_strProfileName.c_str();
    m_pPrevApp = CurrentApp();
    CurrentApp() = this;
}

CWinApp::~CWinApp()
{
    if (CurrentApp() == this)
        CurrentApp() = m_pPrevApp;
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_pszRegistryKey = m_strRegistryKey.c_str();
    m_strProfileName = m_strAppName;
    m_pszProfileName = m_strProfileName.c_str();
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    SetRegistryKey(AfxLoadString(nIDRegistryKey).c_str());
}

std::string CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    std::string strDefault = lpszDefault ? lpszDefault : "";
    if (!lpszSection || !lpszEntry)
        return strDefault;
    auto pSettings = OpenProfile(m_strRegistryKey, m_strProfileName);
    QVariant value = pSettings->value(Key(lpszSection, lpszEntry));
    return value.isValid() ? ToText(value) : strDefault;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!lpszSection || !lpszEntry)
        return static_cast<UINT>(nDefault);
    auto pSettings = OpenProfile(m_strRegistryKey, m_strProfileName);
    bool bOk = false;
    int nValue = pSettings->value(Key(lpszSection, lpszEntry)).toInt(&bOk);
    return static_cast<UINT>(bOk ? nValue : nDefault);
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!lpszSection)
        return FALSE;
    return AfxWriteSettings(OpenProfile(m_strRegistryKey, m_strProfileName)->fileName(),
                            [&](QSettings& settings)
                            {
                                if (!lpszEntry)
                                    settings.remove(QString::fromUtf8(lpszSection));
                                else if (!lpszValue)
                                    settings.remove(Key(lpszSection, lpszEntry));
                                else
                                    settings.setValue(Key(lpszSection, lpszEntry), QString::fromUtf8(lpszValue));
                            });
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (!lpszSection || !lpszEntry)
        return FALSE;
    return AfxWriteSettings(OpenProfile(m_strRegistryKey, m_strProfileName)->fileName(),
                            [&](QSettings& settings) { settings.setValue(Key(lpszSection, lpszEntry), nValue); });
}

BOOL CWinApp::WriteProfileEntries(LPCSTR lpszSection, const AFX_PROFILE_ENTRIES& entries)
{
    if (!lpszSection)
        return FALSE;
    return AfxWriteSettings(OpenProfile(m_strRegistryKey, m_strProfileName)->fileName(),
                            [&](QSettings& settings)
                            {
                                for (const auto& entry : entries)
                                    settings.setValue(Key(lpszSection, entry.first.c_str()),
                                                      QString::fromStdString(entry.second));
                            });
}

CWinApp* AfxGetApp()
{
    return CurrentApp();
}

std::string AfxGetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->GetProfileString(lpszSection, lpszEntry, lpszDefault);
    return lpszDefault ? lpszDefault : "";
}

UINT AfxGetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->GetProfileInt(lpszSection, lpszEntry, nDefault);
    return static_cast<UINT>(nDefault);
}

BOOL AfxWriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->WriteProfileString(lpszSection, lpszEntry, lpszValue);
    return FALSE;
}

BOOL AfxWriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->WriteProfileInt(lpszSection, lpszEntry, nValue);
    return FALSE;
}

BOOL AfxWriteProfileEntries(LPCSTR lpszSection, const AFX_PROFILE_ENTRIES& entries)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->WriteProfileEntries(lpszSection, entries);
    return FALSE;
}
