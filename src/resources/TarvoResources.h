#pragma once

// The library's resource script: strings, dialog templates, menus and images,
// gathered into one resource module that joins the resource chain on load.

#include "TarvoExport.h"
#include "afx/Resource.h"

// The library's own module, built on first use.
TARVO_API CResourceModule& TarvoResources();

// Each part of the resource script fills the module with its own resources.
void AddTarvoStrings(CResourceModule& module);
void AddTarvoMenus(CResourceModule& module);
void AddTarvoImages(CResourceModule& module);
void AddTarvoDialogs(CResourceModule& module);
void AddTarvoPropertiesDialogs(CResourceModule& module);
void AddTarvoListDialogs(CResourceModule& module);
void AddTarvoDatasetDialogs(CResourceModule& module);
void AddTarvoListEditDialogs(CResourceModule& module);
void AddTarvoValueTabDialogs(CResourceModule& module);
void AddTarvoDataEditorDialogs(CResourceModule& module);
void AddTarvoSimulationDialogs(CResourceModule& module);
void AddTarvoDataFileTabDialogs(CResourceModule& module);

// For hosts that load the library from a regular library: another resource
// chain entry for the library's module (null when it cannot be allocated).
extern "C" TARVO_API CDynLinkLibrary* init_tarvo_dll();
