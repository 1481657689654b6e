#include "FileSizeLimit.h"

#include <csignal>

namespace
{
const rlim_t FILE_SIZE_LIMIT = 10;
} // namespace

// The signal that a write past the limit raises is ignored: the write fails instead.
CFileSizeLimit::CFileSizeLimit()
{
    getrlimit(RLIMIT_FSIZE, &m_previous);
    m_pfnHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_previous;
    limit.rlim_cur = FILE_SIZE_LIMIT;
    setrlimit(RLIMIT_FSIZE, &limit);
}

CFileSizeLimit::~CFileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_pfnHandler);
}
