#include "controls/BaseDialog.h"

namespace
{
const UINT WM_COMMANDHELP = 0x0365;
// WM_COMMANDHELP names a dialog's topic by its help id plus this.
const WPARAM HELP_ID_DIALOG_BASE = 0x20000;

bool IsModifierDown()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) || (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000);
}
} // namespace

BEGIN_MESSAGE_MAP(CBaseDialog, CDialog)
ON_WM_HELPINFO()
ON_COMMAND(ID_HELP, &CBaseDialog::OnHelp)
END_MESSAGE_MAP()

CBaseDialog::CBaseDialog(UINT nIDTemplate, CWnd* pParentWnd, BOOL bReadOnly, DWORD dwOptions)
    : CDialog(nIDTemplate, pParentWnd), CDlgExt(bReadOnly, dwOptions)
{
    m_nIDHelp = nIDTemplate;
}

CBaseDialog::~CBaseDialog() = default;

BOOL CBaseDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    InitDlgExt(this);
    return TRUE;
}

BOOL CBaseDialog::OnHelpInfo(HELPINFO* pHelpInfo)
{
    return ForwardHelp() ? TRUE : CDialog::OnHelpInfo(pHelpInfo);
}

void CBaseDialog::OnHelp()
{
    if (!ForwardHelp())
        Default();
}

BOOL CBaseDialog::ForwardHelp()
{
    // A dialog is a top-level window itself: its owner's top-level window hears.
    CWnd* pOwner = GetParent() ? GetParent() : m_pParentWnd;
    CWnd* pTop = pOwner ? pOwner->GetTopLevelParent() : nullptr;
    if (IsModifierDown() || !pTop || pTop == this)
        return FALSE;
    pTop->SendMessage(WM_COMMANDHELP, m_nIDHelp + HELP_ID_DIALOG_BASE, reinterpret_cast<LPARAM>(m_hWnd));
    return TRUE;
}
