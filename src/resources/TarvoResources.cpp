#include "resources/TarvoResources.h"

#include <new>

CResourceModule& TarvoResources()
{
    static CResourceModule* module = []
    {
        auto* m = new CResourceModule("libtarvo");
        AddTarvoStrings(*m);
        AddTarvoMenus(*m);
        AddTarvoImages(*m);
        AddTarvoDialogs(*m);
        return m;
    }();
    return *module;
}

extern "C" TARVO_API CDynLinkLibrary* init_tarvo_dll()
{
    return new (std::nothrow) CDynLinkLibrary(TarvoResources());
}

namespace
{
// Loading the library inserts its module into the host's resource chain.
const CDynLinkLibrary s_loadEntry(TarvoResources());
} // namespace
