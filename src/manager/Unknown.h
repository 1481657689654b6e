#pragma once

// The reference-counted object interface that the additional-information slot
// and its plug-ins share. Interfaces are named by text rather than by number,
// so a plug-in and its host agree on a name.

#include "afx/AfxTypes.h"

#ifndef S_OK
#define S_OK ((HRESULT)0)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#endif

// The name every object answers to.
#define IID_IUnknown "IUnknown"

struct IUnknown
{
    // Hands out the object under the named interface with one reference taken
    // for the caller; E_NOINTERFACE and a null *ppvObject when it has none.
    virtual HRESULT QueryInterface(const char* pszInterface, void** ppvObject) = 0;
    virtual unsigned long AddRef() = 0;
    // The object deletes itself when the last reference goes.
    virtual unsigned long Release() = 0;

protected:
    ~IUnknown() = default;
};
