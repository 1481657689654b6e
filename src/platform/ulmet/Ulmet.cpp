#include "ulmet/Ulmet.h"

#include "ulmet/UniqueAllocator.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace
{
std::mutex g_mutex;

CUniqueAllocator& Allocator()
{
    static CUniqueAllocator allocator;
    return allocator;
}

std::string Text(const char* psz)
{
    return psz ? psz : "";
}
} // namespace

int IS_PIPE_init(const char*, int)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Allocator().Open();
}

int IS_PIPE_close(void)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Allocator().Close();
}

int IS_PIPE_Is_Unique_Param(const char* usrPath, const char* cfgPath)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Allocator().CountUnique(Text(usrPath), Text(cfgPath));
}

int IS_PIPE_set_user_iterations(int iterations)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Allocator().SetIterations(iterations);
}

int IS_PIPE_Get_Unique_Param_Iteration_Num(const char* usrPath, const char* cfgPath, int vusers, int, int* pIterations,
                                           int* pBlockSize, int* pRows)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Allocator().IterationsForVusers(Text(usrPath), Text(cfgPath), vusers, pIterations, pBlockSize, pRows);
}

int IS_PIPE_Get_Indexes(const char*, const char* usrPath, const char* cfgPath, char* buffer, int size)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Allocator().AllocateNext(Text(usrPath), Text(cfgPath), buffer, size);
}

int IS_PIPE_Get_Error_String(int status, char* buffer, int size, int)
{
    if (!buffer || size <= 0)
        return IS_PIPE_E_ARGUMENT;
    std::lock_guard<std::mutex> lock(g_mutex);
    std::string strText = Allocator().ErrorText(status);
    size_t nLength = std::min(strText.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, strText.data(), nLength);
    buffer[nLength] = '\0';
    return IS_PIPE_OK;
}
