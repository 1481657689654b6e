#include "Process.h"

#include "DebugOutput.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <map>
#include <memory>

namespace
{
struct PROCESS_ENTRY
{
    std::unique_ptr<QProcess> pProcess; // null for a start the handler answered
};

std::map<AFX_PROCESS_HANDLE, PROCESS_ENTRY>& Processes()
{
    static std::map<AFX_PROCESS_HANDLE, PROCESS_ENTRY> processes;
    return processes;
}

AFX_PROCESS_START_HANDLER& StartHandler()
{
    static AFX_PROCESS_START_HANDLER handler;
    return handler;
}

AFX_PROCESS_HANDLE NewHandle()
{
    static uintptr_t s_nNext = 0x1000;
    return reinterpret_cast<AFX_PROCESS_HANDLE>(s_nNext++);
}

PROCESS_ENTRY* Find(AFX_PROCESS_HANDLE hProcess)
{
    auto it = Processes().find(hProcess);
    return it == Processes().end() ? nullptr : &it->second;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The program's own word: quotes group and vanish, nothing is escaped.
size_t ReadProgramWord(const std::string& line, std::string& word)
{
    bool bQuoted = false;
    size_t i = 0;
    for (; i < line.size() && (bQuoted || !IsBlank(line[i])); ++i)
    {
        if (line[i] == '"')
            bQuoted = !bQuoted;
        else
            word += line[i];
    }
    return i;
}

// One argument word from position i; returns the position after it.
size_t ReadArgumentWord(const std::string& line, size_t i, std::string& word)
{
    bool bQuoted = false;
    while (i < line.size() && (bQuoted || !IsBlank(line[i])))
    {
        size_t nSlashes = 0;
        while (i < line.size() && line[i] == '\\')
        {
            ++nSlashes;
            ++i;
        }
        if (i < line.size() && line[i] == '"')
        {
            word.append(nSlashes / 2, '\\');
            if (nSlashes % 2 == 1)
                word += '"';
            else if (bQuoted && i + 1 < line.size() && line[i + 1] == '"')
                word += line[++i];
            else
                bQuoted = !bQuoted;
            ++i;
        }
        else
        {
            word.append(nSlashes, '\\');
            if (nSlashes == 0)
                word += line[i++];
        }
    }
    return i;
}

AFX_PROCESS_START Resolve(const AFX_PROCESS_START& request)
{
    AFX_PROCESS_START resolved = request;
    if (request.strCommandLine.empty())
        return resolved;
    std::vector<std::string> words = AfxSplitCommandLine(request.strCommandLine);
    if (resolved.strProgram.empty() && !words.empty())
        resolved.strProgram = words.front();
    resolved.args.assign(words.empty() ? words.end() : words.begin() + 1, words.end());
    return resolved;
}

QStringList ToQt(const std::vector<std::string>& args)
{
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromStdString(arg);
    return list;
}

std::unique_ptr<QProcess> StartAttached(const AFX_PROCESS_START& request)
{
    auto pProcess = std::make_unique<QProcess>();
    pProcess->setProgram(QString::fromStdString(request.strProgram));
    pProcess->setArguments(ToQt(request.args));
    pProcess->setWorkingDirectory(QString::fromStdString(request.strWorkingDir));
    // No pipes that could fill up and stall the child: it shares our output.
    pProcess->setStandardInputFile(QProcess::nullDevice());
    pProcess->setProcessChannelMode(QProcess::ForwardedChannels);
    pProcess->start();
    if (pProcess->waitForStarted())
        return pProcess;
    OutputDebugStringA(
        ("AfxStartProcess: " + request.strProgram + ": " + pProcess->errorString().toStdString()).c_str());
    return nullptr;
}

BOOL StartDetached(const AFX_PROCESS_START& request)
{
    if (QProcess::startDetached(QString::fromStdString(request.strProgram), ToQt(request.args),
                                QString::fromStdString(request.strWorkingDir)))
        return TRUE;
    OutputDebugStringA(("AfxStartProcess: cannot start " + request.strProgram).c_str());
    return FALSE;
}

bool IsRunning(QProcess& process)
{
    // The state changes only when Qt looks: let it look now.
    if (process.state() != QProcess::NotRunning)
        process.waitForFinished(0);
    return process.state() != QProcess::NotRunning;
}

DWORD ExitCodeOf(const PROCESS_ENTRY& entry)
{
    if (!entry.pProcess)
        return 0;
    DWORD nCode = static_cast<DWORD>(entry.pProcess->exitCode());
    return entry.pProcess->exitStatus() == QProcess::CrashExit ? 128 + nCode : nCode;
}
} // namespace

std::vector<std::string> AfxSplitCommandLine(const std::string& strCommandLine)
{
    std::vector<std::string> words;
    if (strCommandLine.empty())
        return words;
    words.emplace_back();
    size_t i = ReadProgramWord(strCommandLine, words.back());
    for (;;)
    {
        while (i < strCommandLine.size() && IsBlank(strCommandLine[i]))
            ++i;
        if (i == strCommandLine.size())
            return words;
        words.emplace_back();
        i = ReadArgumentWord(strCommandLine, i, words.back());
    }
}

BOOL AfxStartProcess(const AFX_PROCESS_START& request, AFX_PROCESS_HANDLE* pHandle)
{
    if (pHandle)
        *pHandle = nullptr;
    AFX_PROCESS_START resolved = Resolve(request);
    if (resolved.strProgram.empty())
    {
        OutputDebugStringA("AfxStartProcess: no program to start");
        return FALSE;
    }
    PROCESS_ENTRY entry;
    if (StartHandler())
    {
        if (!StartHandler()(resolved))
            return FALSE;
    }
    else if (!pHandle)
        return StartDetached(resolved);
    else if (!(entry.pProcess = StartAttached(resolved)))
        return FALSE;
    if (pHandle)
    {
        *pHandle = NewHandle();
        Processes()[*pHandle] = std::move(entry);
    }
    return TRUE;
}

BOOL AfxIsProcessRunning(AFX_PROCESS_HANDLE hProcess)
{
    PROCESS_ENTRY* pEntry = Find(hProcess);
    return pEntry && pEntry->pProcess && IsRunning(*pEntry->pProcess) ? TRUE : FALSE;
}

BOOL AfxWaitProcessPumping(AFX_PROCESS_HANDLE hProcess, UINT nSliceMs, DWORD* pExitCode)
{
    int nSlice = static_cast<int>(std::max(1U, nSliceMs));
    for (;;)
    {
        // Looked up afresh each time: an event handler may have closed the handle.
        PROCESS_ENTRY* pEntry = Find(hProcess);
        if (!pEntry)
            return FALSE;
        if (!pEntry->pProcess || !IsRunning(*pEntry->pProcess))
        {
            if (pExitCode)
                *pExitCode = ExitCodeOf(*pEntry);
            return TRUE;
        }
        pEntry->pProcess->waitForFinished(nSlice);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
}

void AfxCloseProcessHandle(AFX_PROCESS_HANDLE hProcess)
{
    auto it = Processes().find(hProcess);
    if (it == Processes().end())
        return;
    QProcess* pProcess = it->second.pProcess.release();
    Processes().erase(it);
    if (!pProcess || !IsRunning(*pProcess))
    {
        delete pProcess;
        return;
    }
    // Deleting a running QProcess would kill it: let it go when it ends.
    QObject::connect(pProcess, &QProcess::finished, pProcess, &QObject::deleteLater);
}

void AfxSetProcessStartHandler(AFX_PROCESS_START_HANDLER handler)
{
    StartHandler() = std::move(handler);
}
