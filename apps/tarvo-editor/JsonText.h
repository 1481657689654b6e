#pragma once

#include <string>

// A text as a JSON string literal, quotes included.
std::string JsonString(const std::string& strText);

// A text as one field of a tab-separated line: backslashes, tabs and line
// breaks are written as \\, \t, \n and \r, so every row stays one line.
std::string TabField(const std::string& strText);
