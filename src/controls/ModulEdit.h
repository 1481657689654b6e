#pragma once

#include "TarvoExport.h"

#include <string>

// Style bits of a field.
#define MODULE_DELIMITER 1   // fixed text between fields
#define MODULE_FIXED_WIDTH 8 // typing overwrites, the text is zero-padded
#define MODULE_TIME_FIELD 10 // what the time edit gives its numeric fields

// One field (module) of a segmented edit: a range of character positions of
// the edit's text with its own rules for typing, spinning and deleting. It has
// no window of its own; the base answers every request with "nothing to do".
class TARVO_API CModulEdit
{
public:
    CModulEdit(int nWidth, int nStyle);
    virtual ~CModulEdit();
    CModulEdit(const CModulEdit&) = delete;
    CModulEdit& operator=(const CModulEdit&) = delete;

    virtual int HandleChar(unsigned nChar, int nSelStart, int nSelEnd);
    // Code 0 steps up, 1 down.
    virtual int Spin(int nCode);
    // 1, or 2 when the value wrapped past its maximum.
    virtual int Increment(int n);
    // 1, or 3 when the value wrapped below its minimum.
    virtual int Decrement(int n);
    virtual std::string GetText();
    virtual int GetWidth();
    // The field a caret on this one belongs to; none for a field.
    virtual CModulEdit* GetNeighbour(int nPos);
    // The text that typing nChar with that selection would give.
    virtual std::string ComposeText(unsigned nChar, int nSelStart, int nSelEnd);
    virtual void ClearAt(int nSelStart, int nSelEnd);
    // The text as a value: empty while a position is cleared.
    virtual std::string GetValueText();
    // 1 when taken, 0 when out of range; -1 for a field without a value.
    virtual int SetValue(int nValue);
    virtual int GetValue();

    bool IsDelimiter() const { return (m_nStyle & MODULE_DELIMITER) != 0; }

    std::string m_strText;
    int m_nWidth;
    // Position of the first character in the whole edit text.
    int m_nStart = 0;
    int m_nStyle;
    // The nearest field added before this one: a numeric field's more
    // significant neighbour, a delimiter's left-hand field.
    CModulEdit* m_pPrevious = nullptr;
    // Delimiters only: the field on the right.
    CModulEdit* m_pFollowing = nullptr;
};
