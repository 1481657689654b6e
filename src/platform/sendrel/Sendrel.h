#pragma once

// Path resolver: turns the name of one of the host's files into its full path
// inside the installation. The installation root is the folder above the one
// that holds this library (<root>/lib/libsendrel.so); configuration files
// live in <root>/config, the installation's definitions in <root>/dat.

#ifdef __cplusplus
extern "C"
{
#endif

// Kinds of file GetFullPath looks for.
#define SENDREL_KIND_CONFIG 1 // <root>/config/<name>
#define SENDREL_KIND_DAT 2    // <root>/dat/<name>

// Flags of GetFullPath.
#define SENDREL_MUST_EXIST 0 // an empty result when the file does not exist
#define SENDREL_ANY 1        // the full path whether or not the file exists

    // Writes the full path of name into buffer and returns its length. Returns 0
    // with an empty buffer when the kind is unknown, the file is missing (flag
    // SENDREL_MUST_EXIST) or the path does not fit: a cut path is never given.
    int GetFullPath(int kind, int flags, const char* name, char* buffer, int size);

    // Test seam: resolve against this root instead of the library's own
    // installation; null returns to the library's own.
    void Sendrel_SetInstallRoot(const char* root);

#ifdef __cplusplus
}
#endif
