#include "brasko/RecordFraming.h"

CRecordFraming::CRecordFraming(const std::string& strDelimiter) : m_matcher(strDelimiter) {}

void CRecordFraming::StartRecord()
{
    m_eState = STATE_FIELD_START;
    m_matcher.Reset();
}

bool CRecordFraming::Feed(char c)
{
    switch (m_eState)
    {
    case STATE_QUOTED:
        if (c == '"')
            m_eState = STATE_AFTER_QUOTE;
        return false;
    case STATE_FIELD_START:
    case STATE_AFTER_QUOTE:
        if (c == '"')
        {
            m_eState = STATE_QUOTED;
            return false;
        }
        m_matcher.Reset();
        break;
    case STATE_UNQUOTED:
        break;
    }
    // Text after a closing quote is a fault of the row, found when it is
    // split; the record still ends where an unquoted one would.
    if (c == '\n')
    {
        StartRecord();
        return true;
    }
    m_eState = m_matcher.Feed(c) ? STATE_FIELD_START : STATE_UNQUOTED;
    return false;
}
