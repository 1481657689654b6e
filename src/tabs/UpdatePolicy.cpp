#include "tabs/UpdatePolicy.h"

#include "afx/ComboBox.h"

#include <iterator>

namespace
{
const struct
{
    const char* pszShown;
    const char* pszStored;
} POLICIES[] = {
    {"Each occurrence", "EachOccurrence"},
    {"Each iteration", "EachIteration"},
    {"Once", "Once"},
};
const int POLICY_COUNT = static_cast<int>(std::size(POLICIES));
} // namespace

void FillUpdatePolicyList(CComboBox& combo)
{
    combo.ResetContent();
    for (const auto& policy : POLICIES)
        combo.AddString(policy.pszShown);
}

int UpdatePolicyIndex(const std::string& strValue, int nDefault)
{
    for (int i = 0; i < POLICY_COUNT; ++i)
        if (strValue == POLICIES[i].pszStored)
            return i;
    return nDefault;
}

std::string UpdatePolicyValue(int nIndex)
{
    return nIndex >= 0 && nIndex < POLICY_COUNT ? POLICIES[nIndex].pszStored : "";
}
