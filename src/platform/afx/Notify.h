#pragma once

// How a control tells its parent about a user action.

#include "AfxTypes.h"

// WM_COMMAND with the control's id and the notification code.
LRESULT AfxSendCommandNotify(HWND hControl, UINT nCode);
// WM_NOTIFY; fills the header's sender, id and code first.
LRESULT AfxSendNotify(HWND hControl, UINT nCode, NMHDR* pHeader);
