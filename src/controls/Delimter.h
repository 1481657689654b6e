#pragma once

#include "controls/ModulEdit.h"

// Fixed text between two fields of a segmented edit. A caret on it belongs to
// the field on its left up to the threshold, to the field on its right after.
class TARVO_API CDelimter : public CModulEdit
{
public:
    explicit CDelimter(const std::string& strText, int nThreshold = 0);
    ~CDelimter() override;

    int GetWidth() override;
    CModulEdit* GetNeighbour(int nPos) override;

    int m_nThreshold;
};
