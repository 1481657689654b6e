#pragma once

// Debugger output: lines for developers, never shown to users. They go to
// stderr unless a test or a host installs its own sink.

#include "AfxTypes.h"

#include <functional>
#include <string>

void OutputDebugStringA(LPCSTR lpOutputString);

// Replaces the sink; an empty function restores stderr.
void AfxSetDebugOutputSink(std::function<void(const std::string&)> sink);
