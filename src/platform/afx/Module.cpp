#include "Module.h"

#include "DebugOutput.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <link.h>
#include <map>
#include <mutex>
#include <unistd.h>

namespace
{
// dlopen handles given out, with how often each was given (dlopen counts too).
std::mutex& LoadedMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<void*, int>& Loaded()
{
    static std::map<void*, int> loaded;
    return loaded;
}

bool IsLoaded(void* handle)
{
    std::lock_guard<std::mutex> lock(LoadedMutex());
    return Loaded().count(handle) != 0;
}

std::string ResolvedPath(const char* path)
{
    char* real = realpath(path, nullptr);
    if (!real)
        return path;
    std::string resolved = real;
    std::free(real);
    return resolved;
}

std::string ExecutablePath()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::string PathOf(const link_map* pMap)
{
    if (!pMap || !pMap->l_name)
        return std::string();
    // The main program's entry has no name.
    return *pMap->l_name ? ResolvedPath(pMap->l_name) : ExecutablePath();
}

std::string LibraryPath(void* handle)
{
    link_map* pMap = nullptr;
    return dlinfo(handle, RTLD_DI_LINKMAP, &pMap) == 0 ? PathOf(pMap) : std::string();
}
} // namespace

HMODULE LoadLibraryA(LPCSTR lpLibFileName)
{
    if (!lpLibFileName || !*lpLibFileName)
        return nullptr;
    void* handle = dlopen(lpLibFileName, RTLD_NOW);
    if (!handle)
    {
        const char* reason = dlerror();
        OutputDebugStringA((std::string("LoadLibraryA: ") + (reason ? reason : lpLibFileName)).c_str());
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(LoadedMutex());
    ++Loaded()[handle];
    return reinterpret_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    void* handle = reinterpret_cast<void*>(hModule);
    if (!lpProcName || !IsLoaded(handle))
        return nullptr;
    return dlsym(handle, lpProcName);
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    void* handle = reinterpret_cast<void*>(hLibModule);
    {
        std::lock_guard<std::mutex> lock(LoadedMutex());
        auto it = Loaded().find(handle);
        if (it == Loaded().end())
            return FALSE;
        if (--it->second == 0)
            Loaded().erase(it);
    }
    return dlclose(handle) == 0 ? TRUE : FALSE;
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (!lpFilename || nSize == 0)
        return 0;
    void* handle = reinterpret_cast<void*>(hModule);
    if (handle && !IsLoaded(handle))
        return 0;
    std::string path = handle ? LibraryPath(handle) : ExecutablePath();
    if (path.empty())
        return 0;
    size_t n = std::min<size_t>(path.size(), nSize - 1);
    path.copy(lpFilename, n);
    lpFilename[n] = '\0';
    return path.size() < nSize ? static_cast<DWORD>(path.size()) : nSize;
}

std::string AfxGetModuleFileNameOfAddress(const void* pAddress)
{
    Dl_info info;
    link_map* pMap = nullptr;
    if (!pAddress || !dladdr1(pAddress, &info, reinterpret_cast<void**>(&pMap), RTLD_DL_LINKMAP))
        return std::string();
    return PathOf(pMap);
}
