#pragma once

// Run-time file cache: the run-time reads a file once and keeps its content;
// clearing a file's cached copy makes the next read see the file as it is now.

#include <stddef.h>

#ifdef __cplusplus
extern "C"
{
#endif

    // The cached content of the file (read on first use) and its length, or null
    // when the file cannot be read. The text stays valid until the file's copy is
    // cleared; it is NUL-terminated and may hold further NUL bytes.
    const char* qzvu_get_cashed_file(const char* path, size_t* length);

    // Forgets the cached copy of the file (every copy when path is null). 0 always.
    int qzvu_clear_cashed_file(const char* path);

#ifdef __cplusplus
}
#endif
