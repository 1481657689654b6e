#pragma once

// Template id of the manager's invisible window, parent of temporary windows.
#define IDD_TARVO_MANAGER 10253
