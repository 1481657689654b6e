#pragma once

#include "TarvoExport.h"

#include <string>

// Expands a Table parameter's column list ("1-3,5") into the column numbers
// it names ("1,2,3,5") against the file's column count; a blank list names
// none. Returns 0, or the message that says what is wrong: 10275 for a column
// beyond the count, 10276 for a list that is not numbers and ranges separated
// by commas, for a column 0, a range running backwards or a list naming more
// than 100000 columns in all.
TARVO_API int ExpandColumnList(const std::string& strList, int nColumns, std::string& strExpanded);
