#include "FileDialog.h"

#include <QFileDialog>

namespace
{
AFX_FILEDIALOG_HANDLER& FileDialogHandler()
{
    static AFX_FILEDIALOG_HANDLER handler;
    return handler;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start))
    {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Paths a file recorded may use either separator.
size_t LastSeparator(const std::string& path)
{
    return path.find_last_of("/\\");
}

QString ToQ(const std::string& text)
{
    return QString::fromUtf8(text.c_str());
}
} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                         CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFilter(lpszFilter ? lpszFilter : ""), m_strPathName(lpszFileName ? lpszFileName : ""),
      m_pParentWnd(pParentWnd)
{
    m_ofn.Flags = dwFlags;
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
}

std::vector<std::string> CFileDialog::GetNameFilters() const
{
    std::vector<std::string> parts = Split(m_strFilter, '|');
    std::vector<std::string> filters;
    // Pairs of description and patterns; an empty description ends the list.
    for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2)
    {
        std::string description = parts[i];
        if (size_t open = description.rfind(" ("); open != std::string::npos && description.back() == ')')
            description.erase(open);
        std::string patterns;
        for (const std::string& pattern : Split(parts[i + 1], ';'))
            patterns += (patterns.empty() ? "" : " ") + (pattern == "*.*" ? std::string("*") : pattern);
        filters.push_back(description + " (" + patterns + ")");
    }
    return filters;
}

INT_PTR CFileDialog::DoModal()
{
    if (const AFX_FILEDIALOG_HANDLER& handler = FileDialogHandler())
    {
        std::string path = handler(*this);
        if (path.empty())
            return IDCANCEL;
        Choose(path);
        return IDOK;
    }
    return ShowDialog();
}

INT_PTR CFileDialog::ShowDialog()
{
    QString title = m_ofn.lpstrTitle ? ToQ(m_ofn.lpstrTitle) : (m_bOpenFileDialog ? "Open" : "Save As");
    QFileDialog dialog(m_pParentWnd ? m_pParentWnd->GetWidget() : nullptr, title,
                       m_ofn.lpstrInitialDir ? ToQ(m_ofn.lpstrInitialDir) : QString());
    dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                              : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_ofn.Flags & OFN_OVERWRITEPROMPT));
    QStringList filters;
    for (const std::string& filter : GetNameFilters())
        filters << ToQ(filter);
    dialog.setNameFilters(filters);
    if (m_ofn.nFilterIndex >= 1 && static_cast<int>(m_ofn.nFilterIndex) <= filters.size())
        dialog.selectNameFilter(filters[static_cast<int>(m_ofn.nFilterIndex) - 1]);
    if (!m_strPathName.empty())
        dialog.selectFile(ToQ(m_strPathName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_ofn.nFilterIndex = static_cast<DWORD>(filters.indexOf(dialog.selectedNameFilter()) + 1);
    Choose(dialog.selectedFiles().front().toUtf8().toStdString());
    return IDOK;
}

void CFileDialog::Choose(const std::string& strPath)
{
    m_strPathName = strPath;
    std::string name = GetFileName();
    if (!m_strDefExt.empty() && !name.empty() && name.find('.') == std::string::npos)
        m_strPathName += "." + m_strDefExt;
}

std::string CFileDialog::GetFileName() const
{
    size_t at = LastSeparator(m_strPathName);
    return at == std::string::npos ? m_strPathName : m_strPathName.substr(at + 1);
}

std::string CFileDialog::GetFileExt() const
{
    std::string name = GetFileName();
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CFileDialog::GetFileTitle() const
{
    std::string name = GetFileName();
    return name.substr(0, name.rfind('.'));
}

std::string CFileDialog::GetFolderPath() const
{
    size_t at = LastSeparator(m_strPathName);
    if (at == std::string::npos)
        return std::string();
    return at == 0 ? m_strPathName.substr(0, 1) : m_strPathName.substr(0, at);
}

void AfxSetFileDialogHandler(AFX_FILEDIALOG_HANDLER handler)
{
    FileDialogHandler() = std::move(handler);
}
