#pragma once

#include "controls/MultiModuleEdit.h"

class CNumModulEdit;

// A time of day as hours and minutes, "HH:MM". The hours' width follows
// their maximum.
class TARVO_API CTimeEdit : public CMultiModuleEdit
{
public:
    // maxHours < 1 gives 23 hours of width 2; hourWidth < 1 the number of
    // digits of maxHours.
    CTimeEdit(int nMaxHours = 23, int nHourWidth = 2);
    ~CTimeEdit() override;

    // A value out of range leaves the field as it was; 0 without the field.
    int SetHours(int nValue);
    int SetMinutes(int nValue);
    int GetHours();
    int GetMinutes();

protected:
    // Sets the field's value, shows it and selects it.
    int SetFieldValue(CNumModulEdit* pField, int nValue);

    CNumModulEdit* m_pHours = nullptr;
    CNumModulEdit* m_pMinutes = nullptr;
};
