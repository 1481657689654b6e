#pragma once

// The text of a script's action files as the editor holds it: what the author
// and the editor's own edits make of it, and saving that replaces each changed
// file atomically.

#include <string>
#include <vector>

class CScriptText
{
public:
    // False with a message when a file cannot be read; nothing is kept then.
    bool Load(const std::vector<std::string>& arrPaths, std::string& strError);

    size_t GetFileCount() const { return m_arrFiles.size(); }
    const std::string& GetPath(size_t nFile) const { return m_arrFiles[nFile].strPath; }
    const std::string& GetText(size_t nFile) const { return m_arrFiles[nFile].strText; }
    void SetText(size_t nFile, const std::string& strText);

    bool IsModified() const;
    // Writes every changed file; false with a message at the first that fails,
    // which keeps its previous content (and stays marked as changed).
    bool Save(std::string& strError);

    // How the script refers to a parameter.
    static std::string Reference(const std::string& strName) { return "{" + strName + "}"; }

private:
    struct SCRIPT_FILE
    {
        std::string strPath;
        std::string strText;
        std::string strSaved; // as the file holds it
        bool bModified = false;
    };
    std::vector<SCRIPT_FILE> m_arrFiles;
};
