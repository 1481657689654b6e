#pragma once

#include "controls/ModulEdit.h"

// A numeric field: digits only, a value within [min, max] that spinning wraps
// around. Delete puts a "#" in a position, which leaves the field without a
// value until a digit is typed there.
class TARVO_API CNumModulEdit : public CModulEdit
{
public:
    CNumModulEdit(int nMin, int nMax, int nWidth, int nStyle);
    ~CNumModulEdit() override;

    int HandleChar(unsigned nChar, int nSelStart, int nSelEnd) override;
    int Spin(int nCode) override;
    int Increment(int n) override;
    int Decrement(int n) override;
    // Zero-padded with the fixed-width style; a text too long for the field
    // falls back to the minimum.
    std::string GetText() override;
    std::string ComposeText(unsigned nChar, int nSelStart, int nSelEnd) override;
    void ClearAt(int nSelStart, int nSelEnd) override;
    std::string GetValueText() override;
    int SetValue(int nValue) override;
    int GetValue() override;

    int m_nMax;
    int m_nMin;
    int m_nValue = 0;

private:
    bool IsFixedWidth() const { return (m_nStyle & MODULE_FIXED_WIDTH) != 0; }
    void SetText(const std::string& strText);
};
