#pragma once

// The clipboard's text and the system beep, over the Qt application. Both
// do nothing when the process has no GUI application (a console host).

#include "AfxTypes.h"

#include <functional>
#include <string>

// UTF-8 text; FALSE without a GUI application.
BOOL AfxSetClipboardText(const std::string& strText);
// Empty without a GUI application or text on the clipboard.
std::string AfxGetClipboardText();

// Every beep type sounds the application beep; FALSE without an application.
BOOL MessageBeep(UINT uType);
// Replaces the beep, so tests can count refused input; an empty function
// restores the application beep.
void AfxSetBeepHandler(std::function<void(UINT)> handler);
