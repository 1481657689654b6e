#include "TurbText.h"

CTurbText::~CTurbText()
{
    Free();
}

char** CTurbText::GetTextOut()
{
    Free();
    return &m_pszText;
}

std::string CTurbText::GetString() const
{
    if (!m_pszText || m_nLength <= 0)
        return std::string();
    return std::string(m_pszText, static_cast<size_t>(m_nLength));
}

void CTurbText::Free()
{
    if (m_pszText)
        Param_GetAttribFree(m_hInstance, &m_pszText);
    m_pszText = nullptr;
    m_nLength = 0;
}
