#pragma once

// "Update value on": the list the tabs show and the texts "GenerateNewVal"
// holds, in list order: "Each occurrence", "Each iteration", "Once".

#include <string>

class CComboBox;

#define POLICY_EACH_OCCURRENCE 0
#define POLICY_EACH_ITERATION 1
#define POLICY_ONCE 2

void FillUpdatePolicyList(CComboBox& combo);
// The list index of a stored text (exact, case-sensitive); nDefault for any other text.
int UpdatePolicyIndex(const std::string& strValue, int nDefault);
// The stored text of a list index; empty for none.
std::string UpdatePolicyValue(int nIndex);
