#pragma once

// Where a script's files are: found from its ".usr" file, its directory or its
// parameter file, as the author names it on the command line.

#include <string>
#include <vector>

class CScriptLocation
{
public:
    // False with a message for the author when the script cannot be found.
    bool Resolve(const std::string& strArgument, std::string& strError);

    const std::string& GetDirectory() const { return m_strDirectory; }
    const std::string& GetUsrFile() const { return m_strUsrFile; }
    const std::string& GetParamFile() const { return m_strParamFile; }
    // The action files of the script that hold its text, in the order the ".usr" lists them.
    const std::vector<std::string>& GetActionFiles() const { return m_arrActionFiles; }
    // The name the script goes by: its ".usr" file's name without the extension.
    std::string GetName() const;

private:
    bool ResolveUsr(const std::string& strUsrFile, std::string& strError);
    bool ResolveDirectory(const std::string& strDirectory, std::string& strError);
    bool ResolveParamFile(const std::string& strParamFile, std::string& strError);
    void ReadActions();

    std::string m_strDirectory;
    std::string m_strUsrFile;
    std::string m_strParamFile;
    std::vector<std::string> m_arrActionFiles;
};
