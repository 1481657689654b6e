// The editor window's files: opening a script, its parameters and datasets,
// saving, reverting and closing.

#include "EditorWindow.h"

#include "FindBar.h"
#include "ManagerObserver.h"
#include "ScriptTabs.h"

#include "afx/FileDialog.h"
#include "manager/UpdateCodes.h"
#include "turb/Turb.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace
{
const size_t kKeptLinesShown = 5;

QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string DatasetOf(const std::string& strParamFile)
{
    return QFileInfo(ToQ(strParamFile)).completeBaseName().toStdString();
}

std::string InstanceAttrib(void* hTurbine, const char* pszAttrib)
{
    char* text = nullptr;
    int length = 0;
    if (Param_GetAttribByNameExt(hTurbine, nullptr, pszAttrib, &text, &length) != TURB_OK || !text)
        return std::string();
    std::string value(text, static_cast<size_t>(length));
    Param_GetAttribFree(hTurbine, &text);
    return value;
}
} // namespace

void CEditorWindow::NewManager()
{
    m_pMgr = std::make_unique<CTarvoMgr>(m_strDatFile.c_str());
    m_pMgr->Custom_AddOptions(m_lOptions);
    m_pMgr->Create(nullptr);
    m_pMgr->RegisterNotifyWindow(AfxHandleFromWidget(this));
    m_pObserver = std::make_unique<CManagerObserver>(m_pMgr.get(), [this](unsigned nCode) { OnManagerUpdate(nCode); });
}

void CEditorWindow::DropManager()
{
    if (!m_pMgr)
        return;
    CloseParameterPane();
    m_pObserver.reset();
    m_pMgr->UnRegisterNotifyWindow(AfxHandleFromWidget(this));
    m_pMgr.reset();
}

bool CEditorWindow::OpenScript(const CScriptLocation& script, std::string& strError)
{
    return LoadScript(script, script.GetParamFile(), strError);
}

// Each script gets a manager of its own, so nothing of the one before stays.
bool CEditorWindow::LoadScript(const CScriptLocation& script, const std::string& strParamFile, std::string& strError)
{
    CScriptText text;
    if (!text.Load(script.GetActionFiles(), strError))
        return false;
    m_pFindBar->hide();
    DropManager();
    NewManager();
    m_script = script;
    m_text = std::move(text);
    m_bHasScript = true;
    m_pTabs->Show(m_text,
                  [this](size_t nFile, const std::string& strText)
                  {
                      m_text.SetText(nFile, strText);
                      RefreshState();
                  });
    for (size_t i = 0; i < m_pTabs->GetCount(); ++i)
    {
        QPlainTextEdit* editor = m_pTabs->GetEditor(i);
        connect(editor, &QPlainTextEdit::selectionChanged, this, [this] { RefreshEditActions(); });
        connect(editor, &QPlainTextEdit::undoAvailable, this, [this] { RefreshEditActions(); });
        connect(editor, &QPlainTextEdit::redoAvailable, this, [this] { RefreshEditActions(); });
    }
    LoadParameters(strParamFile);
    statusBar()->clearMessage();
    RefreshState();
    // The keys go to the text at first.
    FocusScript();
    WarnAboutKeptContent();
    WarnAboutReadOnlyFiles();
    return true;
}

// What the author opens goes to the front of the recent scripts.
void CEditorWindow::RememberRecent()
{
    m_recent.Add(m_script.GetUsrFile().empty() ? m_script.GetParamFile() : m_script.GetUsrFile());
    FillRecentMenu();
}

