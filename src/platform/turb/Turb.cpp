// The engine's C interface: checks the arguments, turns exceptions into
// statuses and hands texts out in buffers the caller frees.

#include "turb/Turb.h"

#include "Turbine.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
const uint32_t POSITION_MAGIC = 0x504F5354; // "POST"

// A walk over the parameters or the types, as they were when it began.
struct SPosition
{
    uint32_t nMagic = POSITION_MAGIC;
    void* pOwner = nullptr;
    bool bTypes = false;
    std::vector<TURB_PARAM_ID> arrIds;
    size_t nNext = 0;
};

SPosition* ToPosition(void* instance, void* position, bool bTypes)
{
    auto* pos = static_cast<SPosition*>(position);
    if (!pos || pos->nMagic != POSITION_MAGIC || pos->pOwner != instance || pos->bTypes != bTypes)
        return nullptr;
    return pos;
}

// Runs an entry point, answering fallback when it throws (memory exhausted).
template <typename R, typename F> R Guard(R fallback, F body)
{
    try
    {
        return body();
    }
    catch (...)
    {
        return fallback;
    }
}

std::string ToText(const char* text, int length)
{
    if (!text)
        return std::string();
    return length < 0 ? std::string(text) : std::string(text, static_cast<size_t>(length));
}

bool IsUsableText(const char* text, int length)
{
    return text || length <= 0;
}

void ClearOut(char** text, int* length)
{
    if (text)
        *text = nullptr;
    if (length)
        *length = 0;
}

int HandOut(const std::string& value, char** text, int* length)
{
    char* copy = static_cast<char*>(std::malloc(value.size() + 1));
    if (!copy)
        return TURB_E_INTERNAL;
    std::memcpy(copy, value.data(), value.size());
    copy[value.size()] = '\0';
    *text = copy;
    if (length)
        *length = static_cast<int>(value.size());
    return TURB_OK;
}

int GetAttrib(CTurbine* turbine, const CParam* param, const char* attrib, char** text, int* length)
{
    std::string value;
    int status = turbine->GetAttrib(param, attrib, value);
    return status == TURB_OK ? HandOut(value, text, length) : status;
}

// Cuts value to fit size bytes with the terminator, never inside a UTF-8 character.
int CopyToBuffer(const std::string& value, char* buffer, int size)
{
    size_t limit = static_cast<size_t>(size) - 1;
    size_t n = value.size();
    if (n > limit)
    {
        n = limit;
        while (n > 0 && (static_cast<unsigned char>(value[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return n < value.size() ? TURB_E_TRUNCATED : TURB_OK;
}
} // namespace

void* new_turbine_handle(const char* typeDefFile, int)
{
    return Guard<void*>(nullptr,
                        [&]() -> void*
                        {
                            if (!typeDefFile)
                                return nullptr;
                            auto turbine = std::make_unique<CTurbine>();
                            return turbine->Open(typeDefFile) ? turbine.release() : nullptr;
                        });
}

void delete_turbine_handle(void* instance)
{
    delete CTurbine::FromHandle(instance);
}

int Param_AddParamFile(void* instance, const char* path, int)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !path || !*path)
        return TURB_E_ARGUMENT;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->AddParamFile(path); });
}

int Param_ClearParamList(void* instance)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine)
        return TURB_E_ARGUMENT;
    turbine->ClearParams();
    return TURB_OK;
}

int Param_Save(void* instance, const char* path)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine)
        return TURB_E_ARGUMENT;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->Save(path); });
}

int Param_NewParam(void* instance, const char* name, const char* typeKey, const char* prmPath)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !name || !typeKey)
        return 0;
    return Guard(0, [&] { return turbine->NewParam(name, typeKey, prmPath) ? 1 : 0; });
}

int Param_DeleteParam(void* instance, const char* name)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !name)
        return TURB_E_ARGUMENT;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->DeleteParam(name); });
}

void* Param_GetHeadParamPos(void* instance)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine)
        return nullptr;
    return Guard<void*>(nullptr,
                        [&]
                        {
                            auto pos = std::make_unique<SPosition>();
                            pos->pOwner = instance;
                            pos->arrIds = turbine->GetParams().GetIds(); // may throw: nothing leaks
                            return pos.release();
                        });
}

