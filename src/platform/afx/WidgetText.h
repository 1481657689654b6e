#pragma once

// The text of a widget as Win32 sees a window's text: an edit's content, a
// button's or label's caption, a combo box's edit field, a window's title.

#include <string>

class QWidget;

std::string AfxGetWidgetText(const QWidget* pWidget);
void AfxSetWidgetText(QWidget* pWidget, const std::string& strText);
