#include "SettingsFile.h"

#include "DebugOutput.h"

#include "ketrin/Ketrin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

namespace
{
BOOL Failed(const QString& strFile, const char* pszReason)
{
    OutputDebugStringA(("Settings not saved: " + strFile.toStdString() + ": " + pszReason).c_str());
    return FALSE;
}
} // namespace

BOOL AfxWriteSettings(const QString& strFile, const std::function<void(QSettings&)>& fnChange)
{
    QTemporaryDir work;
    QString strCopy = work.filePath("settings.conf");
    if (!work.isValid() || (QFile::exists(strFile) && !QFile::copy(strFile, strCopy)))
        return Failed(strFile, "cannot make a working copy");
    {
        QSettings settings(strCopy, QSettings::IniFormat);
        fnChange(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return Failed(strFile, "cannot compose the new content");
    }
    QDir().mkpath(QFileInfo(strFile).absolutePath());
    // A change that removed the last entry leaves no copy: the file is emptied.
    int nOk = QFile::exists(strCopy)
                  ? os_copy_file(QFile::encodeName(strCopy).constData(), QFile::encodeName(strFile).constData(), 1)
                  : os_write_file_atomic(QFile::encodeName(strFile).constData(), "", 0);
    return nOk ? TRUE : Failed(strFile, std::strerror(errno));
}

BOOL AfxWriteHostSettings(const std::function<void(QSettings&)>& fnChange)
{
    return AfxWriteSettings(QSettings().fileName(), fnChange);
}
