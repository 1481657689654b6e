#pragma once

#include <string>

// A fresh directory under the system's temporary folder, removed with its
// content when the object goes away.
class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    // Path of a name inside the directory.
    std::string File(const std::string& name) const;
    // Writes the bytes to a file inside the directory and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_strPath;
};

// Whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
