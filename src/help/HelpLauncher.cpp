#include "help/HelpLauncher.h"

#include "afx/DebugOutput.h"
#include "afx/Module.h"
#include "afx/Process.h"
#include "afx/Wnd.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QWidget>

namespace
{
const unsigned long kAllTopics = 4294967295UL;
const char* const kHelpProgram = "CorvaneHelp";

typedef int (*QZHTMLHELP2)(HWND hOwner, const char* pszTopic, int nReserved);

// Browsers a Linux desktop may offer when it names no handler for HTML; each
// exists only where that browser is installed.
const char* const kFallbackViewers[] = {"x-www-browser", "firefox", "firefox-esr", "chromium", "epiphany", "konqueror"};

HELP_FAILURE_HANDLER& FailureHandler()
{
    static HELP_FAILURE_HANDLER handler;
    return handler;
}

void ReportFailure(const std::string& strReason)
{
    if (FailureHandler())
        FailureHandler()(strReason);
}

bool IsProgram(const std::string& strPath)
{
    QFileInfo info(QString::fromStdString(strPath));
    return info.isFile() && info.isExecutable();
}

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
std::optional<std::string> DesktopDefaultHtmlViewer()
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

std::optional<std::string> DesktopHtmlViewerCommand()
{
    if (std::optional<std::string> command = DesktopDefaultHtmlViewer())
        return command;
    for (const char* viewer : kFallbackViewers)
    {
        QString program = QStandardPaths::findExecutable(viewer);
        if (!program.isEmpty())
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

CHelpLauncher::CHelpLauncher()
    : m_fnExecutablePath(RunningExecutable), m_fnHtmlViewerCommand(DesktopHtmlViewerCommand),
      m_fnProgramExists(IsProgram)
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
        std::string strUrl = " \"file://" + *strRoot + "/help/WebHelp/Old_CSH_Invoker.htm" +
                             (nTopic ? "?topicId=" + strTopic : "") + "\"";
        request.strProgram = *strExeDir + "/" + kHelpProgram;
        request.strCommandLine = kHelpProgram + strUrl;
        // Without the help program the HTML viewer opens the same page.
        std::string strViewer = m_fnProgramExists(request.strProgram) ? std::string() : HtmlViewer();
        if (!strViewer.empty())
        {
            request.strProgram = strViewer;
            request.strCommandLine = strUrl;
        }
    }
    OutputDebugStringA(request.strCommandLine.c_str());
    OutputDebugStringA(("working dir : " + request.strWorkingDir).c_str());
    if (request.strProgram.empty() || !AfxStartProcess(request))
    {
        OutputDebugStringA("command failed");
        bool bNoViewer = request.strProgram.empty() || (request.strProgram == *strExeDir + "/" + kHelpProgram &&
                                                        !m_fnProgramExists(request.strProgram));
        ReportFailure(bNoViewer ? "No program to show the help was found. Install a web browser and make it the "
                                  "desktop's default for web pages."
                                : "The help viewer " + request.strProgram + " could not be started.");
    }
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

void SetHelpFailureHandler(HELP_FAILURE_HANDLER handler)
{
    FailureHandler() = std::move(handler);
}
