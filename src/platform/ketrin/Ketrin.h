#pragma once

// Operating-system helpers: identifier test, character-set type, message
// formatting, paths, files and the system language. Plain C functions.
//
// Conventions: predicates and file operations answer 1 (yes, done) or 0.
// Functions that fill a buffer take its size in bytes, never write past it,
// always NUL-terminate when the size is positive, and return the length the
// whole result needs (without the terminator), as snprintf does: a result of
// outSize or more means the buffer was too small. A length argument below 0
// means "up to the terminator".

#include <stddef.h>

#ifdef __cplusplus
extern "C"
{
#endif

// Answers of os_is_qz_identifier.
#define OS_QZ_IDENTIFIER 0x2000001 // a letter first, then letters, digits or '_'
#define OS_QZ_EMPTY 0x200004B      // null or empty text
#define OS_QZ_BAD_FIRST 0x200004C  // the first character is not a letter
#define OS_QZ_BAD_CHAR 0x200004D   // a later character is not a letter, digit or '_'

    // Letters are the ASCII letters; any other byte (UTF-8 included) is no letter.
    int os_is_qz_identifier(const char* name, int length);
    int os_is_sb_alpha(int ch);

// Character-set type: 1 single-byte. Text is UTF-8 and is processed byte by
// byte; no byte of a multibyte UTF-8 character is an ASCII letter, digit,
// separator or quote, so bytewise processing never splits meaningfully.
#define OS_CHARSET_SINGLE_BYTE 1
    int os_get_charset_type(void);

// System language: 1 Western, 3 Japanese (from the locale variables).
#define OS_LANG_WESTERN 1
#define OS_LANG_JAPANESE 3
    int os_get_os_lang(void);

    // Fills %1 to %9 of the template with p1 to p9 (a null text counts as empty);
    // "%%" gives one "%"; every other "%" is copied as it is. Inserted texts are
    // not scanned again. Truncation never splits a UTF-8 character.
    int os_FormatParameterizedString(const char* tmpl, char* out, int outSize, const char* p1, const char* p2,
                                     const char* p3, const char* p4, const char* p5, const char* p6, const char* p7,
                                     const char* p8, const char* p9);

    // Paths. Both '/' and '\\' separate components when a path is read (paths that
    // files recorded may carry either); results use '/'. A directory is given
    // without a trailing separator, except the root "/". The extension starts at
    // the last dot of the last component and includes it; a leading dot (".profile")
    // and the names "." and ".." have none.
    int os_path_is_absolute(const char* path);
    int os_path_dir(const char* path, char* out, int outSize);
    int os_path_name(const char* path, char* out, int outSize); // without extension
    int os_path_ext(const char* path, char* out, int outSize);
    int os_path_file(const char* path, char* out, int outSize); // name and extension
    // dir + '/' + name; an absolute name or an empty dir gives the name itself.
    int os_path_join(const char* dir, const char* name, char* out, int outSize);

// The file operations below that answer 0 leave errno telling why (strerror
// gives the system's text).

// Access modes of os_access, combinable.
#define OS_ACCESS_EXISTS 0
#define OS_ACCESS_WRITE 2
#define OS_ACCESS_READ 4
    // 1 when the file or directory exists and allows the asked access.
    int os_access(const char* path, int mode);

    // Replaces the file's content atomically: a temporary file in the same
    // directory is written, flushed to disk and renamed over the target, so the
    // target is either wholly old or wholly new. An existing file keeps its
    // permission bits. 1 on success; on failure nothing is left behind.
    int os_write_file_atomic(const char* path, const void* data, size_t size);

    // The same, written piece by piece: os_atomic_open makes the temporary file
    // (null on failure), os_atomic_write appends to it, os_atomic_commit puts it in
    // place and os_atomic_abandon throws it away. Commit and abandon free the
    // handle. After a failed write the handle only fails; commit then removes it.
    typedef struct OS_ATOMIC_FILE OS_ATOMIC_FILE;
    OS_ATOMIC_FILE* os_atomic_open(const char* path);
    int os_atomic_write(OS_ATOMIC_FILE* file, const void* data, size_t size);
    int os_atomic_commit(OS_ATOMIC_FILE* file);
    void os_atomic_abandon(OS_ATOMIC_FILE* file);

// Steps of an atomic write, in the order they happen.
#define OS_STEP_OPEN 1   // creating the temporary file
#define OS_STEP_WRITE 2  // each write of bytes into it
#define OS_STEP_FSYNC 3  // forcing them to the disk
#define OS_STEP_FLUSH 4  // closing it, where late write errors show
#define OS_STEP_RENAME 5 // putting it in place of the target
    // Test seam: before each step the hook is asked; an answer other than 0
    // makes the step fail with that errno, as a full disk or a dying device
    // would. Null removes the hook.
    typedef int (*OS_FILE_FAULT)(int step);
    void os_set_file_fault(OS_FILE_FAULT hook);

    // Opens a regular file for reading: the descriptor, or -1 with errno set
    // (EISDIR for a directory, EINVAL for anything else that is no regular
    // file). A FIFO is refused at once instead of waiting for a writer.
    int os_open_regular_file(const char* path);

    // Copies src to dst (atomically, as above). overwrite 0 refuses an existing dst.
    int os_copy_file(const char* src, const char* dst, int overwrite);

    // Removes a file (never a directory). force 1: a file that is already missing
    // counts as removed, and a write-protected file is removed too; force 0 refuses
    // both.
    int os_remove_file(const char* path, int force);

#ifdef __cplusplus
}

#include <string>

// C++ conveniences over the path functions.
namespace ketrin
{
std::string PathDir(const std::string& path);
std::string PathName(const std::string& path);
std::string PathExt(const std::string& path);
std::string PathFile(const std::string& path);
std::string PathJoin(const std::string& dir, const std::string& name);
// Every backslash of a recorded path turned into '/'.
std::string PathWithSlashes(std::string path);
} // namespace ketrin
#endif
