#include "DebugOutput.h"

#include <cstdio>
#include <mutex>

namespace
{
std::mutex& SinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::function<void(const std::string&)>& Sink()
{
    static std::function<void(const std::string&)> sink;
    return sink;
}

void WriteToStderr(const std::string& text)
{
    // Debugger lines often come without a line end; keep stderr readable.
    std::fputs(text.c_str(), stderr);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', stderr);
}
} // namespace

void OutputDebugStringA(LPCSTR lpOutputString)
{
    if (!lpOutputString)
        return;
    std::function<void(const std::string&)> sink;
    {
        std::lock_guard<std::mutex> lock(SinkMutex());
        sink = Sink();
    }
    // Called outside the lock, so a sink may install another sink.
    if (sink)
        sink(lpOutputString);
    else
        WriteToStderr(lpOutputString);
}

void AfxSetDebugOutputSink(std::function<void(const std::string&)> sink)
{
    std::lock_guard<std::mutex> lock(SinkMutex());
    Sink() = std::move(sink);
}
