#pragma once

#include <sys/resource.h>

// While it lives, no file of the process grows past a few bytes: writes fail
// with EFBIG, whoever runs the tests (file permissions do not stop root).
class CFileSizeLimit
{
public:
    CFileSizeLimit();
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_pfnHandler)(int) = nullptr;
};
