#include "tabs/UserFuncDLG.h"

#include "afx/DataExchange.h"
#include "afx/FileDialog.h"
#include "afx/MessageBox.h"
#include "manager/TarvoMgr.h"
#include "resources/StringIds.h"
#include "resources/ValueTabDialogs.h"
#include "tabs/ParamAttribs.h"
#include "tabs/UpdatePolicy.h"

#include <cctype>

namespace
{
const char* const DEFAULT_FUNCTION = "MyFunctionName";
const char* const DEFAULT_LIBRARY = "MyDll.dll";
const char* const LIBRARY_FILTER = "Libraries (*.dll)|*.dll|All files|*.*||";

// A library path as the scripts record it, with "/" or "\" and maybe a drive.
struct LIBRARY_PATH
{
    std::string strDrive;
    std::string strDirectory;
    std::string strName;
    std::string strExtension;
};

// An empty path counts as ".", which names no library.
LIBRARY_PATH SplitLibraryPath(std::string strPath)
{
    if (strPath.empty())
        strPath = ".";
    LIBRARY_PATH path;
    if (strPath.size() >= 2 && strPath[1] == ':')
    {
        path.strDrive = strPath.substr(0, 2);
        strPath.erase(0, 2);
    }
    size_t nSlash = strPath.find_last_of("/\\");
    if (nSlash != std::string::npos)
    {
        path.strDirectory = strPath.substr(0, nSlash + 1);
        strPath.erase(0, nSlash + 1);
    }
    size_t nDot = strPath.find_last_of('.');
    if (nDot != std::string::npos && strPath != "." && strPath != "..")
    {
        path.strExtension = strPath.substr(nDot);
        strPath.erase(nDot);
    }
    path.strName = strPath;
    return path;
}

bool IsUsableName(const std::string& strName)
{
    return !strName.empty() && strName != "." && strName != "..";
}

// A C identifier: a letter or "_", then letters, digits or "_".
bool IsValidFunctionName(const std::string& strName)
{
    if (strName.empty() || !(std::isalpha(static_cast<unsigned char>(strName[0])) || strName[0] == '_'))
        return false;
    for (char ch : strName)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_')
            return false;
    return true;
}

// The Unix fields and what each derived name ends with.
struct UNIX_LIBRARY
{
    std::string CUserFuncDLG::*pstrName;
    bool CUserFuncDLG::*pbEdited;
    const char* pszSuffix;
};
} // namespace

BEGIN_MESSAGE_MAP(CUserFuncDLG, CResizePropertyPage)
ON_BN_CLICKED(IDC_FUNC_BROWSE, &CUserFuncDLG::OnBrowse)
ON_EN_CHANGE(IDC_FUNC_NT_LIBRARY, &CUserFuncDLG::OnUpdateNTLibrary)
ON_EN_CHANGE(IDC_FUNC_SO_LIBRARY, &CUserFuncDLG::OnChangeSOLibrary)
ON_EN_CHANGE(IDC_FUNC_VX_LIBRARY, &CUserFuncDLG::OnChangeVXLibrary)
ON_EN_CHANGE(IDC_FUNC_AX_LIBRARY, &CUserFuncDLG::OnChangeAXLibrary)
ON_WM_SIZE()
END_MESSAGE_MAP()

CUserFuncDLG::CUserFuncDLG(CTarvoMgr* pMgr) : CResizePropertyPage(IDD_USER_FUNC_TAB), CTarvoMgrExt(pMgr) {}

CUserFuncDLG::~CUserFuncDLG() = default;

void CUserFuncDLG::DoDataExchange(CDataExchange* pDX)
{
    CResizePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FUNC_POLICY, m_cbPolicy);
    DDX_Text(pDX, IDC_FUNC_NAME, m_strFunctionName);
    DDX_Text(pDX, IDC_FUNC_NT_LIBRARY, m_strNTLibrary);
    DDX_Text(pDX, IDC_FUNC_SO_LIBRARY, m_strSOLibrary);
    DDX_Text(pDX, IDC_FUNC_VX_LIBRARY, m_strVXLibrary);
    DDX_Text(pDX, IDC_FUNC_AX_LIBRARY, m_strAXLibrary);
    DDX_CBIndex(pDX, IDC_FUNC_POLICY, m_nPolicy);
}

BOOL CUserFuncDLG::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    FillUpdatePolicyList(m_cbPolicy);
    return TRUE;
}

BOOL CUserFuncDLG::OnSetActive()
{
    if (IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        m_strFunctionName = ReadParamAttrib(GetTurbine(), strName, "FunctionName");
        m_strNTLibrary = ReadParamAttrib(GetTurbine(), strName, "NTLibraryName");
        m_strSOLibrary = ReadParamAttrib(GetTurbine(), strName, "SOLibraryName");
        m_strVXLibrary = ReadParamAttrib(GetTurbine(), strName, "VXLibraryName");
        m_strAXLibrary = ReadParamAttrib(GetTurbine(), strName, "AXLibraryName");
        // A stored name that is not the derived one was typed by the author.
        std::string strLibrary = SplitLibraryPath(m_strNTLibrary).strName;
        bool bUsable = IsUsableName(strLibrary);
        m_bSOEdited = bUsable ? m_strSOLibrary != "lib" + strLibrary + ".so" : !m_strSOLibrary.empty();
        m_bVXEdited = bUsable ? m_strVXLibrary != "lib" + strLibrary + ".sl" : !m_strVXLibrary.empty();
        m_bAXEdited = bUsable ? m_strAXLibrary != "lib" + strLibrary + ".a" : !m_strAXLibrary.empty();
        m_nPolicy = UpdatePolicyIndex(ReadParamAttrib(GetTurbine(), strName, "GenerateNewVal"), POLICY_EACH_OCCURRENCE);
        PushControls();
    }
    return CResizePropertyPage::OnSetActive();
}

