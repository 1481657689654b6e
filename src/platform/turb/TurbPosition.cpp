#include "TurbPosition.h"

CTurbPosition::CTurbPosition(void* hInstance, EWalk walk)
    : m_hInstance(hInstance),
      m_pPosition(walk == WALK_TYPES ? Param_GetHeadTypesPos(hInstance) : Param_GetHeadParamPos(hInstance))
{
}

CTurbPosition::~CTurbPosition()
{
    if (m_pPosition)
        Param_GetHeadPosFree(m_hInstance, m_pPosition);
}

TURB_PARAM_ID CTurbPosition::NextParam()
{
    return m_pPosition ? Param_GetNextParam(m_hInstance, m_pPosition) : 0;
}

const char* CTurbPosition::NextType()
{
    return m_pPosition ? Param_GetNextType(m_hInstance, m_pPosition) : nullptr;
}
