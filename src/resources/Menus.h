#pragma once

// Ids of the library's menus and their commands.

// The list window's item menu.
#define IDR_PARAM_LIST_POPUP 157
#define ID_NEW_PARAMETER 32773
#define ID_DELETE_PARAMETER 32774
#define ID_RENAME_PARAMETER 32775