bool CEditorWindow::OpenPath(const std::string& strPath)
{
    CScriptLocation script;
    std::string strError;
    if (script.Resolve(strPath, strError) && OpenScript(script, strError))
    {
        RememberRecent();
        return true;
    }
    std::string strQuestion =
        "Cannot open the script " + strPath + ":\n" + strError + ".\n\nDo you want to choose another script?";
    if (Ask(strQuestion, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
        OpenDialog();
    return false;
}

void CEditorWindow::OpenDialog()
{
    CFileDialog dialog(TRUE, "usr", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "Scripts (*.usr;*.prm)|*.usr;*.prm|All Files (*.*)|*.*||", nullptr);
    std::string strFolder = m_bHasScript ? m_script.GetDirectory() : std::string();
    dialog.m_ofn.lpstrInitialDir = strFolder.empty() ? nullptr : strFolder.c_str();
    dialog.m_ofn.lpstrTitle = "Open Script";
    if (dialog.DoModal() != IDOK || !ConfirmClose())
        return;
    OpenPath(dialog.GetPathName());
}

void CEditorWindow::OpenRecent(const std::string& strPath)
{
    if (!ConfirmClose())
        return;
    CScriptLocation script;
    std::string strError;
    if (script.Resolve(strPath, strError) && OpenScript(script, strError))
        return RememberRecent();
    // A script that is gone leaves the list.
    m_recent.Remove(strPath);
    FillRecentMenu();
    Ask("Cannot open the script " + strPath + ":\n" + strError + ".\n\nIt was removed from the recent scripts.",
        MB_OK | MB_ICONEXCLAMATION);
}

void CEditorWindow::LoadParameters(const std::string& strParamFile)
{
    m_bLoading = true;
    CloseParameterPane();
    // The manager names a file after the dataset it holds.
    m_pMgr->AddParamFile(strParamFile.c_str(), DatasetOf(strParamFile).c_str());
    OpenParameterPane();
    m_bLoading = false;
    RememberSavedParameters();
}

void CEditorWindow::WarnAboutKeptContent()
{
    std::string strKept = InstanceAttrib(m_pMgr->GetTurbine(), "KeptContent");
    if (strKept.empty())
        return;
    size_t nLines = std::count(strKept.begin(), strKept.end(), '\n');
    std::string strShown;
    for (size_t start = 0, i = 0; i < std::min(nLines, kKeptLinesShown); ++i)
    {
        size_t end = strKept.find('\n', start);
        strShown += "    " + strKept.substr(start, end - start) + "\n";
        start = end + 1;
    }
    if (nLines > kKeptLinesShown)
        strShown += "    ...\n";
    Ask("The parameter file " + m_strShownParamFile + " holds " + std::to_string(nLines) +
            " line(s) that are no parameter:\n\n" + strShown +
            "\nThey are kept as they are and written back when you save.",
        MB_OK | MB_ICONEXCLAMATION);
}

void CEditorWindow::WarnAboutReadOnlyFiles()
{
    std::string strNames;
    for (const std::string& strName : m_pTabs->GetReadOnlyFiles())
        strNames += "    " + strName + "\n";
    if (strNames.empty())
        return;
    Ask("These files hold bytes that are no UTF-8 text:\n\n" + strNames +
            "\nThey are shown read-only and kept as they are, so that saving never changes them.",
        MB_OK | MB_ICONEXCLAMATION);
}

void CEditorWindow::OpenParameterPane()
{
    if (!m_pMgr->OpenParamEditDialogAsChildWnd(&m_paneWnd))
        return;
    // The pane never gets smaller than the dialog's own layout.
    if (CWnd* dialog = m_paneWnd.GetWindow(GW_CHILD))
    {
        CRect rect;
        dialog->GetWindowRect(&rect);
        m_pPane->setMinimumSize(rect.Width(), rect.Height());
    }
    FitParameterPane();
}

void CEditorWindow::CloseParameterPane()
{
    if (m_pMgr)
        m_pMgr->CloseParamEditDialogChildWnd();
}

void CEditorWindow::FitParameterPane()
{
    if (CWnd* dialog = m_paneWnd.GetWindow(GW_CHILD))
        dialog->MoveWindow(0, 0, m_pPane->width(), m_pPane->height());
}

// The dataset bar saves the dataset it leaves: once it has, the rest of the
// script is written too, so the files never disagree on the names.
void CEditorWindow::OnManagerUpdate(unsigned nCode)
{
    if (m_bLoading || !m_bHasScript || (nCode != UPD_RELOAD && nCode != UPD_DATASET_CHANGED))
        return;
    if (m_pMgr->GetActiveParamFilePath() == m_strShownParamFile)
        return QTimer::singleShot(0, this, [this] { RefreshState(); });
    m_strShownParamFile = m_pMgr->GetActiveParamFilePath();
    // The bar is still at work: the rest is saved once it is done.
    QTimer::singleShot(0, this, [this] { OnDatasetSwitched(); });
}

void CEditorWindow::OnDatasetSwitched()
{
    if (!m_bHasScript)
        return;
    std::string strDataset = DatasetOf(m_pMgr->GetActiveParamFilePath());
    if (SaveAll())
        ShowMessage(QString("Dataset %1 is on show; the script was saved with the dataset left").arg(ToQ(strDataset)));
    RememberSavedParameters();
    RefreshState();
}

bool CEditorWindow::Save()
{
    if (!m_bHasScript)
        return false;
    // The tab on show writes its input back first, or keeps the author on it.
    if (!m_pMgr->UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr) || !SaveAll())
        return false;
    ShowMessage("Saved " + ToQ(m_script.GetName()));
    return true;
}

// Every dataset that changed is written, and the script text only when they
// all were; the library names any file it could not write.
bool CEditorWindow::SaveAll()
{
    bool bSaved = m_pMgr->SaveChanges();
    std::string strError;
    if (bSaved && !m_text.Save(strError))
        Ask("The script was not saved: " + strError + ".", MB_OK | MB_ICONERROR);
    RememberSavedParameters();
    RefreshState();
    return bSaved && strError.empty();
}

// What the parameter file on show holds, to tell unsaved changes from saved.
void CEditorWindow::RememberSavedParameters()
{
    m_strShownParamFile = m_pMgr->GetActiveParamFilePath();
    m_savedParams.TakeFromFile(m_pMgr->GetDatFile(), m_strShownParamFile);
}

bool CEditorWindow::IsModified()
{
    if (!m_bHasScript)
        return false;
    if (m_text.IsModified())
        return true;
    CParamSnapshot current;
    current.Take(m_pMgr->GetTurbine());
    return current != m_savedParams;
}

bool CEditorWindow::ConfirmClose()
{
    if (!m_bHasScript)
        return true;
    if (!m_pMgr->UpdateAllUIExt(nullptr, UPD_COMMIT, nullptr))
        return false;
    // The file on disk may have changed since it was last read.
    RememberSavedParameters();
    if (!IsModified())
        return true;
    switch (Ask("Save the changes to " + m_script.GetName() + "?", MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDYES:
        return Save();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CEditorWindow::RevertToSaved()
{
    if (!m_bHasScript || !IsModified())
        return;
    if (Ask("Discard the changes to " + m_script.GetName() + " and go back to the files as they were saved?",
            MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // The dataset the author is on stays the one shown.
    std::string strParamFile = m_pMgr->GetActiveParamFilePath();
    std::string strError;
    if (!LoadScript(m_script, strParamFile, strError))
        Ask("The script could not be read again: " + strError + ".", MB_OK | MB_ICONERROR);
    else
        ShowMessage("Reverted " + ToQ(m_script.GetName()) + " to the saved files");
}

void CEditorWindow::closeEvent(QCloseEvent* pEvent)
{
    if (!ConfirmClose())
        return pEvent->ignore();
    SaveWindowState();
    pEvent->accept();
}
