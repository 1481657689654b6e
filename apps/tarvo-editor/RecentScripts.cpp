#include "RecentScripts.h"

#include "afx/SettingsFile.h"

#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace
{
const char* const kRecentKey = "Recent/Scripts";
}

std::vector<std::string> CRecentScripts::Get() const
{
    std::vector<std::string> arrPaths;
    for (const QString& path : QSettings().value(kRecentKey).toStringList())
        if (!path.isEmpty() && arrPaths.size() < kMaxCount)
            arrPaths.push_back(path.toStdString());
    return arrPaths;
}

void CRecentScripts::Add(const std::string& strPath)
{
    std::vector<std::string> arrPaths = Get();
    arrPaths.erase(std::remove(arrPaths.begin(), arrPaths.end(), strPath), arrPaths.end());
    arrPaths.insert(arrPaths.begin(), strPath);
    if (arrPaths.size() > kMaxCount)
        arrPaths.resize(kMaxCount);
    Put(arrPaths);
}

void CRecentScripts::Remove(const std::string& strPath)
{
    std::vector<std::string> arrPaths = Get();
    arrPaths.erase(std::remove(arrPaths.begin(), arrPaths.end(), strPath), arrPaths.end());
    Put(arrPaths);
}

void CRecentScripts::Clear()
{
    Put({});
}

void CRecentScripts::Put(const std::vector<std::string>& arrPaths)
{
    QStringList list;
    for (const std::string& path : arrPaths)
        list << QString::fromStdString(path);
    AfxWriteHostSettings([&](QSettings& settings) { settings.setValue(kRecentKey, list); });
}
