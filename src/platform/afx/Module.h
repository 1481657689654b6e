#pragma once

// Shared libraries loaded at run time (plug-in tab libraries, the help
// library) through dlopen/dlsym. Their handles travel as HMODULE like the
// handles of resource modules (Resource.h), but the two kinds never mix: a
// handle that LoadLibraryA did not return is refused here, never dereferenced.

#include "AfxTypes.h"

#include <string>

// Loads with every symbol bound at once; null on failure, with the loader's
// reason on the debug output.
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
// Null for a missing export or a handle LoadLibraryA did not give.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);

// Absolute path of a loaded library, or of the running executable for a null
// module. A path too long for the buffer is cut to nSize - 1 characters and the
// result is nSize; 0 on failure.
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// Absolute path (links resolved) of the executable or shared library whose
// code or data holds the address; empty when no loaded file holds it. A
// library finds its own installation root this way.
std::string AfxGetModuleFileNameOfAddress(const void* pAddress);
