#include "sendrel/Sendrel.h"

#include "ketrin/Ketrin.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <string>

namespace
{
std::mutex g_mutex;
std::string g_strRootOverride;

std::string OwnInstallRoot()
{
    Dl_info info;
    char resolved[PATH_MAX];
    if (!dladdr(reinterpret_cast<void*>(&GetFullPath), &info) || !info.dli_fname || !realpath(info.dli_fname, resolved))
        return std::string();
    return ketrin::PathDir(ketrin::PathDir(resolved));
}

std::string InstallRoot()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_strRootOverride.empty() ? OwnInstallRoot() : g_strRootOverride;
}

int Answer(const std::string& path, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    if (path.empty() || path.size() >= static_cast<size_t>(size))
    {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<int>(path.size());
}
} // namespace

int GetFullPath(int kind, int flags, const char* name, char* buffer, int size)
{
    const char* folder = kind == SENDREL_KIND_CONFIG ? "config" : kind == SENDREL_KIND_DAT ? "dat" : nullptr;
    if (!folder || !name || !*name)
        return Answer(std::string(), buffer, size);
    std::string root = InstallRoot();
    if (root.empty())
        return Answer(std::string(), buffer, size);
    std::string path = ketrin::PathJoin(ketrin::PathJoin(root, folder), name);
    if (flags == SENDREL_MUST_EXIST && !os_access(path.c_str(), OS_ACCESS_EXISTS))
        path.clear();
    return Answer(path, buffer, size);
}

void Sendrel_SetInstallRoot(const char* root)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_strRootOverride = root ? root : "";
}
