#pragma once

#include "turb/Turb.h"

#include <string>

// A text the engine hands out through a Get call, freed with
// Param_GetAttribFree when it goes out of scope, so no path forgets it.
class CTurbText
{
public:
    explicit CTurbText(void* hInstance) : m_hInstance(hInstance) {}
    ~CTurbText();
    CTurbText(const CTurbText&) = delete;
    CTurbText& operator=(const CTurbText&) = delete;

    // The out-arguments of a Get call; a text held before is freed first.
    char** GetTextOut();
    int* GetLengthOut() { return &m_nLength; }

    bool IsSet() const { return m_pszText != nullptr; }
    // The whole text by its length, NUL bytes included; empty when not set.
    std::string GetString() const;

private:
    void Free();

    void* m_hInstance;
    char* m_pszText = nullptr;
    int m_nLength = 0;
};
