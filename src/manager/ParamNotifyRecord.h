#pragma once

// What the host's notify window receives when a parameter is added, deleted
// or renamed: the registered message TARVO_NOTIFY_MESSAGE, one of the NOTIFY_
// codes as wParam and the address of a ParamNotifyRecord as lParam.

#define TARVO_NOTIFY_MESSAGE "CoTarvoMgrNotifyMsg"

// wParam of the notify message (sign-extended to the width of WPARAM).
#define NOTIFY_ADDED (-10001)
#define NOTIFY_DELETED (-10002)
#define NOTIFY_RENAMED (-10003)

// Eight fields, each wide enough for an address; the unused ones are null.
// The texts belong to the sender and live only during the message call.
struct ParamNotifyRecord
{
    const char* pszName;          // 0: the parameter's name; on a rename its old name
    const char* pReserved1;       // 1
    const char* pszOriginalValue; // 2: on a deletion, its "OriginalValue" in display form
    const char* pReserved3;       // 3
    const char* pszNewName;       // 4: on a rename, the new name
    const char* pReserved5;       // 5
    const char* pReserved6;       // 6
    const char* pReserved7;       // 7
};

static_assert(sizeof(ParamNotifyRecord) == 8 * sizeof(void*), "eight fields, nothing between them");
