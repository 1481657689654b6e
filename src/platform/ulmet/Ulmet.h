#pragma once

// Unique-value allocation: hands each Vuser its own block of rows of every
// unique data-file parameter of a script, Vuser after Vuser, the way a load
// test's controller does before a run (docs/allocation.md).
//
// The calls share one allocation of the process. Statuses are IS_PIPE_OK on
// success; IS_PIPE_Get_Error_String gives the text of any other.

#ifdef __cplusplus
extern "C"
{
#endif

#define IS_PIPE_OK 4000
#define IS_PIPE_E_NOT_OPEN 4001   // no allocation was prepared with IS_PIPE_init
#define IS_PIPE_E_SCRIPT 4002     // the script or its parameter file cannot be read
#define IS_PIPE_E_BLOCK_SIZE 4003 // a fixed block size that is no positive number
#define IS_PIPE_E_BUFFER 4005     // the result does not fit the caller's buffer
#define IS_PIPE_E_ARGUMENT 4006   // a null or unusable argument

    // Prepares a new allocation: the next Vuser is the first. The options text
    // and the parameter capacity are accepted for compatibility.
    int IS_PIPE_init(const char* options, int maxParams);
    // Ends the allocation.
    int IS_PIPE_close(void);
    // The number of unique data-file parameters of the script (a ".usr" file),
    // or -1 when the script cannot be read.
    int IS_PIPE_Is_Unique_Param(const char* usrPath, const char* cfgPath);
    // The iterations each Vuser runs, the automatic block size; -1 forgets them.
    int IS_PIPE_set_user_iterations(int iterations);
    // For a run without a set number of iterations: the Vusers share each
    // unique parameter's rows. Gives the iterations every Vuser can run (the
    // least over the parameters), the block size of the first parameter and its
    // row count; outputs may be null.
    int IS_PIPE_Get_Unique_Param_Iteration_Num(const char* usrPath, const char* cfgPath, int vusers, int reserved,
                                               int* pIterations, int* pBlockSize, int* pRows);
    // Allocates for the next Vuser. The buffer (size bytes) receives, for each
    // unique parameter that still has rows for this Vuser, "\"-" name "\" "
    // followed by the range "first-last" of data rows (counted from 1) and a
    // blank. Nothing is written past size bytes.
    int IS_PIPE_Get_Indexes(const char* mode, const char* usrPath, const char* cfgPath, char* buffer, int size);
    // The text of a status, cut to the buffer (size bytes, terminator included).
    int IS_PIPE_Get_Error_String(int status, char* buffer, int size, int reserved);

#ifdef __cplusplus
}
#endif
