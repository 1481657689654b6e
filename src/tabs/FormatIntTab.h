#pragma once

#include "tabs/FormatTab.h"

// "Format properties" of a parameter whose value is a number (the iteration
// number): the twin of the text format tab with one integer conversion and
// a list of its own.
class TARVO_API CFormatIntTab : public CFormatTab
{
public:
    explicit CFormatIntTab(CTarvoMgr* pMgr);
    ~CFormatIntTab() override;
};
