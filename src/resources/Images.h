#pragma once

// Ids of the library's bitmaps and icons.

// The strip of parameter-type pictures of the list window.
#define IDB_PARAM_TYPES 151
// The library's icon, also shown in message-like dialogs as "#160".
#define IDI_TARVO 160
