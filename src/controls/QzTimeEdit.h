#pragma once

#include "controls/TimeEdit.h"

// A time of day with seconds, "HH:MM:SS".
class TARVO_API CQzTimeEdit : public CTimeEdit
{
public:
    CQzTimeEdit(int nMaxHours = 23, int nHourWidth = 2);
    ~CQzTimeEdit() override;

    int SetSeconds(int nValue);
    int GetSeconds();

protected:
    CNumModulEdit* m_pSeconds = nullptr;
};
