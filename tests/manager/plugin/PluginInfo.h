#pragma once

#include "manager/Unknown.h"

// What the test plug-in's additional-information object offers besides IUnknown.
#define IID_IPluginInfo "IPluginInfo"

struct IPluginInfo : IUnknown
{
    // The active parameter when the object was made.
    virtual const char* GetParamName() = 0;
};
