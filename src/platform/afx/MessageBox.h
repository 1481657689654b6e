#pragma once

// Message boxes, with a seam: a test (or a headless host) installs a handler
// that sees every box and answers it instead of the user.

#include "AfxTypes.h"

#include <functional>
#include <string>

struct AFX_MESSAGEBOX
{
    std::string strText;
    std::string strCaption;
    UINT nType = MB_OK; // buttons, icon and default button bits
    HWND hWndOwner = nullptr;
};

typedef std::function<int(const AFX_MESSAGEBOX&)> AFX_MESSAGEBOX_HANDLER;

// Installs the handler; a null handler restores the real message box.
void AfxSetMessageBoxHandler(AFX_MESSAGEBOX_HANDLER handler);

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
// The application's own box: its caption is the application's name.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// A box with a text from the string table.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
