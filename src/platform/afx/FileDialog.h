#pragma once

// CFileDialog: asks the user for a file to open or a name to save under,
// with Win32's filter text ("Table Files (*.dat)|*.dat|All Files (*.*)|*.*||"),
// a default extension, an initial folder and title (m_ofn), and a seam that
// answers instead of the user.

#include "Wnd.h"

#include <functional>
#include <string>
#include <vector>

class CFileDialog
{
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Flags, initial folder, title and chosen filter; the texts stay the caller's.
    OPENFILENAME m_ofn;

    // IDOK with the path chosen, IDCANCEL when the user cancelled.
    INT_PTR DoModal();

    // The initial name before DoModal, the chosen path after it. A name
    // chosen without an extension gets the default one.
    std::string GetPathName() const { return m_strPathName; }
    std::string GetFileName() const;
    std::string GetFileExt() const;
    // The file name without its extension.
    std::string GetFileTitle() const;
    std::string GetFolderPath() const;

    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
    const std::string& GetDefExt() const { return m_strDefExt; }
    // The filter's pairs as Qt name filters: "Table Files (*.dat)", "All Files (*)".
    std::vector<std::string> GetNameFilters() const;
    CWnd* GetParentWnd() const { return m_pParentWnd; }

private:
    INT_PTR ShowDialog();
    void Choose(const std::string& strPath);

    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFilter;
    std::string m_strPathName;
    CWnd* m_pParentWnd;
};

// File dialogs in a test or a headless host: the handler sees the dialog and
// answers the path chosen, or an empty text for Cancel. A null handler
// restores the real dialog.
typedef std::function<std::string(const CFileDialog& dialog)> AFX_FILEDIALOG_HANDLER;
void AfxSetFileDialogHandler(AFX_FILEDIALOG_HANDLER handler);
