#pragma once

#include <chrono>
#include <string>

// The text of a date/time parameter at a moment, read the one way both the
// engine (the values Vusers get) and the editor's samples read a format: a
// lone "%" at the end is dropped, the format goes through CDateTimeFormatter
// in local time, and every ".000" of the result shows the milliseconds.
// False when the formatter refuses the format.
bool FormatTimeText(const std::string& strFormat, std::chrono::system_clock::time_point time, std::string& strOutput);
