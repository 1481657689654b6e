#include "controls/ModulEdit.h"

CModulEdit::CModulEdit(int nWidth, int nStyle) : m_nWidth(nWidth), m_nStyle(nStyle) {}

CModulEdit::~CModulEdit() = default;

int CModulEdit::HandleChar(unsigned, int, int)
{
    return 1;
}

int CModulEdit::Spin(int)
{
    return 1;
}

int CModulEdit::Increment(int)
{
    return 1;
}

int CModulEdit::Decrement(int)
{
    return 1;
}

std::string CModulEdit::GetText()
{
    return m_strText;
}

int CModulEdit::GetWidth()
{
    return m_nWidth;
}

CModulEdit* CModulEdit::GetNeighbour(int)
{
    return nullptr;
}

std::string CModulEdit::ComposeText(unsigned, int, int)
{
    return std::string();
}

void CModulEdit::ClearAt(int, int) {}

std::string CModulEdit::GetValueText()
{
    return std::string();
}

int CModulEdit::SetValue(int)
{
    return -1;
}

int CModulEdit::GetValue()
{
    return -1;
}
