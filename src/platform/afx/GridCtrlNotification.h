#pragma once

#include "AfxTypes.h"
#include "GridRange.h"

// What a grid's owner hears from it: a cell the user changed, and the
// selection becoming a range (bSelect TRUE) or nothing (FALSE).
class IGridCtrlNotification
{
public:
    virtual ~IGridCtrlNotification() = default;

    virtual void OnGridItemChanged(int /*nRow*/, int /*nColumn*/) {}
    virtual void OnGridSelChanged(const CGridRange& /*range*/, BOOL /*bSelect*/) {}
};
