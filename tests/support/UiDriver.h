#pragma once

// Drives windows as a user would: typing, clicking, choosing, pressing keys,
// right-clicking; and renders a window to a PNG file for review.

#include "afx/Wnd.h"

#include <Qt>
#include <string>

class CComboBox;

namespace ui
{
// Shows the top-level window of the control and makes it active, so focus works.
void ShowAndActivate(CWnd& wnd);
// Gives the control the focus as a click would, then types the text at the caret.
void Type(CWnd& control, const std::string& text);
// Replaces the whole text of an edit as a user would (select all, type).
void ReplaceText(CWnd& edit, const std::string& text);
void Click(CWnd& control);
// Clicks at a point of the control's client area, on whatever part of it lies
// there (a tree's items, a label editor, an up-down's arrows).
void ClickAt(CWnd& control, int x, int y, Qt::MouseButton button = Qt::LeftButton);
void DoubleClickAt(CWnd& control, int x, int y);
// Right button down and up at the point, then the context-menu request.
void RightClick(CWnd& control, int x, int y);
void PressKey(CWnd& target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Presses the key on whatever has the focus.
void PressKeyOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Chooses the item of a combo box's list as a user would.
void ChooseComboItem(CComboBox& combo, int nIndex);
// Lets queued work (posted messages, deferred deletions) run.
void ProcessEvents();
bool SavePng(CWnd& wnd, const std::string& path);
} // namespace ui
