#pragma once

#include "brasko/DelimiterMatcher.h"

#include <string>

// Where a record ends, read byte by byte. A double quote opens a quoted value
// only where a field starts: at the start of a record, after a delimiter, or
// right after the quote that closed a value (a doubled quote). Inside a quoted
// value line feeds are data; elsewhere a quote is data, as in "1,5" screen",
// and a line feed ends the record.
class CRecordFraming
{
public:
    explicit CRecordFraming(const std::string& strDelimiter = ",");

    // The state at the start of a record (after a UTF-8 mark, if any).
    void StartRecord();
    // Feeds one byte; true when it is the line feed that ends the record.
    bool Feed(char c);
    bool IsInQuote() const { return m_eState == STATE_QUOTED; }

private:
    enum EState
    {
        STATE_FIELD_START,
        STATE_UNQUOTED,
        STATE_QUOTED,
        STATE_AFTER_QUOTE
    };

    CDelimiterMatcher m_matcher;
    EState m_eState = STATE_FIELD_START;
};
