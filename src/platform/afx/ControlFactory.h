#pragma once

// Makes the widget of a window class, wires its notifications to the
// parent as Win32 sends them, and attaches it to a window object.

#include "Resource.h"
#include "Wnd.h"

// Creates the control for the object (rect in the parent's client pixels).
BOOL AfxCreateControlWindow(CWnd& wnd, const char* lpszClass, LPCSTR lpszText, DWORD dwStyle, const RECT& rect,
                            CWnd* pParentWnd, UINT nID);
// Creates a control of a dialog template with a wrapper of its kind that the
// layer owns; a member bound later with DDX_Control takes the wrapper's place.
CWnd* AfxCreateTemplateControl(const AFX_CONTROL_TEMPLATE& tmpl, const RECT& rect, CWnd* pParentWnd);
