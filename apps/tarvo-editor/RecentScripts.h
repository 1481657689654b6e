#pragma once

// The scripts opened last, newest first, kept in the application profile.

#include <string>
#include <vector>

class CRecentScripts
{
public:
    static const size_t kMaxCount = 10;

    std::vector<std::string> Get() const;
    // Puts the script first, once, dropping the oldest beyond the limit.
    void Add(const std::string& strPath);
    void Remove(const std::string& strPath);
    void Clear();

private:
    void Put(const std::vector<std::string>& arrPaths);
};
