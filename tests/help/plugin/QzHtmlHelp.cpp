// A help library for the tests: records how it was called and answers what
// the test asked it to.

#include <string>

namespace
{
int g_nResult = 0;
int g_nCalls = 0;
std::string g_strTopic;
void* g_pOwner = nullptr;
} // namespace

extern "C"
{
    __attribute__((visibility("default"))) int QzHtmlHelp2(void* pOwner, const char* pszTopic, int)
    {
        ++g_nCalls;
        g_pOwner = pOwner;
        g_strTopic = pszTopic ? pszTopic : "";
        return g_nResult;
    }

    __attribute__((visibility("default"))) void QzHtmlHelpTest_SetResult(int nResult)
    {
        g_nResult = nResult;
        g_nCalls = 0;
    }

    __attribute__((visibility("default"))) int QzHtmlHelpTest_Calls()
    {
        return g_nCalls;
    }

    __attribute__((visibility("default"))) const char* QzHtmlHelpTest_Topic()
    {
        return g_strTopic.c_str();
    }

    __attribute__((visibility("default"))) void* QzHtmlHelpTest_Owner()
    {
        return g_pOwner;
    }
}
