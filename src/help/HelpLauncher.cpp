#include "help/HelpLauncher.h"

#include "afx/DebugOutput.h"
#include "afx/Module.h"
#include "afx/Process.h"
#include "afx/Wnd.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QWidget>

namespace
{
const unsigned long kAllTopics = 4294967295UL;
const char* const kHelpProgram = "CorvaneHelp";

typedef int (*QZHTMLHELP2)(HWND hOwner, const char* pszTopic, int nReserved);

std::string RunningExecutable()
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

// Cuts at the last separator; nothing when there is none.
std::optional<std::string> ParentOf(const std::string& strPath)
{
    size_t cut = strPath.find_last_of('/');
    if (cut == std::string::npos)
        return std::nullopt;
    return strPath.substr(0, cut);
}

// The program of the desktop file that handles HTML, quoted as a registered
// command line would quote it.
std::optional<std::string> DesktopHtmlViewerCommand()
{
    QProcess query;
    query.start("xdg-mime", {"query", "default", "text/html"});
    if (!query.waitForFinished(3000) || query.exitCode() != 0)
        return std::nullopt;
    QString desktopId = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    QString desktopFile = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile file(desktopFile);
    if (desktopId.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream in(&file);
    while (!in.atEnd())
    {
        QString line = in.readLine().trimmed();
        if (!line.startsWith("Exec="))
            continue;
        QString program = QStandardPaths::findExecutable(line.mid(5).section(' ', 0, 0).remove('"'));
        if (program.isEmpty())
            return std::nullopt;
        return "\"" + program.toStdString() + "\" %1";
    }
    return std::nullopt;
}

HWND ForegroundWindow()
{
    QWidget* active = QApplication::activeWindow();
    return active ? AfxHandleFromWidget(active) : nullptr;
}
} // namespace

CHelpLauncher::CHelpLauncher() : m_fnExecutablePath(RunningExecutable), m_fnHtmlViewerCommand(DesktopHtmlViewerCommand)
{
}

void CHelpLauncher::Show(HWND hOwner, unsigned long nTopic, int bSkipLibrary) const
{
    std::string strExecutable = m_fnExecutablePath();
    std::optional<std::string> strExeDir = ParentOf(strExecutable);
    if (!bSkipLibrary && ShowThroughLibrary(hOwner, nTopic, strExeDir.value_or(std::string())))
        return;
    // The root is absolute, so "file://" and its leading slash make the file URL.
    std::optional<std::string> strRoot = strExeDir ? ParentOf(*strExeDir) : std::nullopt;
    if (!strRoot)
        return;
    AFX_PROCESS_START request;
    request.strWorkingDir = *strExeDir;
    std::string strTopic = std::to_string(nTopic);
    if (nTopic >= 180000 && nTopic <= 189999)
    {
        request.strProgram = HtmlViewer();
        request.strCommandLine = " \"file://" + *strRoot + "/help/Tandry/Default_CSH.htm#" + strTopic + "\"";
    }
    else if (nTopic == kAllTopics)
    {
        request.strProgram = HtmlViewer();
        request.strCommandLine = " \"file://" + *strRoot + "/help/Tandry/Default.htm\"";
    }
    else
    {
        request.strProgram = *strExeDir + "/" + kHelpProgram;
        request.strCommandLine = std::string(kHelpProgram) + " \"file://" + *strRoot +
                                 "/help/WebHelp/Old_CSH_Invoker.htm" + (nTopic ? "?topicId=" + strTopic : "") + "\"";
    }
    OutputDebugStringA(request.strCommandLine.c_str());
    OutputDebugStringA(("working dir : " + request.strWorkingDir).c_str());
    if (request.strProgram.empty() || !AfxStartProcess(request))
        OutputDebugStringA("command failed");
}

bool CHelpLauncher::ShowThroughLibrary(HWND hOwner, unsigned long nTopic, const std::string& strExeDir) const
{
    // Looked for beside the executable first, then where libraries are found;
    // a loaded help library stays loaded.
    HMODULE hLibrary = strExeDir.empty() ? nullptr : LoadLibraryA((strExeDir + "/" + m_strHelpLibrary).c_str());
    if (!hLibrary)
        hLibrary = LoadLibraryA(m_strHelpLibrary.c_str());
    auto pfnHelp = hLibrary ? reinterpret_cast<QZHTMLHELP2>(GetProcAddress(hLibrary, "QzHtmlHelp2")) : nullptr;
    if (!pfnHelp)
        return false;
    std::string strTopic = std::to_string(nTopic);
    return pfnHelp(hOwner ? hOwner : ForegroundWindow(), strTopic.c_str(), 0) != 0;
}

std::string CHelpLauncher::HtmlViewer() const
{
    std::optional<std::string> command = m_fnHtmlViewerCommand();
    if (!command)
    {
        OutputDebugStringA("NO IE path at registry !!!");
        return std::string();
    }
    size_t first = command->find('"');
    size_t last = command->rfind('"');
    if (first == std::string::npos || last == first)
        return std::string();
    return command->substr(first + 1, last - first - 1);
}

void ShowContextHelp(HWND hOwner, unsigned long nTopic, int bSkipLibrary)
{
    CHelpLauncher().Show(hOwner, nTopic, bSkipLibrary);
}
