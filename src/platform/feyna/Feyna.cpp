#include "feyna/Feyna.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>

namespace
{
std::mutex g_mutex;
// Entries are held by pointer so a text handed out stays put while others come
// and go.
std::map<std::string, std::unique_ptr<std::string>> g_mapCache;

std::unique_ptr<std::string> ReadWhole(const char* path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return nullptr;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return nullptr;
    return std::make_unique<std::string>(content.str());
}
} // namespace

const char* qzvu_get_cashed_file(const char* path, size_t* length)
{
    if (!path || !*path)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_mapCache.find(path);
    if (it == g_mapCache.end())
    {
        std::unique_ptr<std::string> content = ReadWhole(path);
        if (!content)
            return nullptr;
        it = g_mapCache.emplace(path, std::move(content)).first;
    }
    if (length)
        *length = it->second->size();
    return it->second->c_str();
}

int qzvu_clear_cashed_file(const char* path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!path)
        g_mapCache.clear();
    else
        g_mapCache.erase(path);
    return 0;
}
