#pragma once

// The text of a script's action files as the editor holds it: the author edits
// it, parameter references ("{name}") follow renames and deletions, and saving
// replaces each changed file atomically.

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

    // "{strOld}" becomes "{strNew}" everywhere; the number of references changed.
    int RenameReferences(const std::string& strOld, const std::string& strNew);
    // "{strName}" becomes the parameter's original value everywhere.
    int RestoreValue(const std::string& strName, const std::string& strValue);

    bool IsModified() const;
    // Writes every changed file; false with a message at the first that fails,
    // which keeps its previous content (and stays marked as changed).
    bool Save(std::string& strError);

    static std::string Reference(const std::string& strName) { return "{" + strName + "}"; }

private:
    int ReplaceEverywhere(const std::string& strFrom, const std::string& strTo);

    struct SCRIPT_FILE
    {
        std::string strPath;
        std::string strText;
        bool bModified = false;
    };
    std::vector<SCRIPT_FILE> m_arrFiles;
};
