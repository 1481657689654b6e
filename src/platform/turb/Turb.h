#pragma once

// The parameter engine: holds the parameter definitions of a script, reads and
// writes its ".prm" files (docs/prm-format.md) and produces parameter values
// for simulations (docs/turb-values.md).
//
// Instances are opaque and independent of each other. Statuses are 0 on
// success (TURB_OK), except Param_NewParam, which answers non-zero on success.
// Texts returned by the Get calls belong to the caller, who frees them with
// Param_GetAttribFree; positions are released with Param_GetHeadPosFree. Type
// keys and attribute key lists belong to the instance. A length is a text's
// length without its terminator; a length below 0 means "up to the terminator".

#ifdef __cplusplus
extern "C"
{
#endif

    // A parameter's id: non-zero, never reused within an instance.
    typedef long TURB_PARAM_ID;

// Statuses.
#define TURB_OK 0
#define TURB_E_ARGUMENT 1      // null or unusable argument
#define TURB_E_NOT_FOUND 2     // no such parameter or attribute
#define TURB_E_READ_ONLY 3     // a derived attribute, or a name changed through its attribute
#define TURB_E_IO 4            // the file could not be read or written
#define TURB_E_NO_VALUE 5      // the parameter produces no value
#define TURB_E_OUT_OF_VALUES 6 // the Vuser has used up its values
#define TURB_E_TRUNCATED 7     // the value did not fit the buffer and was cut
#define TURB_E_INTERNAL 8      // memory exhausted or another internal failure

    // Instances. new_turbine_handle answers null when the type-definition file
    // cannot be read. The flag is reserved; pass 1.
    void* new_turbine_handle(const char* typeDefFile, int flag);
    void delete_turbine_handle(void* instance);

    // Parameter files. Param_AddParamFile adds the file's parameters (a parameter
    // whose name is already known is kept as unknown content) and makes the file
    // the instance's file; a missing file still becomes the instance's file and
    // answers TURB_E_IO. The flag is reserved; pass 1. Param_Save writes every
    // parameter to path, or to the instance's file when path is null; after a
    // save to a path, that file is the instance's file. A file that exists but
    // could not be read is never saved over (TURB_E_IO): it would be lost.
    int Param_AddParamFile(void* instance, const char* path, int flag);
    int Param_ClearParamList(void* instance);
    int Param_Save(void* instance, const char* path);

    // Parameters. Param_NewParam appends a parameter of a known type with every
    // attribute of the type set empty; it answers 0 for an empty or existing name
    // (exact comparison) and for an unknown type. The path names the parameter's
    // ".prm" file (null or empty: the instance's file).
    int Param_NewParam(void* instance, const char* name, const char* typeKey, const char* prmPath);
    int Param_DeleteParam(void* instance, const char* name);

    // Walks. A position lists the parameters (or types) as they were when it was
    // made; Param_GetNextParam answers 0 and Param_GetNextType null at the end.
    void* Param_GetHeadParamPos(void* instance);
    TURB_PARAM_ID Param_GetNextParam(void* instance, void* position);
    void* Param_GetHeadTypesPos(void* instance);
    const char* Param_GetNextType(void* instance, void* position);
    void Param_GetHeadPosFree(void* instance, void* position);

    // Attributes. "ParamName" and "Type" are held by every parameter. Derived
    // attributes are computed on every read and cannot be set: "LocalDataDir"
    // (the directory of the parameter's file), "GlobalDataDir" (the installation's
    // data directory, the folder of the type-definition file) and, for parameters
    // with a "Table" attribute, "ActualFullPath"; instance-wide, "KeptContent"
    // (the lines of the loaded files that are no parameter and no comment, kept
    // to be written back). A null parameter name reads or sets an instance-wide
    // attribute. On failure *text is null and *length 0.
    int Param_GetAttribExt(void* instance, TURB_PARAM_ID id, const char* attrib, char** text, int* length);
    int Param_GetAttribByNameExt(void* instance, const char* name, const char* attrib, char** text, int* length);
    int Param_GetAttribFree(void* instance, char** text);
    int Param_SetAttrib(void* instance, TURB_PARAM_ID id, const char* attrib, const char* text, int length);
    int Param_SetAttribByName(void* instance, const char* name, const char* attrib, const char* text, int length);

    // The type's attribute names, comma-separated; null for an unknown type.
    const char* Param_GetAttribKeyList(void* instance, const char* typeKey);

    // Value generation. Param_pp_init prepares a simulation, Param_pt_init starts
    // the next simulated Vuser. Param_AdvanceParamByName moves to the next value
    // (flag 0: the next iteration, as the parameter's update policy says; flag 1:
    // always) and answers TURB_E_OUT_OF_VALUES when none is left.
    // Param_GetParamString writes the current value into buffer (size bytes with
    // the terminator).
    int Param_pp_init(void* instance);
    int Param_pt_init(void* instance);
    int Param_AdvanceParamByName(void* instance, const char* name, int flag);
    int Param_GetParamString(void* instance, const char* name, char* buffer, int size);

#ifdef __cplusplus
}
#endif
