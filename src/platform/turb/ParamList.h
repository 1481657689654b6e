#pragma once

#include "Param.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The parameters of an instance in file order, found by name or id through
// hash indexes. Blocks of a file that are no parameter (lines before the first
// section, a second section of a known name) are kept in their places so that
// saving writes them back.
class CParamList
{
public:
    CParam* Find(const std::string& name) const;
    CParam* Find(TURB_PARAM_ID id) const;
    // Appends a new parameter, or puts it at that place of the list; null
    // when the name is taken.
    CParam* Add(const std::string& name, size_t nPlace = SIZE_MAX);
    bool Remove(const std::string& name);
    // Where the named parameter stands among every item; SIZE_MAX when unknown.
    size_t PlaceOf(const std::string& name) const;
    // Moves the newcomer to where the named parameter stands and removes that one.
    bool Replace(const std::string& name, TURB_PARAM_ID newcomer);
    void AddKeptBlock(std::string lines);
    void Clear();

    size_t GetCount() const { return m_mapByName.size(); }
    std::vector<TURB_PARAM_ID> GetIds() const;

    // Calls param(const CParam&) or block(const std::string&) for every item in order.
    template <typename P, typename B> void Walk(P param, B block) const
    {
        for (const SItem& item : m_listItems)
        {
            if (item.pParam)
                param(*item.pParam);
            else
                block(item.strKeptBlock);
        }
    }

private:
    struct SItem
    {
        std::unique_ptr<CParam> pParam;
        std::string strKeptBlock;
    };
    using Iter = std::list<SItem>::iterator;

    std::list<SItem> m_listItems;
    std::unordered_map<std::string, Iter> m_mapByName;
    std::unordered_map<TURB_PARAM_ID, Iter> m_mapById;
    TURB_PARAM_ID m_nNextId = 1;
};