// The input is stored before it is checked, so a refusal loses nothing.
BOOL CUserFuncDLG::OnKillActive()
{
    UpdateData(TRUE);
    if (IsActiveParamKnown(m_pMgr))
    {
        std::string strName = m_pMgr->GetActiveParamName();
        WriteParamAttrib(GetTurbine(), strName, "FunctionName", m_strFunctionName);
        WriteParamAttrib(GetTurbine(), strName, "NTLibraryName", m_strNTLibrary);
        WriteParamAttrib(GetTurbine(), strName, "SOLibraryName", m_strSOLibrary);
        WriteParamAttrib(GetTurbine(), strName, "VXLibraryName", m_strVXLibrary);
        WriteParamAttrib(GetTurbine(), strName, "AXLibraryName", m_strAXLibrary);
        WriteParamAttrib(GetTurbine(), strName, "GenerateNewVal", UpdatePolicyValue(m_nPolicy));
    }
    if (!IsValidFunctionName(m_strFunctionName))
        return Refuse(IDC_FUNC_NAME, IDS_INVALID_FUNCTION_NAME);
    if (m_strNTLibrary.empty())
        return Refuse(IDC_FUNC_NT_LIBRARY, IDS_INVALID_LIBRARY_NAME);
    return CResizePropertyPage::OnKillActive();
}

void CUserFuncDLG::UseDefaults()
{
    m_strFunctionName = DEFAULT_FUNCTION;
    m_strNTLibrary = DEFAULT_LIBRARY;
    m_nPolicy = POLICY_EACH_OCCURRENCE;
    PushControls();
    DeriveUnixNames();
}

BOOL CUserFuncDLG::Refuse(int nID, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt);
    if (CWnd* pField = GetDlgItem(nID))
        pField->SetFocus();
    return FALSE;
}

void CUserFuncDLG::PushControls()
{
    m_bPushing = true;
    UpdateData(FALSE);
    m_bPushing = false;
}

void CUserFuncDLG::DeriveUnixNames()
{
    static const UNIX_LIBRARY LIBRARIES[] = {
        {&CUserFuncDLG::m_strSOLibrary, &CUserFuncDLG::m_bSOEdited, ".so"},
        {&CUserFuncDLG::m_strVXLibrary, &CUserFuncDLG::m_bVXEdited, ".sl"},
        {&CUserFuncDLG::m_strAXLibrary, &CUserFuncDLG::m_bAXEdited, ".a"},
    };
    UpdateData(TRUE);
    std::string strLibrary = SplitLibraryPath(m_strNTLibrary).strName;
    for (const UNIX_LIBRARY& library : LIBRARIES)
    {
        std::string& strUnix = this->*library.pstrName;
        bool& bEdited = this->*library.pbEdited;
        if (!IsUsableName(strLibrary))
        {
            if (!bEdited)
                strUnix.clear();
        }
        else if (!bEdited || strUnix.empty())
        {
            strUnix = "lib" + strLibrary + library.pszSuffix;
            bEdited = false;
        }
    }
    PushControls();
}

void CUserFuncDLG::OnBrowse()
{
    UpdateData(TRUE);
    LIBRARY_PATH path = SplitLibraryPath(m_strNTLibrary);
    std::string strDirectory = path.strDrive + path.strDirectory;
    std::string strFile = path.strName + path.strExtension;
    if (strFile == "." || strFile == "..")
        strFile.clear();
    CFileDialog dlg(TRUE, "dll", strFile.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LIBRARY_FILTER, this);
    if (!strDirectory.empty())
        dlg.m_ofn.lpstrInitialDir = strDirectory.c_str();
    if (dlg.DoModal() != IDOK)
        return;
    m_strNTLibrary = dlg.GetPathName();
    PushControls();
    DeriveUnixNames();
}

void CUserFuncDLG::OnUpdateNTLibrary()
{
    if (!m_bPushing)
        DeriveUnixNames();
}

void CUserFuncDLG::OnChangeSOLibrary()
{
    if (!m_bPushing)
        m_bSOEdited = true;
}

void CUserFuncDLG::OnChangeVXLibrary()
{
    if (!m_bPushing)
        m_bVXEdited = true;
}

void CUserFuncDLG::OnChangeAXLibrary()
{
    if (!m_bPushing)
        m_bAXEdited = true;
}

void CUserFuncDLG::OnSize(UINT nType, int cx, int cy)
{
    CResizePropertyPage::OnSize(nType, cx, cy);
    AnchorControls({{IDC_FUNC_LIBRARIES, ANCHOR_RIGHT},
                    {IDC_FUNC_NT_LIBRARY, ANCHOR_RIGHT},
                    {IDC_FUNC_SO_LIBRARY, ANCHOR_RIGHT},
                    {IDC_FUNC_VX_LIBRARY, ANCHOR_RIGHT},
                    {IDC_FUNC_AX_LIBRARY, ANCHOR_RIGHT},
                    {IDC_FUNC_NAME, ANCHOR_RIGHT},
                    {IDC_FUNC_BROWSE, ANCHOR_MOVE_RIGHT},
                    {IDC_FUNC_POLICY, ANCHOR_RIGHT | ANCHOR_MOVE_DOWN},
                    {IDC_FUNC_POLICY_LABEL, ANCHOR_MOVE_DOWN}});
}
