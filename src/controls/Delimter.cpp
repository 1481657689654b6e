#include "controls/Delimter.h"

CDelimter::CDelimter(const std::string& strText, int nThreshold)
    : CModulEdit(static_cast<int>(strText.size()), MODULE_DELIMITER), m_nThreshold(nThreshold)
{
    m_strText = strText;
}

CDelimter::~CDelimter() = default;

int CDelimter::GetWidth()
{
    return static_cast<int>(m_strText.size());
}

CModulEdit* CDelimter::GetNeighbour(int nPos)
{
    return nPos - m_nStart > m_nThreshold ? m_pFollowing : m_pPrevious;
}
