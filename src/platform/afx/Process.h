#pragma once

// Starting other programs (a text editor on a data file, the help viewer).
// Nothing goes through a shell: the program receives exactly the arguments
// given, and a Win32-style command line is split by the Windows quoting rules.
// Tests and headless hosts answer starts with a handler instead.
// All calls belong to the user-interface thread.

#include "AfxTypes.h"

#include <functional>
#include <string>
#include <vector>

struct AFX_PROCESS_START
{
    std::string strProgram;        // empty: the first word of strCommandLine
    std::vector<std::string> args; // the arguments after the program
    // A Win32 command line; when set, its words after the first (the program's
    // own slot) replace args.
    std::string strCommandLine;
    std::string strWorkingDir; // empty: the caller's
};

// A started process: an opaque value never reused for another process.
struct AFX_PROCESS__;
typedef AFX_PROCESS__* AFX_PROCESS_HANDLE;

// The words of a command line as a Windows program's start-up code reads
// them: blanks separate words; double quotes group them and are dropped;
// backslashes are literal except before a quote, where 2n of them give n and a
// grouping quote, 2n + 1 give n and a literal quote; "" inside quotes is a
// literal quote. The first word is a path: quotes group, backslashes stay. A
// line that starts with a blank has an empty first word.
std::vector<std::string> AfxSplitCommandLine(const std::string& strCommandLine);

// Starts the program. Without pHandle the process is left to run on its own;
// with it the caller gets a handle to wait on and must close it.
BOOL AfxStartProcess(const AFX_PROCESS_START& request, AFX_PROCESS_HANDLE* pHandle = nullptr);
BOOL AfxIsProcessRunning(AFX_PROCESS_HANDLE hProcess);
// Waits for the end of the process in slices, handling the thread's pending
// events after each slice so that windows stay painted and timers run.
// FALSE for an unknown handle. A process killed by a signal ends with 128 + the
// signal's number.
BOOL AfxWaitProcessPumping(AFX_PROCESS_HANDLE hProcess, UINT nSliceMs = 100, DWORD* pExitCode = nullptr);
// Forgets the handle; a process still running goes on.
void AfxCloseProcessHandle(AFX_PROCESS_HANDLE hProcess);

// Replaces every start: the handler gets the request with strProgram and args
// filled in and answers whether it started; a process it starts counts as ended
// with exit code 0. An empty function restores real starts.
typedef std::function<BOOL(const AFX_PROCESS_START&)> AFX_PROCESS_START_HANDLER;
void AfxSetProcessStartHandler(AFX_PROCESS_START_HANDLER handler);
