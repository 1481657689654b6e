#pragma once

#include "turb/Turb.h"

// A walk over the parameters or the types of an engine instance, released
// with Param_GetHeadPosFree when it goes out of scope.
class CTurbPosition
{
public:
    enum EWalk
    {
        WALK_PARAMS,
        WALK_TYPES
    };

    CTurbPosition(void* hInstance, EWalk walk);
    ~CTurbPosition();
    CTurbPosition(const CTurbPosition&) = delete;
    CTurbPosition& operator=(const CTurbPosition&) = delete;

    // The next parameter's id, 0 at the end (a parameter walk).
    TURB_PARAM_ID NextParam();
    // The next type key, null at the end (a type walk); it belongs to the
    // instance.
    const char* NextType();

private:
    void* m_hInstance;
    void* m_pPosition;
};