TURB_PARAM_ID Param_GetNextParam(void* instance, void* position)
{
    SPosition* pos = ToPosition(instance, position, false);
    if (!pos || pos->nNext >= pos->arrIds.size())
        return 0;
    return pos->arrIds[pos->nNext++];
}

void* Param_GetHeadTypesPos(void* instance)
{
    if (!CTurbine::FromHandle(instance))
        return nullptr;
    return Guard<void*>(nullptr,
                        [&]
                        {
                            auto pos = std::make_unique<SPosition>();
                            pos->pOwner = instance;
                            pos->bTypes = true;
                            return pos.release();
                        });
}

const char* Param_GetNextType(void* instance, void* position)
{
    SPosition* pos = ToPosition(instance, position, true);
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!pos || !turbine)
        return nullptr;
    const std::vector<std::string>& types = turbine->GetTypes().GetTypes();
    return pos->nNext < types.size() ? types[pos->nNext++].c_str() : nullptr;
}

void Param_GetHeadPosFree(void* instance, void* position)
{
    auto* pos = static_cast<SPosition*>(position);
    if (!pos || pos->nMagic != POSITION_MAGIC || pos->pOwner != instance)
        return;
    pos->nMagic = 0;
    delete pos;
}

int Param_GetAttribExt(void* instance, TURB_PARAM_ID id, const char* attrib, char** text, int* length)
{
    ClearOut(text, length);
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !attrib || !text)
        return TURB_E_ARGUMENT;
    const CParam* param = turbine->FindParam(id);
    if (!param)
        return TURB_E_NOT_FOUND;
    return Guard(TURB_E_INTERNAL, [&] { return GetAttrib(turbine, param, attrib, text, length); });
}

int Param_GetAttribByNameExt(void* instance, const char* name, const char* attrib, char** text, int* length)
{
    ClearOut(text, length);
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !attrib || !text)
        return TURB_E_ARGUMENT;
    const CParam* param = name ? turbine->FindParam(name) : nullptr;
    if (name && !param)
        return TURB_E_NOT_FOUND;
    return Guard(TURB_E_INTERNAL, [&] { return GetAttrib(turbine, param, attrib, text, length); });
}

int Param_GetAttribFree(void*, char** text)
{
    if (!text)
        return TURB_E_ARGUMENT;
    std::free(*text);
    *text = nullptr;
    return TURB_OK;
}

int Param_SetAttrib(void* instance, TURB_PARAM_ID id, const char* attrib, const char* text, int length)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !attrib || !IsUsableText(text, length))
        return TURB_E_ARGUMENT;
    CParam* param = turbine->FindParam(id);
    if (!param)
        return TURB_E_NOT_FOUND;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->SetAttrib(param, attrib, ToText(text, length)); });
}

int Param_SetAttribByName(void* instance, const char* name, const char* attrib, const char* text, int length)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !attrib || !IsUsableText(text, length))
        return TURB_E_ARGUMENT;
    CParam* param = name ? turbine->FindParam(name) : nullptr;
    if (name && !param)
        return TURB_E_NOT_FOUND;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->SetAttrib(param, attrib, ToText(text, length)); });
}

const char* Param_GetAttribKeyList(void* instance, const char* typeKey)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    return turbine && typeKey ? turbine->GetTypes().GetKeyList(typeKey) : nullptr;
}

int Param_pp_init(void* instance)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine)
        return TURB_E_ARGUMENT;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->GetValues().Prepare(); });
}

int Param_pt_init(void* instance)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine)
        return TURB_E_ARGUMENT;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->GetValues().StartVuser(); });
}

int Param_AdvanceParamByName(void* instance, const char* name, int flag)
{
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !name)
        return TURB_E_ARGUMENT;
    return Guard(TURB_E_INTERNAL, [&] { return turbine->GetValues().Advance(name, flag != 0); });
}

int Param_GetParamString(void* instance, const char* name, char* buffer, int size)
{
    if (buffer && size > 0)
        buffer[0] = '\0';
    CTurbine* turbine = CTurbine::FromHandle(instance);
    if (!turbine || !name || !buffer || size <= 0)
        return TURB_E_ARGUMENT;
    return Guard(TURB_E_INTERNAL,
                 [&]
                 {
                     std::string value;
                     int status = turbine->GetValues().GetValue(name, value);
                     return status == TURB_OK ? CopyToBuffer(value, buffer, size) : status;
                 });
}
